#include "model/entries.h"

#include <new>


namespace peltrix::model {

namespace {

template <typename Entry>
Entry* add(std::deque<Entry>& entries, messages::MemoryCode memory_code) {
  try {
    return &entries.emplace_back();
  } catch (const std::bad_alloc&) {
    messages::memory_refused(memory_code, sizeof(Entry), platform::kErrorNotEnoughMemory);
    return nullptr;
  }
}

}  // namespace

SourceEntry* add_entry(std::deque<SourceEntry>& entries, messages::MemoryCode memory_code) {
  return add(entries, memory_code);
}

DestinationEntry* add_entry(std::deque<DestinationEntry>& entries, messages::MemoryCode memory_code) {
  return add(entries, memory_code);
}

}  // namespace peltrix::model
