// The program's start: the usage text and the exit statuses.

#include <string>

#include <gtest/gtest.h>

#include "support/process.h"

namespace peltrix::testing {
namespace {

TEST(StartupTest, UsageRequestAlonePrintsTheUsageText) {
  const RunResult result = run_peltrix({"/?"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out.substr(0, 8), "PELTRIX\n");
  EXPECT_NE(result.out.find("\xA5\xA5\xA5]\n"), std::string::npos);
  const std::string last_line = "    [/C]     ・・・キャッシュを経由しない書き込み\n";
  ASSERT_GT(result.out.size(), last_line.size());
  EXPECT_EQ(result.out.substr(result.out.size() - last_line.size()), last_line);
  size_t lines = 0;
  for (char c : result.out) lines += c == '\n';
  EXPECT_EQ(lines, 34u);
}

TEST(StartupTest, AnythingElseIsNoUsageRequest) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"/?", "/N"}, {"/??"}, {"/h"}, {"/?x"}}) {
    const RunResult result = run_peltrix(args);
    EXPECT_EQ(result.status, 1) << args[0];
    EXPECT_EQ(result.out, "") << args[0];
  }
}

}  // namespace
}  // namespace peltrix::testing
