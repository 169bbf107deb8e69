#include "model/entries.h"

#include <new>

#include "messages/messages.h"

namespace peltrix::model {

namespace {

template <typename Entry>
Entry* add(std::deque<Entry>& entries, int memory_code) {
  try {
    return &entries.emplace_back();
  } catch (const std::bad_alloc&) {
    print_memory_refused(memory_code, sizeof(Entry));
    return nullptr;
  }
}

}  // namespace

SourceEntry* add_entry(std::deque<SourceEntry>& entries, int memory_code) { return add(entries, memory_code); }

DestinationEntry* add_entry(std::deque<DestinationEntry>& entries, int memory_code) {
  return add(entries, memory_code);
}

void print_memory_refused(int code, size_t requested) {
  messages::out_of_memory(code, requested, platform::kErrorNotEnoughMemory);
  messages::system_error_lines(code, 2, platform::kErrorNotEnoughMemory);
}

}  // namespace peltrix::model
