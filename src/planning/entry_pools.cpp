#include "planning/entry_pools.h"

namespace peltrix::planning {

void print_memory_refused(int code, size_t requested) {
  messages::out_of_memory(code, requested, platform::kErrorNotEnoughMemory);
  messages::system_error_lines(code, 2, platform::kErrorNotEnoughMemory);
}

}  // namespace peltrix::planning
