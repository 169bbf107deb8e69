#include "planning/folder_creation.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "planning/test_support.h"
#include "support/files.h"

namespace peltrix::planning {
namespace {

using testing::stderr_of;

TEST(FolderCreationTest, MissingParentsAreMadeAndAFolderThatExistsIsFine) {
  peltrix::testing::TempFolder folder;
  const std::string deep = folder / "one/two/three";
  EXPECT_EQ(stderr_of([&] { return create_folder(deep.c_str()); }), "");
  EXPECT_TRUE(std::filesystem::is_directory(deep));
  EXPECT_TRUE(create_folder(deep.c_str()));

  peltrix::testing::write_file(folder / "file", "");
  const std::string blocked = folder / "file/below";
  bool created = true;
  const std::string err = stderr_of([&] { return create_folder(blocked.c_str()); }, &created);
  EXPECT_FALSE(created);
  EXPECT_EQ(err.substr(0, err.find("E105-3")), "E105-1 次のコピー先フォルダの作成に失敗しました。\nE105-2 " +
                                                   (folder / "file") + "\n");
}

}  // namespace
}  // namespace peltrix::planning
