// The source list from the /IF names: one file entry per name, in the order
// given, repeats included.
#pragma once

#include <cstdint>

#include "cli/option_tables.h"
#include "model/entries.h"
#include "model/repeat_table.h"
#include "planning/in_place_check.h"

namespace peltrix::planning {

// Builds sources from the /IF slots: given text, full path, flags and size
// of each, a repeat (a row of repeats that names an earlier occurrence)
// flagged so, an in-place source with its backup path (a repeated in-place
// name reads the backup its first occurrence is moved to), settings for
// all, /I ordinal 1. False after the memory messages.
bool build_source_list(const cli::CommandLine& command_line, const model::SourceSettings& settings,
                       const model::RepeatTable& repeats, const InPlaceNames& in_place, model::SourceList& sources);

// The sources a run copies once each: file entries without the repeat flag.
int32_t count_distinct_sources(const model::SourceList& sources);

}  // namespace peltrix::planning
