#include "paths/source_file_check.h"

#include <unistd.h>

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

class SourceFileCheckTest : public ::testing::Test {
 protected:
  // Checks name as the next of accepted names; returns what was printed.
  std::string check(const std::string& name, int accepted = 0, bool* passed = nullptr) {
    value_ = PathValue{};
    CaptureStderr();
    const bool result = check_source_file(name.c_str(), 0, accepted, value_);
    if (passed != nullptr) *passed = result;
    return GetCapturedStderr();
  }

  testing::TempFolder folder_;
  PathValue value_;
};

TEST_F(SourceFileCheckTest, AnExistingFileGivesItsFlagsSizeFullPathAndIdentity) {
  testing::write_file(folder_ / "data.txt", "twelve bytes");
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(folder_.path());
  bool passed = false;
  const std::string printed = check("data.txt", 255, &passed);
  std::filesystem::current_path(before);

  EXPECT_EQ(printed, "");
  EXPECT_TRUE(passed);
  EXPECT_EQ(value_.flags, value_flag::kExists | value_flag::kFile);
  EXPECT_EQ(value_.size, 12);
  EXPECT_EQ(value_.given_text, "data.txt");
  EXPECT_EQ(value_.full_path, std::filesystem::canonical(folder_.path()).string() + "/data.txt");
  ASSERT_TRUE(value_.file_information.has_value());
  EXPECT_EQ(value_.file_information->size, 12u);
}

TEST_F(SourceFileCheckTest, DevicesAndUnreadableStatusesAreRefused) {
  EXPECT_EQ(check("\\dev\\null").substr(0, 7), "E039-1 ");

  // A status that cannot be read at all: a link that points at itself.
  std::filesystem::create_symlink("loop", folder_ / "loop");
  const std::string loop = typed(folder_ / "loop");
  EXPECT_EQ(check(loop),
            "E038-1 1番目の/Iに指定したコピー元にI/Oエラーが発生しました。\n"
            "E038-2 " + loop + "\n"
            "E038-3 エラー原因は次のシステムエラーコードとメッセージを参照してください。\n"
            "E038-4 システムエラーコード=1921\n"
            "E038-5 ファイル名を解決できません。\n");
}

}  // namespace
}  // namespace peltrix::paths
