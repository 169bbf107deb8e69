#include "paths/full_path_step.h"

#include <string>

#include <gtest/gtest.h>

#include "support/files.h"

namespace peltrix::paths {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;
using testing::typed;

constexpr LongFormRule kSourceRule{.error_code = 40, .system_lines = true, .missing_keeps_given = false,
                                   .memory_code = 41};
constexpr LongFormRule kDestinationRule{.error_code = 54, .system_lines = false, .missing_keeps_given = true,
                                        .memory_code = 55};

std::string too_long_lines(const std::string& given) {
  return "E131-1 次のパスの長さが上限の260バイトを超えています。\n"
         "E131-2 " + given + "\n"
         "E131-3 260バイト以下のパスになるように，フォルダ名またはファイル名を短くしてください。\n";
}

class FullPathStepTest : public ::testing::Test {
 protected:
  // Builds path and returns what make_full_path printed.
  std::string make(const std::string& given, const LongFormRule& rule, bool* made = nullptr) {
    path_.clear();
    CaptureStderr();
    const bool result = make_full_path(given, rule, path_);
    if (made != nullptr) *made = result;
    return GetCapturedStderr();
  }

  testing::TempFolder folder_;
  std::string path_;
};

TEST_F(FullPathStepTest, ExistingAndMissingPathsBecomeAbsolute) {
  testing::write_file(folder_ / "a.txt", "x");
  EXPECT_EQ(make(typed(folder_ / "a.txt"), kSourceRule), "");
  EXPECT_EQ(path_, folder_ / "a.txt");
  EXPECT_EQ(make(typed(folder_ / "x/../a.txt"), kDestinationRule), "");
  EXPECT_EQ(path_, folder_ / "a.txt");
  EXPECT_EQ(make(typed(folder_ / "none/deeper.txt"), kDestinationRule), "");
  EXPECT_EQ(path_, folder_ / "none/deeper.txt");
}

TEST_F(FullPathStepTest, AMissingPathFailsWhereTheRuleAsksForItsLongForm) {
  const std::string given = typed(folder_ / "none.txt");
  bool made = true;
  EXPECT_EQ(make(given, kSourceRule, &made),
            "E040-1 GetLongPathNameエラー。 2\nE040-2 システムエラーコード=2\nE040-3 指定されたファイルが見つかりません。\n");
  EXPECT_FALSE(made);
  constexpr LongFormRule kFolderRule{.error_code = 47, .system_lines = false, .missing_keeps_given = false,
                                     .memory_code = 48};
  EXPECT_EQ(make(typed(folder_ / "no/none"), kFolderRule, &made), "E047-1 GetLongPathNameエラー。 3\n");
  EXPECT_FALSE(made);
}

TEST_F(FullPathStepTest, TwoHundredSixtyBytesFitAndOneMoreIsRefused) {
  // Missing names keep themselves as long form, so their length is exact.
  const std::string root = typed(folder_.path());
  const std::string fits = root + "\\" + std::string(259 - root.size(), 'g');
  ASSERT_EQ(fits.size(), 260u);
  bool made = false;
  EXPECT_EQ(make(fits, kDestinationRule, &made), "");
  EXPECT_TRUE(made);
  EXPECT_EQ(path_.size(), 260u);

  const std::string over = root + "\\g\\" + std::string(258 - root.size(), 'g');
  ASSERT_EQ(over.size(), 261u);
  EXPECT_EQ(make(over, kDestinationRule, &made), too_long_lines(over));
  EXPECT_FALSE(made);
  EXPECT_EQ(path_, "");
}

}  // namespace
}  // namespace peltrix::paths
