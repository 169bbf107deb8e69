#include "records/byte_window.h"

namespace peltrix::records {

void byte_window(uint32_t length, ByteCounters& counters, TransformState& state) {
  state.window_start = 0;
  state.window_end = length;
  if (counters.bytes_to_skip != 0) {
    if (counters.bytes_to_skip >= length) {
      counters.bytes_to_skip -= length;
      state.window_start = length;
      if (state.last_block) state.zero_byte = true;
    } else {
      state.window_start = static_cast<int64_t>(counters.bytes_to_skip);
      counters.bytes_to_skip = 0;
    }
  }
  const auto selected = static_cast<uint64_t>(state.window_end - state.window_start);
  if (counters.byte_limit != 0) {
    if (selected < counters.byte_limit) {
      counters.byte_limit -= selected;
    } else {
      state.window_end = state.window_start + static_cast<int64_t>(counters.byte_limit);
      state.stop = true;
    }
  }
}

RangeWindow window_range(uint64_t length, ByteCounters& counters) {
  RangeWindow window;
  if (counters.bytes_to_skip >= length) {
    counters.bytes_to_skip -= length;
    return window;
  }
  window.start = counters.bytes_to_skip;
  window.length = length - counters.bytes_to_skip;
  counters.bytes_to_skip = 0;
  if (counters.byte_limit != 0) {
    if (window.length < counters.byte_limit) {
      counters.byte_limit -= window.length;
    } else {
      window.length = counters.byte_limit;
      window.stop = true;
    }
  }
  return window;
}

}  // namespace peltrix::records
