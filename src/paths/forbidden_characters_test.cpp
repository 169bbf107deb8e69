#include "paths/forbidden_characters.h"

#include <gtest/gtest.h>

namespace peltrix::paths {
namespace {

TEST(ForbiddenCharactersTest, TheFirstInSearchOrderIsReportedWhereverItStands) {
  EXPECT_EQ(forbidden_character("a|b*c"), '*');
  EXPECT_EQ(forbidden_character("<>?"), '?');
  EXPECT_EQ(forbidden_character("x\"y<"), '"');
  EXPECT_EQ(forbidden_character("a>b|"), '>');
  EXPECT_EQ(forbidden_character("c:\\dir\\a.txt"), '\0');
  EXPECT_EQ(forbidden_character(""), '\0');
}

}  // namespace
}  // namespace peltrix::paths
