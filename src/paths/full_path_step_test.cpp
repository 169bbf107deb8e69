#include "paths/full_path_step.h"

#include <string>

#include <gtest/gtest.h>

#include "support/files.h"

namespace peltrix::paths {
namespace {

TEST(FullPathStepTest, AnExistingPathOfTwoHundredSixtyBytesFitsAndOneMoreIsRefused) {
  constexpr LongFormRule kSourceRule{.error_code = 40, .system_lines = true, .missing_keeps_given = false,
                                     .memory_code = 41};
  testing::TempFolder folder;
  const std::string fits = folder / std::string(259 - folder.path().size(), 'g');
  ASSERT_EQ(fits.size(), 260u);
  testing::write_file(fits, "x");
  testing::write_file(fits + "h", "x");
  for (const std::string& path : {fits, fits + "h"}) {
    std::string made;
    const std::string printed = testing::printed([&] {
      EXPECT_EQ(make_full_path(testing::typed(path), kSourceRule, made), path.size() == 260);
    }).err;
    EXPECT_EQ(made, path.size() == 260 ? path : "");
    EXPECT_EQ(printed.substr(0, 7), path.size() == 260 ? "" : "E131-1 ");
  }
}

}  // namespace
}  // namespace peltrix::paths
