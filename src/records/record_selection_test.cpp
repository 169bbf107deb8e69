#include "records/record_selection.h"

#include <string>

#include <gtest/gtest.h>

#include "records/test_support.h"

namespace peltrix::records {
namespace {

using testing::Transform;
using namespace std::string_literals;

Transform skipping(int64_t skip, int64_t limit = 0, int32_t code = kCodeNone) {
  Transform transform(code);
  transform.counters = {skip, limit};
  return transform;
}

TEST(RecordSkipTest, OutputStartsJustPastTheLastSkippedRecord) {
  Transform il2 = skipping(2);
  EXPECT_EQ(il2.run("a\nb\ne\n"), "e\n");
  EXPECT_EQ(il2.state.block_record_count, 1u);
  EXPECT_EQ(il2.state.window_start, 4);
  EXPECT_FALSE(il2.state.zero_record);

  // The skip point at the very end: empty output, zero-record flag.
  Transform il3 = skipping(3);
  EXPECT_EQ(il3.run("a\nb\ne\n"), "");
  EXPECT_EQ(il3.state.block_record_count, 0u);
  EXPECT_TRUE(il3.state.zero_record);

  Transform il5 = skipping(5);
  EXPECT_EQ(il5.run("a\nb\ne\n"), "");
  EXPECT_EQ(il5.counters.records_to_skip, 2);
  EXPECT_EQ(il5.state.window_end, 0);
  EXPECT_TRUE(il5.state.zero_record);
}

TEST(RecordSkipTest, FinalRecordWithoutNewline) {
  Transform il1 = skipping(1);
  EXPECT_EQ(il1.run("a\nb"), "b");
  EXPECT_EQ(il1.state.block_record_count, 1u);
  // The final record is the last one skipped.
  Transform il2 = skipping(2);
  EXPECT_EQ(il2.run("a\nb"), "");
  EXPECT_EQ(il2.state.block_record_count, 0u);
  EXPECT_TRUE(il2.state.zero_record);
  Transform il2ip5 = skipping(2, 5);
  EXPECT_EQ(il2ip5.run("a\nb"), "");
  EXPECT_TRUE(il2ip5.state.zero_record);
}

TEST(RecordSkipTest, SkipPointInALaterBlock) {
  Transform il3 = skipping(3);
  EXPECT_EQ(il3.run("a\nb\n", false), "");
  EXPECT_FALSE(il3.state.zero_record);
  EXPECT_EQ(il3.counters.records_to_skip, 1);
  EXPECT_EQ(il3.run("c\nd\ne\n", false), "d\ne\n");
  EXPECT_EQ(il3.state.block_record_count, 2u);
  // Skipping stays on, now counting every record of the block.
  EXPECT_EQ(il3.counters.records_to_skip, -2);
  EXPECT_EQ(il3.run("f\ng"), "f\ng");
  EXPECT_EQ(il3.state.block_record_count, 2u);
}

TEST(RecordLimitTest, OutputEndsJustPastTheLastAllowedRecord) {
  Transform ip2 = skipping(0, 2);
  EXPECT_EQ(ip2.run("a\nb\ne\n"), "a\nb\n");
  EXPECT_EQ(ip2.state.block_record_count, 2u);
  EXPECT_TRUE(ip2.state.stop);

  // The final record without newline counts against the limit.
  Transform tail = skipping(0, 2);
  EXPECT_EQ(tail.run("a\nb"), "a\nb");
  EXPECT_EQ(tail.state.block_record_count, 2u);
  EXPECT_TRUE(tail.state.stop);

  // The limit point in the first of several blocks.
  Transform first = skipping(0, 1);
  EXPECT_EQ(first.run("x\ny\n", false), "x\n");
  EXPECT_TRUE(first.state.stop);

  // Wide units: the window ends just past the whole newline unit.
  Transform be = skipping(0, 1, kCodeUtf16Be);
  EXPECT_EQ(be.run("\0a\0\n\0b\0\n"s), "\0a\0\n"s);
  EXPECT_EQ(be.state.window_end, 4);
}

TEST(RecordSkipAndLimitTest, TheRecordEndingTheSkipDoesNotCountAgainstTheLimit) {
  Transform both = skipping(1, 1);
  EXPECT_EQ(both.run("a\nb\ne\n"), "b\n");
  EXPECT_EQ(both.state.block_record_count, 1u);
  EXPECT_TRUE(both.state.stop);

  // After the skip is done, a final tail counts but leaves the limit alone.
  Transform later = skipping(1, 3);
  EXPECT_EQ(later.run("a\nx\n", false), "x\n");
  EXPECT_EQ(later.counters.record_limit, 2);
  EXPECT_EQ(later.run("b\nc"), "b\nc");
  EXPECT_EQ(later.state.block_record_count, 2u);
  EXPECT_FALSE(later.state.stop);
  EXPECT_EQ(later.counters.record_limit, 1);

  // Limiting alone takes the tail off the limit and stops there.
  Transform alone = skipping(0, 2);
  EXPECT_EQ(alone.run("b\nc"), "b\nc");
  EXPECT_TRUE(alone.state.stop);
}

TEST(RecordCountTest, CountingTreatsALoneEofUnitAsNoRecord) {
  Transform count(kCodeNone, 0, true);
  EXPECT_EQ(count.run("a\n\x1A"), "a\n\x1A");
  EXPECT_EQ(count.state.block_record_count, 1u);
  EXPECT_EQ(count.run("a\nb"), "a\nb");
  EXPECT_EQ(count.state.block_record_count, 2u);

  // Skipping counts the same tail as a record.
  Transform skip(kCodeNone, 0, true);
  skip.counters = {1, 0};
  EXPECT_EQ(skip.run("a\nb\n\x1A"), "b\n\x1A");
  EXPECT_EQ(skip.state.block_record_count, 2u);
}

TEST(RecordCountTest, HalfOfAWideCharacterIsNoRecordEnd) {
  Transform le(kCodeUtf16Le, 0, true);
  // 0x300A is the character 30 0A little-endian: bytes 0A 30.
  le.run("\x0A\x30\x41\0\n\0"s);
  EXPECT_EQ(le.state.block_record_count, 1u);
  Transform be(kCodeUtf16Be, 0, true);
  be.run("\x0A\x30\0\n"s);
  EXPECT_EQ(be.state.block_record_count, 1u);
}

TEST(RecordCountTest, AUnitNeverBeginsInFrontOfTheData) {
  // Big-endian data that begins with the low half of a newline unit: the
  // byte in front belongs to nobody and is not looked at.
  Transform be(kCodeUtf16Be, 0, true);
  std::vector<uint8_t> buffer = testing::block("\0\n\0a"s, 16);
  buffer.insert(buffer.begin(), 4, 0);
  be.state.last_block = false;
  uint32_t t = 3;
  record_transform(buffer.data() + 5, 3, t, be.counters, be.state, be.settings);
  EXPECT_EQ(be.state.block_record_count, 0u);
}

}  // namespace
}  // namespace peltrix::records
