#include "paths/destination_file_check.h"

#include <string>

#include <gtest/gtest.h>

#include "paths/value_flags.h"
#include "support/files.h"

namespace peltrix::paths {
namespace {

TEST(DestinationFileCheckTest, ExistingNewAndBelowMissingFoldersAreTold) {
  testing::TempFolder folder;
  testing::write_file(folder / "old.txt", "seven b");
  struct Row {
    std::string name;
    uint32_t flags;
    std::string full_path;
  };
  const Row rows[] = {{"old.txt", value_flag::kExists, folder / "old.txt"},
                      {"new.txt", value_flag::kNoFile, folder / "new.txt"},
                      {"x/y/../z.txt", value_flag::kMissing, folder / "x/z.txt"}};
  for (const Row& row : rows) {
    PathValue value;
    const std::string typed = testing::typed(folder / row.name);
    EXPECT_TRUE(check_destination_file(typed.c_str(), 0, 0, value));
    EXPECT_EQ(value.flags, row.flags) << row.name;
    EXPECT_EQ(value.full_path, row.full_path);
  }
}

}  // namespace
}  // namespace peltrix::paths
