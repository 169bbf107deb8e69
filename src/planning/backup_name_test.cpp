#include "planning/backup_name.h"

#include <string>

#include <gtest/gtest.h>

#include "planning/test_support.h"
#include "support/files.h"

namespace peltrix::planning {
namespace {

using testing::stderr_of;

constexpr char kStamp[] = "_20261206_";

std::string backup_of(const std::string& full_path) {
  BackupName name;
  EXPECT_TRUE(make_backup_name(full_path, kStamp, name));
  EXPECT_EQ(name.text.substr(name.number_position, 4), "0001");
  return name.text;
}

TEST(BackupNameTest, StampAndNumberGoBeforeTheFileNamesLastDot) {
  EXPECT_EQ(backup_of("/work/data.txt"), "/work/data_20261206_0001.txt");
  EXPECT_EQ(backup_of("/work/archive.tar.gz"), "/work/archive.tar_20261206_0001.gz");
  EXPECT_EQ(backup_of("/work/README"), "/work/README_20261206_0001");
  EXPECT_EQ(backup_of("/old.data/README"), "/old.data/README_20261206_0001");
  EXPECT_EQ(backup_of("C:\\old.data\\README"), "C:\\old.data\\README_20261206_0001");

  // 246 + 14 bytes fit, one more does not.
  EXPECT_EQ(backup_of("/" + std::string(241, 'a') + ".txt").size(), 260u);
  bool made = true;
  BackupName name;
  const std::string too_long = "/" + std::string(242, 'a') + ".txt";
  EXPECT_EQ(stderr_of([&] { return make_backup_name(too_long, kStamp, name); }, &made).substr(0, 7), "E089-1 ");
  EXPECT_FALSE(made);
}

TEST(BackupNameTest, TheNumberSkipsFilesAndDestinationNames) {
  peltrix::testing::TempFolder folder;
  peltrix::testing::write_file(folder / "d_20261206_0001.txt", "");
  BackupName name;
  ASSERT_TRUE(make_backup_name(folder / "d.txt", kStamp, name));
  std::vector<cli::ValueSlot> destinations(1);
  destinations[0].full_path = folder / "d_20261206_0002.txt";
  EXPECT_TRUE(choose_backup_number(name, 1, destinations));
  EXPECT_EQ(name.text, folder / "d_20261206_0003.txt");
}

}  // namespace
}  // namespace peltrix::planning
