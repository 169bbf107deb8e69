#include "planning/folder_creation.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "support/files.h"

namespace peltrix::planning {
namespace {

TEST(FolderCreationTest, EveryMissingParentIsMade) {
  peltrix::testing::TempFolder folder;
  const std::string deep = folder / "one/two/three/four";
  EXPECT_TRUE(create_folder(deep.c_str()));
  EXPECT_TRUE(std::filesystem::is_directory(deep));
  EXPECT_TRUE(create_folder(deep.c_str()));
}

}  // namespace
}  // namespace peltrix::planning
