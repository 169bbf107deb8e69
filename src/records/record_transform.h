// The record transform: the one operation every block passes through when
// records matter. It picks the mode from /OR, /IL, /IP and /MT3, counts the
// block's records, moves the output window for skips and limits, and for /OR
// rewrites the data with converted newlines.
#pragma once

#include <cstddef>
#include <cstdint>

#include "records/code_table.h"
#include "records/output_settings.h"
#include "records/transform_state.h"

namespace peltrix::records {

enum class TransformMode { kNone, kCounting, kSkipping, kLimiting, kSkippingAndLimiting, kToLf, kToCrlf };

// The mode for the newlines of the output, the source's counters and
// whether /MT3 counts records. A skip that went below 0 keeps skipping.
TransformMode choose_mode(Newlines newlines, const RecordCounters& counters, bool count_records);

struct TransformSettings {
  Newlines newlines = Newlines::kUnchanged;
  bool count_records = false;  // /MT3
  ActiveUnits units{};
  uint8_t* conversion = nullptr;   // where converted data is built
  size_t conversion_capacity = 0;  // must hold 2 * length + 16 bytes
};

// Bytes a conversion buffer needs for data of length bytes.
inline constexpr size_t conversion_capacity_for(size_t length) { return 2 * length + 16; }

// Processes the block's data[0, length). After a conversion that found
// records, state.rewritten is set and the output is the first
// state.converted_length bytes of settings.conversion; otherwise it is data
// [state.window_start, state.window_end), empty when nothing is output.
// Unless state.last_block is set, up to 7 bytes after the data are read: the
// bytes that the next block begins with.
void record_transform(const uint8_t* data, uint32_t length, RecordCounters& counters, TransformState& state,
                      const TransformSettings& settings);

// Where converted data lies in its source: its offset from a code unit
// boundary, how many bytes past it still belong to the data, and whether
// the data ends for good with it (its final record then takes a newline).
struct DataPlace {
  uint32_t phase = 0;
  uint32_t beyond = 0;
  bool ends = false;
};

// The two conversions on their own, with the same contract.
void convert_to_lf(const uint8_t* data, uint32_t length, TransformState& state, const TransformSettings& settings,
                   const DataPlace& place);
void convert_to_crlf(const uint8_t* data, uint32_t length, TransformState& state, const TransformSettings& settings,
                     const DataPlace& place);

}  // namespace peltrix::records
