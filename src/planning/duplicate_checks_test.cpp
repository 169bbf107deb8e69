#include "planning/duplicate_checks.h"

#include <string>

#include <gtest/gtest.h>

#include "paths/value_flags.h"
#include "planning/source_list.h"
#include "planning/test_support.h"
#include "support/files.h"

namespace peltrix::planning {
namespace {

using testing::parse;

class DuplicateChecksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    peltrix::testing::make_folders(folder_ / "x");
    peltrix::testing::make_folders(folder_ / "y");
    peltrix::testing::write_file(folder_ / "x/r.txt", "x");
    peltrix::testing::write_file(folder_ / "y/r.txt", "y");
    peltrix::testing::write_file(folder_ / "y/s.txt", "s");
  }
  std::string at(const std::string& name) const { return peltrix::testing::typed(folder_ / name); }
  // What the check printed; passed_ holds its result.
  std::string checked(cli::CommandLine& command_line) {
    return peltrix::testing::printed([&] { passed_ = check_duplicate_sources(command_line, repeats_); }).err;
  }

  peltrix::testing::TempFolder folder_;
  cli::CommandLine command_line_;
  model::RepeatTable repeats_;
  bool passed_ = false;
};

TEST_F(DuplicateChecksTest, RepeatsAllowedByWAreMarkedAgainstTheirEarliestName) {
  const std::string r = at("x/r.txt");
  ASSERT_TRUE(parse(command_line_, {"/I/IF" + r + ";" + at("y/s.txt") + ";" + r + ";" + r, "/W", "/N"}));
  EXPECT_EQ(checked(command_line_), "");
  EXPECT_TRUE(passed_);
  ASSERT_EQ(repeats_.size(), 4u);
  const int32_t first[] = {-1, -1, 0, 0};
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(repeats_[i].first_occurrence, first[i]) << i;
  model::SourceList sources;
  ASSERT_TRUE(build_source_list(command_line_, {}, repeats_, {}, sources));
  EXPECT_EQ(sources.entries.back().flags & paths::value_flag::kRepeat, paths::value_flag::kRepeat);
  EXPECT_EQ(count_distinct_sources(sources), 2);
}

TEST_F(DuplicateChecksTest, OneFileNameForTwoFilesIsRefusedWithN) {
  const std::string names = "/I/IF" + at("x/r.txt") + ";" + at("y/r.txt");
  ASSERT_TRUE(parse(command_line_, {names, "/N"}));
  EXPECT_EQ(checked(command_line_).substr(0, 7), "E080-1 ");
  EXPECT_FALSE(passed_);
  cli::CommandLine without_n;
  ASSERT_TRUE(parse(without_n, {names}));
  EXPECT_TRUE(check_duplicate_sources(without_n, repeats_));
  // /W allows the same file again, not another file of the same name.
  cli::CommandLine with_w;
  ASSERT_TRUE(parse(with_w, {names, "/N", "/W"}));
  EXPECT_FALSE(checked(with_w).empty());
  EXPECT_FALSE(passed_);
}

}  // namespace
}  // namespace peltrix::planning
