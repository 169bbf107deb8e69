// Which fast paths a run took, counted so that tests (and anyone curious)
// can see that platform::copy_range (copy_file_range on Linux), the
// counting thread and the write-behind thread
// really ran, and where they fell back.
#pragma once

#include <cstdint>

namespace peltrix::engine {

struct FastPathCounts {
  uint64_t system_copied_bytes = 0;    // bytes copy_range moved inside the system
  uint64_t relayed_bytes = 0;          // bytes relayed to a destination copy_range cannot reach
  uint64_t blocks_counted_beside = 0;  // blocks whose records the counting thread counted
  uint64_t blocks_written_behind = 0;  // blocks written on the write-behind thread
  uint32_t system_copy_refusals = 0;   // sources whose copy_range was refused: read instead
  uint32_t thread_refusals = 0;        // second threads the system would not start: one thread did the work
};

}  // namespace peltrix::engine
