#include "records/windowed_conversion.h"

#include "records/byte_window.h"
#include "records/newline_scan.h"

namespace peltrix::records {

void window_then_convert(const uint8_t* data, uint32_t length, ByteCounters& counters, TransformState& state,
                         const TransformSettings& settings) {
  byte_window(length, counters, state);
  const int64_t start = state.window_start;
  const int64_t end = state.window_end;
  if (end == start) return;

  // The selected data ends for good where the source ends or the limit cuts
  // it; before that, only the bytes the limit still allows follow the window.
  DataPlace place;
  place.phase = static_cast<uint32_t>(start);  // code units keep their places in the source
  place.ends = state.last_block || state.stop;
  if (!place.ends) {
    place.beyond = kBytesBeyondBlock;
    if (counters.byte_limit != 0 && counters.byte_limit < place.beyond) {
      place.beyond = static_cast<uint32_t>(counters.byte_limit);
    }
  }
  const auto selected = static_cast<uint32_t>(end - start);
  if (settings.newlines == Newlines::kToLf) {
    convert_to_lf(data + start, selected, state, settings, place);
  } else {
    convert_to_crlf(data + start, selected, state, settings, place);
  }
}

}  // namespace peltrix::records
