#include "planning/entry_pools.h"

#include <gtest/gtest.h>

namespace peltrix::planning {
namespace {

// Makes count entries as the builders do and checks the pools and the chain.
template <typename List>
void check_pools(List& list, int32_t count) {
  for (int32_t made = 0; made < count; ++made) {
    auto* entry = take_entry(list, made, 1, 2);
    ASSERT_NE(entry, nullptr);
    // Every entry is taken as new, though its pool's memory was never cleared.
    EXPECT_EQ(entry->next, nullptr);
    EXPECT_EQ(entry->handle, platform::kInvalidFile);
    EXPECT_EQ(entry->kind, 0);
    entry->kind = made;
  }
  ASSERT_EQ(list.storage.pools.size(), 2u);
  auto* first_pool = list.storage.pools[0].get();
  auto* second_pool = list.storage.pools[1].get();
  EXPECT_EQ(list.head, first_pool);
  EXPECT_EQ(first_pool->pool_link, second_pool);
  EXPECT_EQ(second_pool->pool_link, nullptr);
  EXPECT_EQ(list.last_pool, second_pool);
  EXPECT_EQ(list.current, second_pool);
  EXPECT_EQ(first_pool[paths::kEntriesPerPool - 1].next, second_pool);

  int32_t walked = 0;
  for (auto* entry = list.head; entry != nullptr; entry = entry->next) EXPECT_EQ(entry->kind, walked++);
  EXPECT_EQ(walked, count);
}

TEST(EntryPoolsTest, TheEntryAfter4096StartsASecondPoolAndTheChainRunsThroughIt) {
  paths::SourceList sources;
  check_pools(sources, paths::kEntriesPerPool + 1);
  paths::DestinationList destinations;
  check_pools(destinations, paths::kEntriesPerPool + 1);
}

}  // namespace
}  // namespace peltrix::planning
