#include "driver/run_date.h"

#include <gtest/gtest.h>

namespace peltrix::driver {
namespace {

TEST(RunDateTest, MonthAndDayArePaddedToTwoDigits) {
  char stamp[kRunDateStampSize];
  format_run_date_stamp({2026, 12, 6}, stamp);
  EXPECT_STREQ(stamp, "_20261206_");
  format_run_date_stamp({2027, 1, 31}, stamp);
  EXPECT_STREQ(stamp, "_20270131_");
}

}  // namespace
}  // namespace peltrix::driver
