#include "platform/fault_injection.h"

#include <string>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/files.h"

namespace peltrix::platform {
namespace {

// A failed close still releases the file, as the system's does: the fault
// matrix's runs meet the files as a real failure leaves them. (That the
// armed call, and only it, fails, every row of the matrix shows.)
TEST(FaultInjectionTest, AFailedCloseStillReleasesTheFile) {
  testing::TempFolder folder;
  const std::string path = folder / "x";
  testing::write_file(path, "x");
  const FileHandle file = open_file(path.c_str(), kGenericRead, 0, kOpenExisting, kAttributeNormal);
  ASSERT_NE(file, kInvalidFile);
  {
    const testing::Faults failing(faults::Operation::kClose, 1, kErrorDiskFull);
    EXPECT_FALSE(close_file(file));
    EXPECT_EQ(last_error(), kErrorDiskFull);
  }
  const FileHandle again = open_file(path.c_str(), kGenericRead, 0, kOpenExisting, kAttributeNormal);
  ASSERT_NE(again, kInvalidFile);
  EXPECT_TRUE(close_file(again));
}

}  // namespace
}  // namespace peltrix::platform
