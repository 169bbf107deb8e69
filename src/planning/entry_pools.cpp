#include "planning/entry_pools.h"

namespace peltrix::planning {

void print_memory_refused(int code, size_t requested) {
  messages::out_of_memory(code, requested, kErrorNotEnoughMemory);
  messages::system_error_lines(code, 2, kErrorNotEnoughMemory);
}

}  // namespace peltrix::planning
