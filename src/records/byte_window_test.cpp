#include "records/byte_window.h"

#include <gtest/gtest.h>

namespace peltrix::records {
namespace {

struct Window {
  uint32_t t;
  int64_t start;
  int64_t end;
};

Window apply(uint32_t length, ByteCounters& counters, TransformState& state) {
  uint32_t t = length;
  byte_window(length, t, counters, state);
  return {t, state.window_start, state.window_end};
}

TEST(ByteWindowTest, SkipAndLimitWithinOneBlock) {
  ByteCounters counters = byte_counters_for(3, 0, 4, 0);
  TransformState state;
  state.last_block = true;
  const Window w = apply(8, counters, state);  // a..h gives d..g
  EXPECT_EQ(w.start, 3);
  EXPECT_EQ(w.end, 7);
  EXPECT_TRUE(state.stop);
}

TEST(ByteWindowTest, SkipSwallowingTheLastBlockSetsTheZeroByteFlag) {
  ByteCounters counters = byte_counters_for(10, 0, 0, 0);
  TransformState state;
  state.last_block = true;
  EXPECT_EQ(apply(4, counters, state).t, 0u);
  EXPECT_EQ(counters.bytes_to_skip, 6u);
  EXPECT_TRUE(state.zero_byte);
}

TEST(ByteWindowTest, SkipAndLimitRunAcrossBlocks) {
  ByteCounters counters = byte_counters_for(0, 1, 0, 0);
  EXPECT_EQ(counters.bytes_to_skip, 1048576u);
  TransformState state;
  EXPECT_EQ(apply(1048576, counters, state).t, 0u);
  EXPECT_FALSE(state.zero_byte);
  const Window second = apply(1000, counters, state);
  EXPECT_EQ(second.start, 0);
  EXPECT_EQ(second.t, 1000u);

  ByteCounters limit = byte_counters_for(0, 0, 0, 1);
  TransformState limited;
  apply(1048576, limit, limited);
  EXPECT_TRUE(limited.stop);
  EXPECT_EQ(limited.window_end, 1048576);

  // A limit equal to what is left stops on that block with the window whole.
  ByteCounters exact = byte_counters_for(0, 0, 1500, 0);
  TransformState state2;
  apply(1000, exact, state2);
  EXPECT_FALSE(state2.stop);
  const Window last = apply(500, exact, state2);
  EXPECT_TRUE(state2.stop);
  EXPECT_EQ(last.end, 500);

  // /IT10 on a larger source starts the first block's output at 10.
  ByteCounters skip = byte_counters_for(10, 0, 0, 0);
  TransformState state3;
  EXPECT_EQ(apply(1048576, skip, state3).start, 10);
  EXPECT_EQ(apply(1048576, skip, state3).start, 0);
}

}  // namespace
}  // namespace peltrix::records
