// The byte window: applies a source's byte skip (/IT, /IA) and byte limit
// (/IB, /IM) to one block by moving the output window.
#pragma once

#include <cstdint>

#include "records/transform_state.h"

namespace peltrix::records {

inline constexpr uint64_t kMegabyte = 1048576;

// Windows the block of length bytes: sets state.window_start/window_end
// (an empty window when the skip swallows the block), and sets state.stop
// when the limit is reached.
void byte_window(uint32_t length, ByteCounters& counters, TransformState& state);

// The part of a stretch of `length` bytes that the counters let through,
// as byte_window would give it block by block: skipped bytes first, then at
// most the limit; stop when the limit ends within the stretch.
struct RangeWindow {
  uint64_t start = 0;
  uint64_t length = 0;
  bool stop = false;
};
RangeWindow window_range(uint64_t length, ByteCounters& counters);

}  // namespace peltrix::records
