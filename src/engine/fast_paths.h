// Which fast paths a run took, counted so that tests (and anyone curious)
// can see that platform::copy_range (copy_file_range on Linux), the
// counting thread and the write-behind thread really ran.
#pragma once

#include <cstdint>

namespace peltrix::engine {

struct FastPathCounts {
  uint64_t ranges_copied_bytes = 0;    // bytes copy_range moved without reading them into the program
  uint64_t blocks_counted_beside = 0;  // blocks whose records the counting thread counted
  uint64_t blocks_written_behind = 0;  // blocks written on the write-behind thread
};

}  // namespace peltrix::engine
