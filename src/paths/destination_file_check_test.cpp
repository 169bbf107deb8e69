#include "paths/destination_file_check.h"

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

class DestinationFileCheckTest : public ::testing::Test {
 protected:
  std::string check(const std::string& name, int accepted = 0, bool* passed = nullptr) {
    value_ = PathValue{};
    CaptureStderr();
    const bool result = check_destination_file(name.c_str(), 0, accepted, value_);
    if (passed != nullptr) *passed = result;
    return GetCapturedStderr();
  }

  testing::TempFolder folder_;
  PathValue value_;
};

TEST_F(DestinationFileCheckTest, ExistingNewAndMissingFolderDestinationsAreTold) {
  testing::write_file(folder_ / "old.txt", "seven b");
  bool passed = false;
  EXPECT_EQ(check(typed(folder_ / "old.txt"), 3, &passed), "");
  EXPECT_TRUE(passed);
  EXPECT_EQ(value_.flags, value_flag::kExists);
  EXPECT_EQ(value_.size, 7);
  EXPECT_EQ(value_.full_path, folder_ / "old.txt");
  ASSERT_TRUE(value_.file_information.has_value());

  EXPECT_EQ(check(typed(folder_ / "new.txt")), "");
  EXPECT_EQ(value_.flags, value_flag::kNoFile);
  EXPECT_EQ(value_.size, 0);
  EXPECT_FALSE(value_.file_information.has_value());

  // The full path of a name below missing folders is made from the name as typed.
  EXPECT_EQ(check(typed(folder_ / "x/y/../z.txt")), "");
  EXPECT_EQ(value_.flags, value_flag::kMissing);
  EXPECT_EQ(value_.full_path, folder_ / "x/z.txt");
  EXPECT_EQ(value_.given_text, typed(folder_ / "x/y/../z.txt"));
}

TEST_F(DestinationFileCheckTest, AnUnreadableStatusIsRefused) {
  std::filesystem::create_symlink("loop", folder_ / "loop");
  const std::string loop = typed(folder_ / "loop");
  EXPECT_EQ(check(loop),
            "E052-1 1番目の/Oの/OFに指定した次のコピー先にI/Oエラーが発生しました。\n"
            "E052-2 " + loop + "\n"
            "E052-3 エラー原因は次のシステムエラーコードとメッセージを参照してください。\n"
            "E052-4 システムエラーコード=1921\n"
            "E052-5 ファイル名を解決できません。\n");
}

}  // namespace
}  // namespace peltrix::paths
