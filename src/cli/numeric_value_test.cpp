#include "cli/numeric_value.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace peltrix::cli {
namespace {

using ::testing::internal::CaptureStderr;
using ::testing::internal::GetCapturedStderr;

// Checks text against the range of the named definition of the /I table;
// returns what was printed and leaves the stored number in *stored.
std::string check(const char* text, int number, uint32_t* stored, const char* label = "/I") {
  const OptionDefinition& definition = cli::definition(input_template(), number);
  *stored = 0;
  CaptureStderr();
  check_number(text, std::strlen(text), definition, definition.minimum, definition.maximum, *stored, label, 0);
  return GetCapturedStderr();
}

TEST(NumericValueTest, AcceptsTheRangeEdgesAndIgnoresLeadingZeros) {
  uint32_t stored = 0;
  EXPECT_EQ(check("1", kIC, &stored), "");
  EXPECT_EQ(stored, 1u);
  EXPECT_EQ(check("7", kIC, &stored), "");
  EXPECT_EQ(stored, 7u);
  EXPECT_EQ(check("0007", kIC, &stored), "");
  EXPECT_EQ(stored, 7u);
  EXPECT_EQ(check("2147483647", kIL, &stored), "");
  EXPECT_EQ(stored, 2147483647u);
  EXPECT_EQ(check("131072", kIA, &stored), "");
  EXPECT_EQ(stored, 131072u);
  EXPECT_EQ(check("00000000000000000000000000000002", kIY, &stored), "");
  EXPECT_EQ(stored, 2u);
}

TEST(NumericValueTest, RefusesNumbersOutsideTheRangeWithoutStoring) {
  struct Case {
    const char* text;
    int number;
    const char* range;
  };
  const Case cases[] = {
      {"0", kIC, "1～7"},
      {"8", kIC, "1～7"},
      {"131073", kIA, "1～131072"},
      {"2147483648", kIL, "1～2147483647"},
      {"4294967296", kIL, "1～2147483647"},           // 2 to the 32nd: upper half not 0
      {"4294967297", kIC, "1～7"},                    // lower half 1 would fit the range
      {"18446744073709551617", kIC, "1～7"},          // 2 to the 64th plus 1 must not wrap to 1
      {"99999999999999999999999999", kIL, "1～2147483647"},
  };
  for (const Case& c : cases) {
    uint32_t stored = 0;
    const std::string name = definition(input_template(), c.number).name;
    EXPECT_EQ(check(c.text, c.number, &stored),
              "E033-1 1番目の/Iの/" + name + "に指定可能範囲外の数字\"" + c.text + "\"を指定しています。\n" +
                  "E033-2 /" + name + "には " + c.range + " の数字を指定してください。\n")
        << c.text;
    EXPECT_EQ(stored, 0u) << c.text;
  }
}

TEST(NumericValueTest, RefusesAnythingButDigitsPrintingTheWholeValue) {
  for (const char* text : {"-3", "+3", "3a", " 3", "3.0", "３"}) {
    uint32_t stored = 0;
    EXPECT_EQ(check(text, kIC, &stored),
              std::string("E032-1 1番目の/Iの/ICに数字以外を指定しています。") + text +
                  "\nE032-2 /ICには数字を指定してください。\n")
        << text;
    EXPECT_EQ(stored, 0u);
  }
  uint32_t stored = 0;
  EXPECT_EQ(check("x", kIC, &stored, "/O"),
            "E032-1 1番目の/Oの/ICに数字以外を指定しています。x\nE032-2 /ICには数字を指定してください。\n");
}

}  // namespace
}  // namespace peltrix::cli
