#include "records/end_of_file.h"

#include <string>

#include <gtest/gtest.h>

namespace peltrix::records {
namespace {

TEST(EndOfFileTest, StripRemovesOneWholeUnitOfTheCode) {
  const UnitPattern& le = kEofUnits[kCodeUtf16Le];
  uint8_t data[8] = {'a', 0, 0x1A, 0, 0x1A, 0};
  uint32_t t = 6;
  EXPECT_TRUE(ends_with_eof_unit(data, t, le));
  EXPECT_TRUE(strip_eof_unit(data, t, le));
  EXPECT_EQ(t, 4u);
  EXPECT_EQ(data[4], 0);
  EXPECT_TRUE(strip_eof_unit(data, t, le));
  EXPECT_FALSE(strip_eof_unit(data, t, le));
  EXPECT_EQ(t, 2u);

  // Big-endian 00 1A is a unit; a lone trailing 1A byte is not.
  const UnitPattern& be = kEofUnits[kCodeUtf16Be];
  uint8_t odd[4] = {0, 'a', 0x1A};
  t = 3;
  EXPECT_FALSE(strip_eof_unit(odd, t, be));
}

TEST(EndOfFileTest, ABlockShorterThanTheUnitIsNeverReadInFront) {
  // The byte in front of the data would complete a UTF-32 unit; it is not looked at.
  uint8_t buffer[8] = {0x1A, 0, 0, 0, 0, 0, 0, 0};
  const UnitPattern& le32 = kEofUnits[kCodeUtf32Le];
  uint32_t t = 3;
  EXPECT_FALSE(ends_with_eof_unit(buffer + 1, t, le32));
  EXPECT_FALSE(strip_eof_unit(buffer + 1, t, le32));
  EXPECT_EQ(t, 3u);
}

TEST(EndOfFileTest, OutputEndRuleFollowsTheEndOfFileSetting) {
  EXPECT_FALSE(output_takes_eof_unit(end_of_file_for(1), true));
  EXPECT_TRUE(output_takes_eof_unit(end_of_file_for(2), false));
  EXPECT_TRUE(output_takes_eof_unit(end_of_file_for(3), true));
  EXPECT_FALSE(output_takes_eof_unit(end_of_file_for(3), false));
  EXPECT_TRUE(output_takes_eof_unit(end_of_file_for(0), true));
  EXPECT_FALSE(output_takes_eof_unit(end_of_file_for(0), false));

  uint8_t data[8] = {'x'};
  uint32_t t = 1;
  append_eof_unit(data, t, kEofUnits[kCodeUtf32Be]);
  EXPECT_EQ(t, 5u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(data), t), std::string("x\0\0\0\x1A", 5));
}

}  // namespace
}  // namespace peltrix::records
