#include "support/in_process.h"

#include <filesystem>
#include <utility>

#include "driver/driver.h"
#include "support/files.h"
#include "support/system.h"

namespace peltrix::testing {

RunResult run_in_process(const std::vector<std::string>& args, const std::string& folder) {
  std::vector<const char*> argv{"peltrix"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  const std::filesystem::path home = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  // Only the run's own files are new between these two.
  const std::vector<std::intptr_t> before = open_files();
  int status = -1;
  Printed words = printed([&] { status = driver::run(static_cast<int>(argv.size()), argv.data()); });
  close_files_opened_since(before);
  std::filesystem::current_path(home);
  return {status, std::move(words.out), std::move(words.err)};
}

}  // namespace peltrix::testing
