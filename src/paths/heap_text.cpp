#include "paths/heap_text.h"

#include <new>


namespace peltrix::paths {

bool hold_text(messages::TextMemoryCode memory_code, std::string_view text, size_t requested, std::string& out) {
  // A refused allocation is this operation's failure, not the program's end.
  try {
    out.assign(text);
  } catch (const std::bad_alloc&) {
    messages::text_memory_refused(memory_code, requested);
    return false;
  }
  return true;
}

}  // namespace peltrix::paths
