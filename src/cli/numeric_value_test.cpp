#include "cli/numeric_value.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "support/files.h"

namespace peltrix::cli {
namespace {

TEST(NumericValueTest, RangeEdgesAreTakenAndAnythingOutsideIsRefusedWithoutStoring) {
  struct Row {
    const char* text;
    int number;
    uint32_t stored;  // 0: refused
  };
  const Row rows[] = {
      {"7", kIC, 7}, {"0007", kIC, 7}, {"2147483647", kIL, 2147483647u}, {"131072", kIA, 131072},
      {"00000000000000000000000000000002", kIY, 2}, {"0", kIC, 0}, {"8", kIC, 0}, {"131073", kIA, 0},
      {"2147483648", kIL, 0}, {"4294967297", kIC, 0}, {"18446744073709551617", kIC, 0},  // must not wrap to 1
      {"99999999999999999999999999", kIL, 0},
  };
  for (const Row& row : rows) {
    const OptionDefinition& definition = cli::definition(input_template(), row.number);
    uint32_t stored = 0;
    const std::string printed = testing::printed([&] {
      check_number(row.text, std::strlen(row.text), definition, definition.minimum, definition.maximum, stored, "/I", 0);
    }).err;
    EXPECT_EQ(stored, row.stored) << row.text;
    EXPECT_EQ(printed.substr(0, 7), row.stored != 0 ? "" : "E033-1 ") << row.text;
  }
}

}  // namespace
}  // namespace peltrix::cli
