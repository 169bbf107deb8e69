#include "planning/folder_scan.h"

#include <string>

#include <gtest/gtest.h>

#include "planning/test_support.h"
#include "support/files.h"

namespace peltrix::planning {
namespace {

TEST(FolderScanTest, PathsOfTwoHundredSixtyBytesAreScannedAndOneMoreIsRefused) {
  for (const size_t extra : {0, 1}) {
    peltrix::testing::TempFolder folder;
    const std::string in = folder / "in";
    peltrix::testing::make_folders(in);
    const std::string file = in + "/" + std::string(259 - in.size() + extra, 'f');
    peltrix::testing::write_file(file, "x");
    cli::CommandLine command_line;
    ASSERT_TRUE(testing::parse(command_line, {"/I/ID" + peltrix::testing::typed(in), "/N", "/O/OD" + peltrix::testing::typed(folder / "out")}));
    model::TextStore texts;
    model::SourceList sources;
    bool scanned = false;
    const std::string printed =
        peltrix::testing::printed([&] { scanned = scan_source_folder(command_line, texts, sources); }).err;
    EXPECT_EQ(scanned, extra == 0) << file.size();
    EXPECT_EQ(printed.substr(0, 7), extra == 0 ? "" : "E131-1 ");
  }
}

}  // namespace
}  // namespace peltrix::planning
