#include "records/windowed_conversion.h"

#include "records/byte_window.h"
#include "records/newline_scan.h"

namespace peltrix::records {

void window_then_convert(const uint8_t* data, uint32_t length, uint32_t& output_length, ByteCounters& counters,
                         TransformState& state, const TransformSettings& settings) {
  output_length = length;
  byte_window(length, output_length, counters, state);
  if (output_length == 0) return;
  const int64_t start = state.window_start;
  const int64_t end = state.window_end;
  uint32_t selected = static_cast<uint32_t>(end - start);

  // The selected data ends for good where the source ends or the limit cuts
  // it; before that, only the bytes the limit still allows follow the window.
  const bool was_last = state.last_block;
  state.last_block = was_last || state.stop;
  DataPlace place;
  place.phase = static_cast<uint32_t>(start);  // code units keep their places in the source
  if (!state.last_block) {
    place.beyond = kBytesBeyondBlock;
    if (counters.byte_limit != 0 && counters.byte_limit < place.beyond) {
      place.beyond = static_cast<uint32_t>(counters.byte_limit);
    }
  }
  if (settings.newlines == Newlines::kToLf) {
    convert_to_lf(data + start, selected, selected, state, settings, &place);
  } else {
    convert_to_crlf(data + start, selected, selected, state, settings, &place);
  }
  state.last_block = was_last;
  output_length = selected;
}

}  // namespace peltrix::records
