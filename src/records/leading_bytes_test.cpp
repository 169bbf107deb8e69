#include "records/leading_bytes.h"

#include <string>

#include <gtest/gtest.h>

#include "records/code_table.h"

namespace peltrix::records {
namespace {

using Finding = LeadingBytes::Finding;

struct Check {
  bool ok;
  Finding finding;
};

Check check(const std::string& bytes, int32_t ic, int32_t& detected, bool plain_bytes = false) {
  const LeadingBytes found =
      check_leading_bytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), ic, plain_bytes, detected);
  return {found.finding == Finding::kAgrees, found.finding};
}

TEST(LeadingBytesTest, MarksAreClassifiedWithUtf32BeforeUtf16) {
  auto classify = [](const std::string& bytes) {
    int32_t detected = kCodeUndecided;
    check_leading_bytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), 0, false, detected);
    return detected == kCodeUndecided ? kCodeNone : detected;
  };
  EXPECT_EQ(classify(std::string("\xFF\xFE\0\0", 4)), kCodeUtf32Le);
  EXPECT_EQ(classify(std::string("\xFF\xFE\x41\0", 4)), kCodeUtf16Le);
  // Too short for the UTF-32 mark: the UTF-16 row decides.
  EXPECT_EQ(classify(std::string("\xFF\xFE\0", 3)), kCodeUtf16Le);
  EXPECT_EQ(classify(std::string("\0\0\xFE\xFF", 4)), kCodeUtf32Be);
  EXPECT_EQ(classify("\xEF\xBB\xBFx"), kCodeUtf8);
  EXPECT_EQ(classify("\xFE\xFF"), kCodeUtf16Be);
  EXPECT_EQ(classify("ab"), kCodeNone);
}

TEST(LeadingBytesTest, AllSourcesCarryTheSameMarkOrNone) {
  int32_t detected = kCodeUndecided;
  EXPECT_TRUE(check("\xEF\xBB\xBF" "abc", 0, detected).ok);
  EXPECT_EQ(detected, kCodeUtf8);
  EXPECT_TRUE(check("\xEF\xBB\xBF" "x", 0, detected).ok);
  EXPECT_EQ(check("plain", 0, detected).finding, Finding::kOtherMark);

  // Sources of 0 or 1 byte and sources handled as plain bytes are not checked.
  int32_t none = kCodeNone;
  EXPECT_TRUE(check("\xEF", 0, none).ok);
  EXPECT_TRUE(check("\xFF\xFE", 0, none, true).ok);
  EXPECT_EQ(none, kCodeNone);
  int32_t undecided = kCodeUndecided;
  EXPECT_TRUE(check("", 0, undecided).ok);
  EXPECT_EQ(undecided, kCodeUndecided);
}

TEST(LeadingBytesTest, InputCodeMustAgreeWithTheMark) {
  int32_t detected = kCodeUndecided;
  EXPECT_EQ(check(std::string("\xFF\xFE\0\0", 4), 4, detected).finding, Finding::kMarkAgainstCode);
  detected = kCodeUndecided;
  EXPECT_EQ(check("\xEF\xBB\xBF" "a", 1, detected).finding, Finding::kPresenceAgainstCode);

  // A source without a mark passes whatever /IC says.
  detected = kCodeUndecided;
  EXPECT_TRUE(check("ab", 5, detected).ok);
  EXPECT_EQ(detected, kCodeNone);
  detected = kCodeUndecided;
  EXPECT_TRUE(check("\xFE\xFF\0a", 5, detected).ok);
  EXPECT_EQ(detected, kCodeUtf16Be);
}

TEST(CodeTableTest, ActiveUnitsFollowTheMarkThenTheInputCode) {
  EXPECT_EQ(select_active_units(kCodeUtf32Le, 0).lf.length, 4u);
  EXPECT_EQ(select_active_units(kCodeNone, 5).lf.key_offset, 1u);
  EXPECT_EQ(select_active_units(kCodeUndecided, 7).crlf.length, 8u);
  EXPECT_EQ(select_active_units(kCodeUndecided, 0).eof.length, 1u);
  EXPECT_EQ(select_active_units(kCodeNone, 2).lf.length, 1u);
  // The mark wins over /IC.
  EXPECT_EQ(effective_code(kCodeUtf16Be, 3), kCodeUtf16Be);
  for (int32_t code = 0; code < kCodeCount; ++code) {
    const UnitPattern& lf = kLfUnits[code];
    EXPECT_EQ(lf.bytes[lf.key_offset], 0x0A) << code;
    EXPECT_EQ(kCrlfUnits[code].bytes[kCrlfUnits[code].key_offset], 0x0D) << code;
    EXPECT_EQ(kEofUnits[code].bytes[kEofUnits[code].key_offset], 0x1A) << code;
    EXPECT_EQ(kCrlfUnits[code].length, 2 * lf.length) << code;
  }
}

}  // namespace
}  // namespace peltrix::records
