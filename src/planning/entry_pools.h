// Taking entries from the pools of a source or destination list: blocks of
// 4096 entries, the first entry of each linking to the next block,
// and every entry linked behind the one made before it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>

#include "messages/messages.h"
#include "paths/entries.h"

namespace peltrix::planning {


// The out-of-memory line of code with the requested size, then the
// system-error lines from line 2.
void print_memory_refused(int code, size_t requested);

// A new pool kept by storage, its first entry made; nullptr after the
// messages of code.
template <typename Entry>
Entry* new_pool(paths::EntryPools<Entry>& storage, int code) {
  constexpr size_t kRequested = sizeof(Entry) * paths::kEntriesPerPool;
  std::unique_ptr<Entry, paths::PoolStorageRelease> pool(static_cast<Entry*>(::operator new(kRequested, std::nothrow)));
  if (pool == nullptr) {
    print_memory_refused(code, kRequested);
    return nullptr;
  }
  try {
    storage.pools.push_back(std::move(pool));
  } catch (const std::bad_alloc&) {
    print_memory_refused(code, kRequested);
    return nullptr;
  }
  return new (storage.pools.back().get()) Entry();
}

// The next entry of list, made is the number of entries made so far: the
// first pool is obtained under first_pool_code, each later one under
// next_pool_code. Returns nullptr after the memory messages.
template <typename List>
auto* take_entry(List& list, int32_t made, int first_pool_code, int next_pool_code) {
  using Entry = std::remove_pointer_t<decltype(list.head)>;
  Entry* entry = nullptr;
  if (list.head == nullptr) {
    entry = new_pool(list.storage, first_pool_code);
    if (entry == nullptr) return entry;
    list.head = entry;
    list.last_pool = entry;
  } else if (made > 0 && made % paths::kEntriesPerPool == 0) {
    entry = new_pool(list.storage, next_pool_code);
    if (entry == nullptr) return entry;
    list.last_pool->pool_link = entry;
    list.last_pool = entry;
  } else {
    entry = new (list.current + 1) Entry();
  }
  if (list.current != nullptr) list.current->next = entry;
  list.current = entry;
  return entry;
}

}  // namespace peltrix::planning
