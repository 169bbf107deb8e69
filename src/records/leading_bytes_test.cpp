#include "records/leading_bytes.h"

#include <string>

#include <gtest/gtest.h>

#include "records/code_table.h"

namespace peltrix::records {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

struct Check {
  bool ok;
  std::string err;
};

Check check(const std::string& bytes, int32_t ic, int32_t& detected, int32_t iy = 0) {
  CaptureStderr();
  const bool ok = check_leading_bytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), ic, iy, detected);
  return {ok, GetCapturedStderr()};
}

TEST(LeadingBytesTest, MarksAreClassifiedWithUtf32BeforeUtf16) {
  auto classify = [](const std::string& bytes) {
    return classify_bom(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
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
  const Check no_mark = check("plain", 0, detected);
  EXPECT_FALSE(no_mark.ok);
  EXPECT_EQ(no_mark.err,
            "E115-1 コピー元ファイルのBOMの値が異なります。\n"
            "E115-2 コピー元ファイルのBOMの値は，同じものに統一してください。\n");

  // Sources of 0 or 1 byte and sources handled as plain bytes are not checked.
  int32_t none = kCodeNone;
  EXPECT_TRUE(check("\xEF", 0, none).ok);
  EXPECT_TRUE(check("\xFF\xFE", 0, none, 2).ok);
  EXPECT_EQ(none, kCodeNone);
  int32_t undecided = kCodeUndecided;
  EXPECT_TRUE(check("", 0, undecided).ok);
  EXPECT_EQ(undecided, kCodeUndecided);
}

TEST(LeadingBytesTest, InputCodeMustAgreeWithTheMark) {
  int32_t detected = kCodeUndecided;
  const Check utf32 = check(std::string("\xFF\xFE\0\0", 4), 4, detected);
  EXPECT_FALSE(utf32.ok);
  EXPECT_EQ(utf32.err,
            "E126-1 コピー元ファイルのBOMの値と，指定した/IC4に対応するBOMの値が異なります。\n"
            "E126-2 コピー元ファイルのBOMの値:0xFFFE0000・・・UTF-32のリトルエンディアンのBOMの値\n"
            "E126-3 指定した/IC4に対応するBOMの値:0xFFFE・・・UTF-16のリトルエンディアンのBOMの値\n"
            "E126-4 /ICの値を，コピー元ファイルのBOMに対応する値に変更してください。\n");

  detected = kCodeUndecided;
  const Check single = check("\xEF\xBB\xBF" "a", 1, detected);
  EXPECT_FALSE(single.ok);
  EXPECT_EQ(single.err,
            "E126-1 コピー元ファイルのBOMの有無と，指定した/IC1に対応するBOMの有無が異なります。\n"
            "E126-2 /ICの値を，コピー元ファイルのBOMの有無に対応する値に変更してください。\n");

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
