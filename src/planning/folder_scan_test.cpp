#include "planning/folder_scan.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "planning/destination_list.h"
#include "planning/test_support.h"
#include "support/files.h"

namespace peltrix::planning {
namespace {

using testing::parse;
using testing::stderr_of;

class FolderScanTest : public ::testing::Test {
 protected:
  std::string at(const std::string& name) const { return peltrix::testing::typed(folder_ / name); }
  std::vector<std::string> listed() const {
    std::vector<std::string> names;
    for (const paths::SourceEntry* s = sources_.head; s != nullptr; s = s->next) {
      names.push_back(std::string(s->kind == paths::kKindFolder ? "+" : "") + s->given_name);
    }
    return names;
  }

  peltrix::testing::TempFolder folder_;
  cli::CommandLine command_line_;
  TextStore texts_;
  paths::SourceList sources_;
  paths::DestinationList destinations_;
};

TEST_F(FolderScanTest, SubfoldersComeAfterEverythingListedBeforeThem) {
  peltrix::testing::make_folders(folder_ / "in/a/aa");
  peltrix::testing::make_folders(folder_ / "in/b");
  for (const char* name : {"in/f", "in/a/g", "in/a/aa/h", "in/b/i"}) peltrix::testing::write_file(folder_ / name, "xy");
  ASSERT_TRUE(parse(command_line_, {"/I/ID" + at("in") + "/IL3", "/S", "/N", "/O/OD" + at("out")}));
  ASSERT_TRUE(scan_source_folder(command_line_, texts_, sources_));
  EXPECT_EQ(listed(), (std::vector<std::string>{"+a", "+b", "f", "+aa", "g", "i", "h"}));
  EXPECT_EQ(sources_.file_count, 4);
  EXPECT_EQ(sources_.folder_count, 3);
  EXPECT_EQ(sources_.current->il, 3);
  EXPECT_EQ(sources_.current->size, 2);

  // With /N the destinations keep the subfolders below the scanned folder.
  ASSERT_TRUE(build_folder_destinations(command_line_, sources_, texts_, destinations_));
  EXPECT_EQ(std::string(destinations_.current->path), folder_ / "out/a/aa/h");
  EXPECT_EQ(destinations_.count, 7);
  EXPECT_EQ(destinations_.folder_record->flags, 0x14u);
}

TEST_F(FolderScanTest, AScanOfMoreThan4096FilesChainsItsPools) {
  peltrix::testing::make_folders(folder_ / "many");
  for (int i = 0; i <= paths::kEntriesPerPool; ++i) {
    peltrix::testing::write_file(folder_ / ("many/" + std::to_string(i)), "");
  }
  ASSERT_TRUE(parse(command_line_, {"/I/ID" + at("many"), "/N", "/O/OD" + at("copy")}));
  ASSERT_TRUE(scan_source_folder(command_line_, texts_, sources_));
  ASSERT_EQ(sources_.storage.pools.size(), 2u);
  EXPECT_EQ(sources_.head->pool_link, sources_.storage.pools[1].get());
  EXPECT_EQ(listed().size(), static_cast<size_t>(paths::kEntriesPerPool + 1));

  ASSERT_TRUE(build_folder_destinations(command_line_, sources_, texts_, destinations_));
  ASSERT_EQ(destinations_.storage.pools.size(), 2u);
  EXPECT_EQ(destinations_.head->pool_link, destinations_.current);
  EXPECT_EQ(std::string(destinations_.current->path), folder_ / ("copy/" + std::string(sources_.current->given_name)));
}

TEST_F(FolderScanTest, AFolderWithoutFilesIsRefusedWithoutS) {
  peltrix::testing::make_folders(folder_ / "hollow/sub");
  ASSERT_TRUE(parse(command_line_, {"/I/ID" + at("hollow")}));
  bool scanned = true;
  EXPECT_EQ(stderr_of([&] { return scan_source_folder(command_line_, texts_, sources_); }, &scanned),
            "E123-1 コピー元フォルダにファイルが見つかりません。\nE123-2 " + (folder_ / "hollow") +
                "\nE123-3 ファイルが存在するフォルダを指定してください。\n");
  EXPECT_FALSE(scanned);
  EXPECT_EQ(sources_.folder_count, 0);
}

}  // namespace
}  // namespace peltrix::planning
