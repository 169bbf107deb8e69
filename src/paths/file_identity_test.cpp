#include "paths/file_identity.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "paths/open_step.h"
#include "support/files.h"

namespace peltrix::paths {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

TEST(FileIdentityTest, TwoNamesOfOneFileShareTheirIdentity) {
  testing::TempFolder folder;
  testing::write_file(folder / "a.txt", "alpha");
  testing::write_file(folder / "b.txt", "alpha");
  std::filesystem::create_hard_link(folder / "a.txt", folder / "link.txt");

  platform::FileInformation a, b, link;
  ASSERT_TRUE(query_file_identity((folder / "a.txt").c_str(), kSourceWord, a));
  ASSERT_TRUE(query_file_identity((folder / "b.txt").c_str(), kSourceWord, b));
  ASSERT_TRUE(query_file_identity((folder / "link.txt").c_str(), kDestinationWord, link));
  EXPECT_EQ(a.identity, link.identity);
  EXPECT_NE(a.identity, b.identity);
  EXPECT_EQ(a.size, 5u);

  // The query leaves no handle open: the file can be held again at once.
  const platform::FileHandle held = platform::open_file((folder / "a.txt").c_str(), platform::kGenericRead, 0,
                                                        platform::kOpenExisting, platform::kAttributeNormal);
  EXPECT_NE(held, platform::kInvalidFile);
  platform::close_file(held);
}

TEST(FileIdentityTest, AFileHeldElsewhereIsRefusedWithTheSharingMessage) {
  testing::TempFolder folder;
  const std::string path = folder / "held.txt";
  testing::write_file(path, "x");
  const int fd = open(path.c_str(), O_RDONLY);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(flock(fd, LOCK_EX), 0);

  platform::FileInformation information;
  CaptureStderr();
  EXPECT_FALSE(query_file_identity(path.c_str(), kDestinationWord, information));
  EXPECT_EQ(GetCapturedStderr(),
            "E816-1 次のコピー先ファイルは，他で使用中です。\n"
            "E816-2 " + path + "\n"
            "E816-3 他で使用が終了したら，再度コマンドを実行してください。\n"
            "E816-4 システムエラーコード=32\n"
            "E816-5 プロセスはファイルにアクセスできません。別のプロセスが使用中です。\n");
  close(fd);
}

}  // namespace
}  // namespace peltrix::paths
