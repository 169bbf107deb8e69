#include "driver/copy_stage.h"

#include <string>

#include <gtest/gtest.h>

#include "driver/driver.h"
#include "support/files.h"

namespace peltrix::driver {
namespace {

using namespace std::string_literals;

TEST(CopyStageTest, TheFirstFileLongEnoughToCarryAMarkDecidesTheUnits) {
  peltrix::testing::TempFolder folder;
  peltrix::testing::write_file(folder / "a", "x");
  peltrix::testing::write_file(folder / "b", "\xFF\xFE" "a\0\r\0\n\0"s);
  const std::string in = "/I/IF" + peltrix::testing::typed(folder / "a") + ";" + peltrix::testing::typed(folder / "b");
  const std::string out = "/O/OF" + peltrix::testing::typed(folder / "out") + "/OR1";
  const char* argv[] = {"peltrix", in.c_str(), out.c_str()};
  EXPECT_EQ(run(3, argv), 0);
  EXPECT_EQ(peltrix::testing::read_file(folder / "out"), "x\n\0a\0\n\0"s);
}

}  // namespace
}  // namespace peltrix::driver
