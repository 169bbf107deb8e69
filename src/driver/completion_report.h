// The completion report: why an output stayed empty, and with /M the count
// of sources and destinations and, by message type, each destination's name
// and the records written to it.
#pragma once

#include <cstdint>

#include "model/entries.h"
#include "model/repeat_table.h"
#include "model/settings.h"

namespace peltrix::driver {

struct ReportInputs {
  bool data_on_stdout = false;  // the report then goes to standard error
  const model::DestinationList* destinations = nullptr;
  bool zero_record = false;     // a record skip swallowed the input
  bool zero_byte = false;       // a byte skip swallowed the input
  model::Report report = model::Report::kNone;
  int32_t file_count = 0;
  int32_t destination_count = 0;
  int32_t distinct_source_count = 0;
  const model::RepeatTable* repeats = nullptr;
  bool by_distinct_source = false;  // /W with /N: a file named again is counted once
};

// Prints the report's I001 lines on the chosen stream.
void print_completion_report(const ReportInputs& inputs);

}  // namespace peltrix::driver
