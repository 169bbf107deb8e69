#include "records/record_transform.h"

#include <string>

#include <gtest/gtest.h>

#include "records/test_support.h"

namespace peltrix::records {
namespace {

using testing::Transform;
using namespace std::string_literals;

TEST(ConversionToLfTest, SingleByteNewlines) {
  Transform lf(kCodeNone, 1);
  EXPECT_EQ(lf.run("a\r\nb\r\n"), "a\nb\n");
  EXPECT_EQ(lf.state.block_record_count, 2u);
  // A lone CR and the byte after it are copied unchanged.
  EXPECT_EQ(lf.run("a\rb\r\n"), "a\rb\n");
  EXPECT_EQ(lf.state.block_record_count, 1u);
  // No CR LF and no final record: the data is not rewritten.
  Transform plain(kCodeNone, 1);
  EXPECT_EQ(plain.run("abc", false), "abc");
  EXPECT_FALSE(plain.state.rewritten);
  EXPECT_EQ(plain.state.block_record_count, 0u);
}

TEST(ConversionToLfTest, FinalRecordGetsOneLfOnly) {
  Transform lf(kCodeNone, 1);
  EXPECT_EQ(lf.run("a\r\nb"), "a\nb\n");
  EXPECT_EQ(lf.state.block_record_count, 2u);
  // A last line that ends in a bare LF keeps its one LF and still counts.
  EXPECT_EQ(lf.run("a\r\nb\n"), "a\nb\n");
  EXPECT_EQ(lf.state.block_record_count, 2u);
  EXPECT_EQ(lf.run("x\ny\n"), "x\ny\n");
  EXPECT_EQ(lf.state.block_record_count, 1u);
  // A tail that begins with 0x1A is no record.
  EXPECT_EQ(lf.run("a\r\n\x1A"), "a\n\x1A");
  EXPECT_EQ(lf.state.block_record_count, 1u);
  // Not the last block: the tail waits for the next one.
  EXPECT_EQ(lf.run("a\r\nb", false), "a\nb");
}

TEST(ConversionToLfTest, WideUnitsInBothByteOrders) {
  Transform le(kCodeUtf16Le, 1);
  EXPECT_EQ(le.run("a\0\r\0\n\0"s), "a\0\n\0"s);
  // A character whose low byte is 0D is no carriage return.
  EXPECT_EQ(le.run("\r\x01\n\0"s), "\r\x01\n\0"s);
  EXPECT_EQ(le.state.block_record_count, 1u);

  Transform be(kCodeUtf16Be, 1);
  EXPECT_EQ(be.run("\0a\0\r\0\n\0b"s), "\0a\0\n\0b\0\n"s);
  EXPECT_EQ(be.state.block_record_count, 2u);

  Transform be32(kCodeUtf32Be, 1);
  EXPECT_EQ(be32.run("\0\0\0a\0\0\0\r\0\0\0\n"s), "\0\0\0a\0\0\0\n"s);
  // The EOF unit alone as the tail is no record.
  Transform le32(kCodeUtf32Le, 1);
  EXPECT_EQ(le32.run("a\0\0\0\r\0\0\0\n\0\0\0\x1A\0\0\0"s), "a\0\0\0\n\0\0\0\x1A\0\0\0"s);
  EXPECT_EQ(le32.state.block_record_count, 1u);
}

TEST(ConversionToLfTest, ALoneCrRightBeforeCrLfLeavesTheCrLfToBeFound) {
  Transform lf(kCodeNone, 1);
  EXPECT_EQ(lf.run("a\r\r\nb\r\n"), "a\r\nb\n");
  EXPECT_EQ(lf.state.block_record_count, 2u);
  // A final record that ends in a lone CR followed by one byte is still one.
  EXPECT_EQ(lf.run("a\rb"), "a\rb\n");
  Transform le(kCodeUtf16Le, 1);
  EXPECT_EQ(le.run("\r\0\r\0\n\0"s), "\r\0\n\0"s);
}

TEST(ConversionToLfTest, CrLfSplitBetweenTwoBlocksBecomesOneLf) {
  // The first block ends on the CR; the LF is the first byte held for the next.
  Transform lf(kCodeNone, 1);
  std::vector<uint8_t> first = testing::block("ab\r\n");
  uint32_t t = 3;
  lf.state.last_block = false;
  record_transform(first.data(), 3, t, lf.counters, lf.state, lf.settings);
  const std::string out1 = testing::output_of(first.data(), t, lf.state, lf.settings);
  EXPECT_EQ(lf.state.block_record_count, 1u);
  EXPECT_EQ(out1 + lf.run("\ncd"), "ab\ncd\n");

  Transform le(kCodeUtf16Le, 1);
  std::vector<uint8_t> wide = testing::block("a\0\r\0\n\0"s);
  t = 4;
  le.state.last_block = false;
  record_transform(wide.data(), 4, t, le.counters, le.state, le.settings);
  const std::string wide1 = testing::output_of(wide.data(), t, le.state, le.settings);
  EXPECT_EQ(wide1 + le.run("\n\0"s), "a\0\n\0"s);
}

TEST(ConversionToCrLfTest, EveryLfUnitBecomesCrLf) {
  Transform crlf(kCodeNone, 2);
  EXPECT_EQ(crlf.run("a\nb\n"), "a\r\nb\r\n");
  // A CR before the LF is not looked at.
  EXPECT_EQ(crlf.run("a\r\n"), "a\r\r\n");
  EXPECT_EQ(crlf.run("a\nx"), "a\r\nx\r\n");
  EXPECT_EQ(crlf.run("a\n\x1A"), "a\r\n\x1A");
  EXPECT_EQ(crlf.state.block_record_count, 1u);

  Transform be(kCodeUtf16Be, 2);
  EXPECT_EQ(be.run("\0a\0\n"s), "\0a\0\r\0\n"s);
  // A 0x0A that is half of another character is no newline.
  Transform le(kCodeUtf16Le, 2);
  EXPECT_EQ(le.run("\x0A\x30\n\0"s), "\x0A\x30\r\0\n\0"s);
  EXPECT_EQ(le.state.block_record_count, 1u);
}

TEST(ConversionToCrLfTest, AllNewlinesDoubleWithinTheStatedCapacity) {
  const std::string newlines(4096, '\n');
  Transform crlf(kCodeNone, 2);
  crlf.conversion.assign(conversion_capacity_for(newlines.size()), 0xCC);
  crlf.settings.conversion = crlf.conversion.data();
  crlf.settings.conversion_capacity = crlf.conversion.size();
  std::string expected;
  for (size_t i = 0; i < newlines.size(); ++i) expected += "\r\n";
  EXPECT_EQ(crlf.run(newlines), expected);
}

TEST(WideNewlineTest, OnlyUnitsWhereACharacterBeginsAreNewlines) {
  // U+0A01 U+4E00 little-endian is 01 0A 00 4E: the 0A 00 in the middle
  // joins two characters and is no newline.
  Transform le(kCodeUtf16Le, 2);
  EXPECT_EQ(le.run("\x01\x0A\x00\x4E"s), "\x01\x0A\x00\x4E\r\0\n\0"s);
  EXPECT_EQ(le.state.block_record_count, 1u);
  // U+0A41 then LF is 41 0A 0A 00: the newline right behind the 0A is found.
  Transform count(kCodeUtf16Le, 0, true);
  count.run("\x41\x0A\x0A\x00"s, false);
  EXPECT_EQ(count.state.block_record_count, 1u);
  // A last line ending in U+4E0A (0A 4E) is still the final record.
  count.run("a\0\n\0\x0A\x4E"s);
  EXPECT_EQ(count.state.block_record_count, 2u);
  // Big-endian: U+4E00 U+0A01 is 4E 00 0A 01, no newline.
  Transform be(kCodeUtf16Be, 0, true);
  be.run("\x4E\x00\x0A\x01\x00\x0A"s, false);
  EXPECT_EQ(be.state.block_record_count, 1u);
}

TEST(DataEndTest, TheNewlineOfTheFinalRecordComesBeforeAClosingEndOfFileUnit) {
  Transform crlf(kCodeNone, 2);
  EXPECT_EQ(crlf.run("a\ngamma\x1A"), "a\r\ngamma\r\n\x1A");
  EXPECT_EQ(crlf.state.block_record_count, 2u);
  Transform lf(kCodeUtf16Le, 1);
  EXPECT_EQ(lf.run("g\0\x1A\0"s), "g\0\n\0\x1A\0"s);
  EXPECT_EQ(lf.run("g\0\n\0\x1A\0"s), "g\0\n\0\x1A\0"s);
}

TEST(DataEndTest, AUnitNeedingBytesPastTheEndOfTheSourceIsNoUnit) {
  // A UTF-16 file cut short after 0D 00 0A: the missing half of the LF is not
  // made up, and nothing of the data is lost.
  Transform lf(kCodeUtf16Le, 1);
  EXPECT_EQ(lf.run("a\0\r\0\n"s), "a\0\r\0\n\n\0"s);
  // An LF unit that only an odd length puts at the end is no newline.
  Transform be(kCodeUtf16Be, 1);
  EXPECT_EQ(be.run("\0a\0\n\0"s), "\0a\0\n\0\0\n"s);
}

TEST(TransformModeTest, ModeFollowsNewlineSettingCountersAndCounting) {
  EXPECT_EQ(choose_mode(newlines_for(0), {0, 0}, false), TransformMode::kNone);
  EXPECT_EQ(choose_mode(newlines_for(0), {0, 0}, true), TransformMode::kCounting);
  EXPECT_EQ(choose_mode(newlines_for(0), {2, 0}, false), TransformMode::kSkipping);
  EXPECT_EQ(choose_mode(newlines_for(0), {-3, 0}, true), TransformMode::kSkipping);
  EXPECT_EQ(choose_mode(newlines_for(0), {0, 2}, true), TransformMode::kLimiting);
  EXPECT_EQ(choose_mode(newlines_for(0), {-1, 2}, false), TransformMode::kSkippingAndLimiting);
  EXPECT_EQ(choose_mode(newlines_for(1), {0, 0}, true), TransformMode::kToLf);
  EXPECT_EQ(choose_mode(newlines_for(2), {0, 0}, false), TransformMode::kToCrlf);

  // The mode none passes everything and counts nothing.
  Transform none(kCodeNone);
  EXPECT_EQ(none.run("a\nb\n"), "a\nb\n");
  EXPECT_EQ(none.state.block_record_count, 0u);
}

}  // namespace
}  // namespace peltrix::records
