#include "platform/fault_injection.h"

#include <string>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/files.h"

namespace peltrix::platform {
namespace {

TEST(FaultInjectionTest, OnlyTheArmedCallOfTheArmedOperationFails) {
  testing::TempFolder folder;
  const std::string path = folder / "x";
  testing::write_file(path, "x");

  faults::arm(faults::Operation::kOpen, 2, kErrorAccessDenied);
  const FileHandle first = open_file(path.c_str(), kGenericRead, 0, kOpenExisting, kAttributeNormal);
  ASSERT_NE(first, kInvalidFile);
  ASSERT_TRUE(close_file(first));
  EXPECT_EQ(open_file(path.c_str(), kGenericRead, 0, kOpenExisting, kAttributeNormal), kInvalidFile);
  EXPECT_EQ(last_error(), kErrorAccessDenied);
  const FileHandle third = open_file(path.c_str(), kGenericRead, 0, kOpenExisting, kAttributeNormal);
  ASSERT_NE(third, kInvalidFile);
  EXPECT_EQ(faults::calls(faults::Operation::kOpen), 3u);

  // A failed close still releases the file, as the system does.
  faults::arm(faults::Operation::kClose, 1, kErrorDiskFull);
  EXPECT_FALSE(close_file(third));
  EXPECT_EQ(last_error(), kErrorDiskFull);
  const FileHandle again = open_file(path.c_str(), kGenericRead, 0, kOpenExisting, kAttributeNormal);
  EXPECT_NE(again, kInvalidFile);
  EXPECT_TRUE(close_file(again));

  faults::disarm();
  EXPECT_EQ(faults::calls(faults::Operation::kOpen), 0u);
}

}  // namespace
}  // namespace peltrix::platform
