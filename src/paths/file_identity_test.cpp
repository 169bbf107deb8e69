#include "paths/file_identity.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "paths/open_step.h"
#include "support/files.h"

namespace peltrix::paths {
namespace {

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

}  // namespace
}  // namespace peltrix::paths
