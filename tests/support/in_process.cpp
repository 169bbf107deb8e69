#include "support/in_process.h"

#include <unistd.h>

#include <filesystem>
#include <set>
#include <utility>

#include "driver/driver.h"
#include "support/files.h"

namespace peltrix::testing {

namespace {

std::set<int> open_descriptors() {
  std::set<int> fds;
  for (const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) {
    fds.insert(std::stoi(e.path().filename().string()));
  }
  return fds;
}

}  // namespace

RunResult run_in_process(const std::vector<std::string>& args, const std::string& folder) {
  std::vector<const char*> argv{"peltrix"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  const std::set<int> before = open_descriptors();
  const std::filesystem::path home = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  int status = -1;
  Printed words = printed([&] { status = driver::run(static_cast<int>(argv.size()), argv.data()); });
  std::filesystem::current_path(home);
  for (int fd : open_descriptors()) {
    if (before.count(fd) == 0) close(fd);
  }
  return {status, std::move(words.out), std::move(words.err)};
}

}  // namespace peltrix::testing
