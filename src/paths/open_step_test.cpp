#include "paths/open_step.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

namespace peltrix::paths {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

class OpenStepTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() / ("peltrix-open-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder_);
    path_ = (folder_ / "a.txt").string();
    std::ofstream(path_) << "data";
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path folder_;
  std::string path_;
};

TEST_F(OpenStepTest, SharingViolationHasItsOwnWording) {
  const platform::FileHandle holder =
      platform::open_file(path_.c_str(), platform::kGenericRead, 0, platform::kOpenExisting, 0x80);
  ASSERT_NE(holder, platform::kInvalidFile);

  OpenRequest request = source_request();
  request.path = path_.c_str();
  CaptureStderr();
  EXPECT_FALSE(open_step(request, kJoinedSourceOpen));
  EXPECT_EQ(GetCapturedStderr(),
            "E802-1 次のコピー元ファイルは，他で使用中です。\n"
            "E802-2 " + path_ + "\n"
            "E802-3 他で使用が終了したら，再度コマンドを実行してください。\n"
            "E802-4 システムエラーコード=32\n"
            "E802-5 プロセスはファイルにアクセスできません。別のプロセスが使用中です。\n");
  EXPECT_EQ(request.handle, platform::kInvalidFile);
  ASSERT_TRUE(platform::close_file(holder));

  ASSERT_TRUE(open_step(request, kJoinedSourceOpen));
  EXPECT_TRUE(platform::close_file(request.handle));
}

TEST_F(OpenStepTest, OtherFailuresPrintTheSystemErrorFromLineThree) {
  OpenRequest request = destination_request(false);
  request.path = path_.c_str();
  CaptureStderr();
  EXPECT_FALSE(open_step(request, kJoinedDestinationOpen));
  EXPECT_EQ(GetCapturedStderr(),
            "E801-1 次のコピー先ファイルのopenが失敗しました。\n"
            "E801-2 " + path_ + "\n"
            "E801-3 システムエラーコード=80\n"
            "E801-4 ファイルが存在します。\n");
}

TEST(OpenRequestTest, SettingsFollowTheDestinationHandling) {
  EXPECT_EQ(disposition_for(Existing::kRefuse), platform::kCreateNew);
  EXPECT_EQ(disposition_for(Existing::kOverwrite), platform::kCreateAlways);
  EXPECT_EQ(disposition_for(Existing::kAppend), platform::kOpenAlways);

  const OpenRequest source = source_request();
  EXPECT_EQ(source.desired_access, 0x80000000u);
  EXPECT_EQ(source.share_mode, 0u);
  EXPECT_EQ(source.creation_disposition, 3u);
  EXPECT_EQ(source.flags_and_attributes, 0x80u);

  const OpenRequest cached = destination_request(false);
  EXPECT_EQ(cached.desired_access, 0xC0000000u);
  EXPECT_EQ(cached.flags_and_attributes, 0x80u);
  EXPECT_EQ(destination_request(true).flags_and_attributes, 0x80000000u);
  EXPECT_STREQ(cached.kind_word, kDestinationWord);
}

}  // namespace
}  // namespace peltrix::paths
