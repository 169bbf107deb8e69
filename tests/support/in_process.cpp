#include "support/in_process.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "driver/driver.h"
#include "support/system.h"

namespace peltrix::testing {

RunResult run_in_process(const std::vector<std::string>& args, const std::string& folder) {
  std::vector<const char*> argv{"peltrix"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  const std::filesystem::path home = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  // Only the run's own files are new between these two.
  const std::vector<std::intptr_t> before = open_files();
  RunResult result;
  result.status = driver::run(static_cast<int>(argv.size()), argv.data());
  close_files_opened_since(before);
  result.out = ::testing::internal::GetCapturedStdout();
  result.err = ::testing::internal::GetCapturedStderr();
  std::filesystem::current_path(home);
  return result;
}

}  // namespace peltrix::testing
