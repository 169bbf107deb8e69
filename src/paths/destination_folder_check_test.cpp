#include "paths/destination_folder_check.h"

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

class DestinationFolderCheckTest : public ::testing::Test {
 protected:
  std::string check(const std::string& text, bool* passed = nullptr) {
    value_ = PathValue{};
    CaptureStderr();
    const bool result = check_destination_folder(text.c_str(), 0, value_);
    if (passed != nullptr) *passed = result;
    return GetCapturedStderr();
  }

  testing::TempFolder folder_;
  PathValue value_;
};

TEST_F(DestinationFolderCheckTest, ExistingAndMissingFoldersAreAccepted) {
  testing::make_folders(folder_ / "out");
  bool passed = false;
  EXPECT_EQ(check(typed(folder_ / "out"), &passed), "");
  EXPECT_TRUE(passed);
  EXPECT_EQ(value_.flags, value_flag::kExists | value_flag::kFolder);
  EXPECT_EQ(value_.full_path, folder_ / "out");

  EXPECT_EQ(check(typed(folder_ / "a/b/c"), &passed), "");
  EXPECT_TRUE(passed);
  EXPECT_EQ(value_.flags, value_flag::kMissing | value_flag::kFolder);
  EXPECT_EQ(value_.full_path, folder_ / "a/b/c");
}

TEST_F(DestinationFolderCheckTest, AnUnreadableStatusIsRefused) {
  std::filesystem::create_symlink("loop", folder_ / "loop");
  const std::string loop = typed(folder_ / "loop");
  EXPECT_EQ(check(loop),
            "E058-1 1番目の/Oの/ODに指定した次のコピー先にI/Oエラーが発生しました。\n"
            "E058-2 " + loop + "\n"
            "E058-3 エラー原因は次のシステムエラーコードとメッセージを参照してください。\n"
            "E058-4 システムエラーコード=1921\n"
            "E058-5 ファイル名を解決できません。\n");
}

}  // namespace
}  // namespace peltrix::paths
