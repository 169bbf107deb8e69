#include "records/windowed_conversion.h"

#include "records/byte_window.h"

namespace peltrix::records {

void window_then_convert(const uint8_t* data, uint32_t length, uint32_t& t, ByteCounters& counters,
                         TransformState& state, const TransformSettings& settings) {
  t = length;
  byte_window(length, t, counters, state);
  if (t == 0) return;
  const int64_t start = state.window_start;
  const int64_t end = state.window_end;
  uint32_t selected = static_cast<uint32_t>(end - start);

  // The selected data ends for good where the source ends or the limit cuts it.
  const bool was_last = state.last_block;
  state.last_block = was_last || state.stop;
  if (settings.or_value == 1) {
    convert_to_lf(data + start, selected, selected, state, settings);
  } else {
    convert_to_crlf(data + start, selected, selected, state, settings);
  }
  state.last_block = was_last;
  t = selected;
}

}  // namespace peltrix::records
