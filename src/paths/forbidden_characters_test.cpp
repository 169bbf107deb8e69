#include "paths/forbidden_characters.h"

#include <gtest/gtest.h>

namespace peltrix::paths {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

TEST(ForbiddenCharactersTest, TheFirstInSearchOrderIsReportedWherEverItStands) {
  EXPECT_EQ(forbidden_character("a|b*c"), '*');
  EXPECT_EQ(forbidden_character("<>?"), '?');
  EXPECT_EQ(forbidden_character("x\"y<"), '"');
  EXPECT_EQ(forbidden_character("a>b|"), '>');
  EXPECT_EQ(forbidden_character("c:\\dir\\a.txt"), '\0');
  EXPECT_EQ(forbidden_character(""), '\0');
}

TEST(ForbiddenCharactersTest, RefusalPrintsTheCharacterAlone) {
  CaptureStderr();
  EXPECT_TRUE(refuse_forbidden_character("a|b*c", 35, "%d番目の/Iの/IFに指定できない文字を指定しています。", 1));
  EXPECT_EQ(GetCapturedStderr(),
            "E035-1 1番目の/Iの/IFに指定できない文字を指定しています。\n"
            "E035-2 *\n"
            "E035-3 指定できる文字に変更してください。\n");
  CaptureStderr();
  EXPECT_FALSE(refuse_forbidden_character("fine.txt", 35, "%d", 1));
  EXPECT_EQ(GetCapturedStderr(), "");
}

}  // namespace
}  // namespace peltrix::paths
