#include "cli/group_parsers.h"

#include <string>

#include <gtest/gtest.h>

#include "support/files.h"

namespace peltrix::cli {
namespace {

class GroupParsersTest : public ::testing::Test {
 protected:
  void SetUp() override { prepare_working_tables(command_line_); }

  // Parses argument as the group's first occurrence; returns what was printed.
  std::string parse(GroupParser parser, GroupTable& table, const std::string& argument, int expected_status) {
    int status = -1;
    const std::string err = testing::printed([&] {
      status = parser(command_line_, argument.c_str(), table.data(), static_cast<int>(table.size()), 0);
    }).err;
    EXPECT_EQ(status, expected_status) << argument;
    return err;
  }

  CommandLine command_line_;
};

TEST_F(GroupParsersTest, ConflictsFollowTheTableAndItsPlaceOrder) {
  EXPECT_EQ(parse(parse_input_group, command_line_.input, "/I/IL1/IA1", 1).substr(0, 7), "E013-1 ");
  // Places the shipped /O table leaves empty: the second is examined (E023),
  // the third never is.
  definition(command_line_.output, kOR).conflicts[1] = kOJ;
  definition(command_line_.output, kOE).conflicts[2] = kOJ;
  EXPECT_EQ(parse(parse_output_group, command_line_.output, "/O/OJ1/OE1", 0), "");
  EXPECT_EQ(parse(parse_output_group, command_line_.output, "/O/OR1", 1),
            "E023-1 1番目の/Oに/OJと/ORを指定しています。\nE023-2 /OJか/ORのどちからひとつを指定してください。\n");
}

}  // namespace
}  // namespace peltrix::cli
