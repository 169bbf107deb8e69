#include "records/bom_step.h"

#include <string>

#include <gtest/gtest.h>

#include "records/code_table.h"

namespace peltrix::records {
namespace {

// The first output after the step, or "E116" when the step refused.
std::string step(const std::string& output, int32_t oj, int32_t detected, int32_t il = 0, int32_t iy = 0) {
  std::string buffer = output + std::string(4, '\0');
  uint32_t length = static_cast<uint32_t>(output.size());
  BomEdit edit;
  ::testing::internal::CaptureStderr();
  const bool ok = plan_bom_edit(reinterpret_cast<const uint8_t*>(buffer.data()), length, {oj, il, iy, detected}, edit);
  const std::string err = ::testing::internal::GetCapturedStderr();
  if (!ok) return err;
  apply_bom_edit(reinterpret_cast<uint8_t*>(buffer.data()), length, edit);
  return buffer.substr(0, length);
}

TEST(BomStepTest, MarksArePutInFrontOfSourcesWithoutOne) {
  EXPECT_EQ(step("abc", 1, kCodeNone), "\xEF\xBB\xBF" "abc");
  EXPECT_EQ(step("ab", 2, kCodeUndecided), "\xFF\xFE" "ab");
  EXPECT_EQ(step("ab", 3, kCodeNone), "\xFE\xFF" "ab");
  EXPECT_EQ(step("ab", 4, kCodeNone), std::string("\xFF\xFE\0\0" "ab", 6));
  EXPECT_EQ(step("ab", 5, kCodeNone), std::string("\0\0\xFE\xFF" "ab", 6));
}

TEST(BomStepTest, NamingAMarkForSourcesThatCarryOneIsRefused) {
  EXPECT_EQ(step("\xEF\xBB\xBF" "a", 2, kCodeUtf8),
            "E116-1 コピー元ファイルにBOMが設定されている場合，/OJ1は指定できません。\n"
            "E116-2 /OJ1の指定を削除するか，/OJ6，または/OJ7に変更してください。\n");
}

TEST(BomStepTest, KeepRemoveAndPutBack) {
  // /OJ6 and no /OJ leave the data alone.
  EXPECT_EQ(step("\xFF\xFE" "a", 6, kCodeUtf16Le), "\xFF\xFE" "a");
  EXPECT_EQ(step("\xFF\xFE" "a", 0, kCodeUtf16Le), "\xFF\xFE" "a");
  EXPECT_EQ(step("a", 6, kCodeNone, 3), "a");
  // /OJ7 removes the sources' mark, and nothing from sources without one.
  EXPECT_EQ(step("\xFF\xFE" "a", 7, kCodeUtf16Le), "a");
  EXPECT_EQ(step("abc", 7, kCodeNone), "abc");
  // A skipped first record took the mark with it: no /OJ puts it back.
  EXPECT_EQ(step("b\n", 0, kCodeUtf16Le, 1), "\xFF\xFE" "b\n");
  EXPECT_EQ(step("b\n", 0, kCodeNone, 1), "b\n");
  // /IY2 leaves everything alone.
  EXPECT_EQ(step("ab", 1, kCodeNone, 0, 2), "ab");
}

TEST(BomStepTest, RemovalOnlyWhereTheOutputBeginsWithTheMark) {
  // After a skip the output no longer begins with the mark: nothing is cut.
  EXPECT_EQ(step("second\n", 7, kCodeUtf8, 1), "second\n");
  EXPECT_EQ(step("\xEF\xBB", 7, kCodeUtf8), "\xEF\xBB");
  EXPECT_EQ(step("\xEF\xBB\xBF", 7, kCodeUtf8), "");
}

}  // namespace
}  // namespace peltrix::records
