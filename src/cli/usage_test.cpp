#include "cli/usage.h"

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/files.h"

namespace peltrix::cli {
namespace {

TEST(UsageTest, ThirtyFourLinesWithRepeatedOptionBlocksInShiftJis) {
  std::istringstream text(testing::printed(print_usage).out);
  std::vector<std::string> lines;
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  ASSERT_EQ(lines.size(), 34u);
  EXPECT_EQ(lines[0], "PELTRIX");
  for (int i = 0; i < 6; ++i) EXPECT_EQ(lines[2 + i], lines[9 + i]) << i;
  for (int i = 0; i < 4; ++i) EXPECT_EQ(lines[16 + i], lines[21 + i]) << i;
  EXPECT_EQ(lines[25], "    | /O");
  EXPECT_EQ(lines[27], "        [/OJボムコード] }]");
  EXPECT_EQ(lines[33], "    [/C]     ・・・キャッシュを経由しない書き込み");
  for (const std::string& line : lines) EXPECT_EQ(line.find("/T"), std::string::npos) << line;
  // Half-width dots A5, full-width dots 81 45, コ of コピー元 83 52.
  EXPECT_NE(lines[1].find("\xA5\xA5\xA5]"), std::string::npos);
  EXPECT_NE(lines[15].find("\xA5\xA5\xA5]"), std::string::npos);
  EXPECT_EQ(lines[30].substr(0, 14), "    [/N]     \x81");
  EXPECT_NE(lines[30].find("\x81\x45\x81\x45\x81\x45"), std::string::npos);
  EXPECT_EQ(lines[1].substr(0, 12), "   { /I/IF\x83\x52");
}

}  // namespace
}  // namespace peltrix::cli
