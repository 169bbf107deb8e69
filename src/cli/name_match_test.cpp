#include "cli/name_match.h"

#include <gtest/gtest.h>

namespace peltrix::cli {
namespace {

TEST(NameMatchTest, LettersMatchInEitherCaseOverTheNameOnly) {
  EXPECT_TRUE(starts_with_name("/i/IFa", "/I", 2));
  EXPECT_TRUE(starts_with_name("ifA.TXT", "IF", 2));
  EXPECT_TRUE(starts_with_name("/n", "/N", 2));
  EXPECT_FALSE(starts_with_name("/N", "/I", 2));
  // A shorter text never matches, whatever follows its end.
  EXPECT_FALSE(starts_with_name("/", "/I", 2));
  EXPECT_FALSE(starts_with_name("", "/I", 2));
  // Only ASCII letters fold: bytes of other characters compare as they are.
  EXPECT_FALSE(starts_with_name("\xe9", "\xc9", 1));
  EXPECT_FALSE(starts_with_name("[", "{", 1));
}

}  // namespace
}  // namespace peltrix::cli
