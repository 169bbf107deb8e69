#include "planning/backup_name.h"

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "planning/test_support.h"
#include "platform/platform.h"
#include "support/files.h"

namespace peltrix::planning {
namespace {

TEST(BackupNameTest, StampAndNumberGoBeforeTheFileNamesLastDotWithinTwoHundredSixtyBytes) {
  const std::string fits = "/" + std::string(241, 'a');  // 246 + 14 bytes
  std::pair<std::string, std::string> rows[] = {
      {"/work/archive.tar.gz", "/work/archive.tar_20261206_0001.gz"},
      {"/old.data/README", "/old.data/README_20261206_0001"},
      {fits + ".txt", fits + "_20261206_0001.txt"},
      {"/a" + fits + ".txt", ""},
  };
  for (auto& row : rows) {
    // Full paths with the system's own separator.
    std::replace(row.first.begin(), row.first.end(), '/', platform::kFolderSeparator);
    std::replace(row.second.begin(), row.second.end(), '/', platform::kFolderSeparator);
    BackupName name;
    bool made = false;
    const std::string printed =
        peltrix::testing::printed([&] { made = make_backup_name(row.first, "_20261206_", name); }).err;
    EXPECT_EQ(made, !row.second.empty()) << row.first;
    EXPECT_EQ(made ? name.text : printed.substr(0, 7), made ? row.second : "E089-1 ");
  }
}

}  // namespace
}  // namespace peltrix::planning
