// The source list from the /IF names: one file entry per name, in the order
// given, repeats included.
#pragma once

#include <cstdint>

#include "cli/option_tables.h"
#include "model/entries.h"

namespace peltrix::planning {

// The values of the /I group that every source entry carries.
struct InputValues {
  int32_t ic = 0, il = 0, ip = 0, it = 0, ia = 0, ib = 0, im = 0;
  bool plain_bytes = false, keeps_backup = false;
};
// The /I group's values where given, otherwise 0.
InputValues input_values(const cli::CommandLine& command_line);
// Copies values into entry.
void apply_input_values(const InputValues& values, model::SourceEntry& entry);

// Builds sources from the /IF slots: given text, full path, backup path,
// flags and size of each (a repeated in-place name reads the backup its
// first occurrence is moved to), the group's values, /IC falling back to
// default_input_code, /I ordinal 1. False after the memory messages.
bool build_source_list(const cli::CommandLine& command_line, int32_t default_input_code, model::SourceList& sources);

// The sources a run copies once each: file entries without the repeat flag.
int32_t count_distinct_sources(const model::SourceList& sources);

}  // namespace peltrix::planning
