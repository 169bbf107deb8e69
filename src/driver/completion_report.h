// The completion report: why an output stayed empty, and with /M the count
// of sources and destinations and, by message type, each destination's name
// and the records written to it.
#pragma once

#include <cstdint>

#include "model/entries.h"
#include "model/repeat_table.h"

namespace peltrix::driver {

struct ReportInputs {
  bool data_on_stdout = false;  // the report then goes to standard error
  const model::DestinationList* destinations = nullptr;
  bool zero_record = false;     // a record skip swallowed the input
  bool zero_byte = false;       // a byte skip swallowed the input
  int32_t message_type = 0;     // /MT; 0 without /M
  int32_t file_count = 0;
  int32_t destination_count = 0;
  int32_t distinct_source_count = 0;
  const model::RepeatTable* repeats = nullptr;
  bool repeats_allowed = false;  // /W
  bool per_file = false;         // /N
};

// Prints the report's I001 lines on the chosen stream.
void print_completion_report(const ReportInputs& inputs);

}  // namespace peltrix::driver
