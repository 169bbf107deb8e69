#include "records/bom_step.h"

#include <string>

#include <gtest/gtest.h>

#include "records/code_table.h"

namespace peltrix::records {
namespace {

// The first output after the step, or "refused".
std::string step(const std::string& output, int32_t oj, int32_t detected, int32_t il = 0, bool plain = false) {
  BomEdit edit;
  const BomSettings settings{mark_for(oj), il > 0, plain, detected};
  if (plan_bom_edit(reinterpret_cast<const uint8_t*>(output.data()), static_cast<uint32_t>(output.size()), settings,
                    edit) != BomPlan::kPlanned) {
    return "refused";
  }
  return std::string(reinterpret_cast<const char*>(edit.prefix), edit.prefix_length) + output.substr(edit.drop_length);
}

TEST(BomStepTest, MarksArePutInFrontOfSourcesWithoutOne) {
  EXPECT_EQ(step("abc", 1, kCodeNone), "\xEF\xBB\xBF" "abc");
  EXPECT_EQ(step("ab", 2, kCodeUndecided), "\xFF\xFE" "ab");
  EXPECT_EQ(step("ab", 3, kCodeNone), "\xFE\xFF" "ab");
  EXPECT_EQ(step("ab", 4, kCodeNone), std::string("\xFF\xFE\0\0" "ab", 6));
  EXPECT_EQ(step("ab", 5, kCodeNone), std::string("\0\0\xFE\xFF" "ab", 6));
}

TEST(BomStepTest, NamingAMarkForSourcesThatCarryOneIsRefused) {
  EXPECT_EQ(step("\xEF\xBB\xBF" "a", 2, kCodeUtf8), "refused");
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
  EXPECT_EQ(step("ab", 1, kCodeNone, 0, true), "ab");
}

TEST(BomStepTest, RemovalOnlyWhereTheOutputBeginsWithTheMark) {
  // After a skip the output no longer begins with the mark: nothing is cut.
  EXPECT_EQ(step("second\n", 7, kCodeUtf8, 1), "second\n");
  EXPECT_EQ(step("\xEF\xBB", 7, kCodeUtf8), "\xEF\xBB");
  EXPECT_EQ(step("\xEF\xBB\xBF", 7, kCodeUtf8), "");
}

}  // namespace
}  // namespace peltrix::records
