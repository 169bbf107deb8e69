// The record-selecting modes of the record transform: counting, skipping the
// first records of a source (/IL), passing at most a number of records (/IP),
// and both. They move the output window instead of copying data, and carry
// their counters from block to block.
#pragma once

#include <cstdint>

#include "records/code_table.h"
#include "records/transform_state.h"

namespace peltrix::records {

// Each takes the block's data[0, length) and the run's units; the state's
// window starts as [0, length) and ends as the output, empty for none.

// Counts the records of the block; a final record that is exactly the
// end-of-file unit is no record.
void count_records(const uint8_t* data, int64_t length, const ActiveUnits& units, TransformState& state);

// Skips records_to_skip records; output starts just past the last one skipped.
void skip_records(const uint8_t* data, int64_t length, const ActiveUnits& units, RecordCounters& counters,
                  TransformState& state);

// Passes at most record_limit records; output ends just past the last one.
void limit_records(const uint8_t* data, int64_t length, const ActiveUnits& units, RecordCounters& counters,
                   TransformState& state);

// Skips, then passes at most record_limit records; the record that ends the
// skip does not count against the limit.
void skip_and_limit_records(const uint8_t* data, int64_t length, const ActiveUnits& units, RecordCounters& counters,
                            TransformState& state);

}  // namespace peltrix::records
