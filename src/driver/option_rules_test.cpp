#include "driver/option_rules.h"

#include <string>

#include <gtest/gtest.h>

#include "planning/planning_test_support.h"
#include "support/files.h"

namespace peltrix::driver {
namespace {

using planning::testing::parse;

class OptionRulesTest : public ::testing::Test {
 protected:
  void SetUp() override { peltrix::testing::write_file(folder_ / "a.txt", "a"); }
  std::string source() const { return "/I/IF" + peltrix::testing::typed(folder_ / "a.txt"); }

  peltrix::testing::TempFolder folder_;
  cli::CommandLine command_line_;
};

TEST_F(OptionRulesTest, OJWithoutICNamesTheDefaultInputCode) {
  const int32_t expected[] = {0, 3, 4, 5, 6, 7, 0, 0};
  for (int oj = 0; oj <= 7; ++oj) {
    cli::CommandLine command_line;
    ASSERT_TRUE(parse(command_line, {source(), oj == 0 ? "/O" : "/O/OJ" + std::to_string(oj)}));
    int32_t code = -1;
    EXPECT_TRUE(check_first_rules(command_line, code));
    EXPECT_EQ(code, expected[oj]) << oj;
  }
  ASSERT_TRUE(parse(command_line_, {source() + "/IC4", "/O/OJ2"}));
  int32_t code = -1;
  EXPECT_TRUE(check_first_rules(command_line_, code));
  EXPECT_EQ(code, 0);
}

}  // namespace
}  // namespace peltrix::driver
