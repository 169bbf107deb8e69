#include "paths/heap_text.h"

#include <new>

#include "messages/messages.h"
#include "platform/platform.h"

namespace peltrix::paths {

bool hold_text(int memory_code, std::string_view text, size_t requested, std::string& out) {
  // A refused allocation is this operation's failure, not the program's end.
  try {
    out.assign(text);
  } catch (const std::bad_alloc&) {
    messages::out_of_memory(memory_code, requested, platform::kErrorNotEnoughMemory);
    return false;
  }
  return true;
}

}  // namespace peltrix::paths
