#include "engine/mark_reports.h"

#include <string>

#include <gtest/gtest.h>

namespace peltrix::engine {
namespace {

std::string leading_report(const std::string& bytes, int32_t ic, int32_t detected) {
  ::testing::internal::CaptureStderr();
  const records::LeadingBytes found =
      records::check_leading_bytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), ic, false, detected);
  EXPECT_FALSE(leading_bytes_agree(found, ic));
  return ::testing::internal::GetCapturedStderr();
}

TEST(MarkReportsTest, EachFindingHasItsMessage) {
  EXPECT_EQ(leading_report("plain", 0, records::kCodeUtf8),
            "E115-1 コピー元ファイルのBOMの値が異なります。\n"
            "E115-2 コピー元ファイルのBOMの値は，同じものに統一してください。\n");
  EXPECT_EQ(leading_report(std::string("\xFF\xFE\0\0", 4), 4, records::kCodeUndecided),
            "E126-1 コピー元ファイルのBOMの値と，指定した/IC4に対応するBOMの値が異なります。\n"
            "E126-2 コピー元ファイルのBOMの値:0xFFFE0000・・・UTF-32のリトルエンディアンのBOMの値\n"
            "E126-3 指定した/IC4に対応するBOMの値:0xFFFE・・・UTF-16のリトルエンディアンのBOMの値\n"
            "E126-4 /ICの値を，コピー元ファイルのBOMに対応する値に変更してください。\n");
  EXPECT_EQ(leading_report("\xEF\xBB\xBF" "a", 1, records::kCodeUndecided),
            "E126-1 コピー元ファイルのBOMの有無と，指定した/IC1に対応するBOMの有無が異なります。\n"
            "E126-2 /ICの値を，コピー元ファイルのBOMの有無に対応する値に変更してください。\n");

  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(bom_plan_accepted(records::BomPlan::kMarkForMarkedSources, records::kCodeUtf16Le));
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "E116-1 コピー元ファイルにBOMが設定されている場合，/OJ2は指定できません。\n"
            "E116-2 /OJ2の指定を削除するか，/OJ6，または/OJ7に変更してください。\n");
}

}  // namespace
}  // namespace peltrix::engine
