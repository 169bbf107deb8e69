#include "model/text_store.h"

#include <new>

#include "model/entries.h"

namespace peltrix::model {

const char* TextStore::keep(std::string_view text, int memory_code) {
  try {
    return texts_.emplace_back(text).c_str();
  } catch (const std::bad_alloc&) {
    print_memory_refused(memory_code, text.size() + 1);
    return nullptr;
  }
}

}  // namespace peltrix::model
