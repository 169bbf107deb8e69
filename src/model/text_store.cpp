#include "model/text_store.h"

#include <new>

#include "platform/platform.h"

namespace peltrix::model {

const char* TextStore::keep(std::string_view text, messages::MemoryCode memory_code) {
  try {
    return texts_.emplace_back(text).c_str();
  } catch (const std::bad_alloc&) {
    messages::memory_refused(memory_code, text.size() + 1, platform::kErrorNotEnoughMemory);
    return nullptr;
  }
}

}  // namespace peltrix::model
