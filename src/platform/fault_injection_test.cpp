#include "platform/fault_injection.h"

#include <string>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/files.h"

namespace peltrix::platform {
namespace {

// Which call fails, and that it alone does, the fault matrix shows with
// every run; a failed close still releases the file, as the system does.
TEST(FaultInjectionTest, AFailedCloseStillReleasesTheFile) {
  testing::TempFolder folder;
  const std::string path = folder / "x";
  testing::write_file(path, "x");
  const FileHandle held = open_file(path.c_str(), kGenericRead, 0, kOpenExisting, kAttributeNormal);
  ASSERT_NE(held, kInvalidFile);
  faults::arm(faults::Operation::kClose, 1, kErrorDiskFull);
  EXPECT_FALSE(close_file(held));
  EXPECT_EQ(last_error(), kErrorDiskFull);
  faults::disarm();
  const FileHandle again = open_file(path.c_str(), kGenericRead, 0, kOpenExisting, kAttributeNormal);
  EXPECT_NE(again, kInvalidFile);
  EXPECT_TRUE(close_file(again));
}

}  // namespace
}  // namespace peltrix::platform
