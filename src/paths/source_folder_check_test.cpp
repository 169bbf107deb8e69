#include "paths/source_folder_check.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "paths/value_flags.h"
#include "support/files.h"

namespace peltrix::paths {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;
using testing::typed;

class SourceFolderCheckTest : public ::testing::Test {
 protected:
  std::string check(const std::string& text, bool* passed = nullptr) {
    value_ = PathValue{};
    CaptureStderr();
    const bool result = check_source_folder(text.c_str(), 0, value_);
    if (passed != nullptr) *passed = result;
    return GetCapturedStderr();
  }

  testing::TempFolder folder_;
  PathValue value_;
};

TEST_F(SourceFolderCheckTest, TheCurrentFolderIsAcceptedWithItsFullPath) {
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder_.path());
  bool passed = false;
  const std::string printed = check(".", &passed);
  std::filesystem::current_path(before);
  EXPECT_EQ(printed, "");
  EXPECT_TRUE(passed);
  EXPECT_EQ(value_.flags, value_flag::kExists | value_flag::kFolder);
  EXPECT_EQ(value_.given_text, ".");
  EXPECT_EQ(value_.full_path, std::filesystem::canonical(folder_.path()).string());
}

TEST_F(SourceFolderCheckTest, AnUnreadableStatusIsRefused) {
  std::filesystem::create_symlink("loop", folder_ / "loop");
  const std::string loop = typed(folder_ / "loop");
  EXPECT_EQ(check(loop),
            "E045-1 1番目の/Iの/IDに指定した次のフォルダにI/Oエラーが発生しました。\n"
            "E045-2 " + loop + "\n"
            "E045-3 エラー原因は次のシステムエラーコードとメッセージを参照してください。\n"
            "E045-4 システムエラーコード=1921\n"
            "E045-5 ファイル名を解決できません。\n");
}

}  // namespace
}  // namespace peltrix::paths
