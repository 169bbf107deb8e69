// A test that runs the built program in a temporary folder of its own and
// looks at the files it leaves there.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/files.h"
#include "support/process.h"

namespace peltrix::testing {

class RunFolderTest : public ::testing::Test {
 protected:
  RunResult run(const std::vector<std::string>& args) { return run_peltrix(args, {.folder = folder_.path()}); }

  // The path the program prints for name: the folder with links resolved.
  std::string real(const std::string& name) const {
    return (std::filesystem::canonical(folder_.path()) / name).string();
  }
  void put(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path path = folder_ / name;
    std::filesystem::create_directories(path.parent_path());
    write_file(path.string(), bytes);
  }
  std::string get(const std::string& name) const { return read_file(folder_ / name); }
  bool has(const std::string& name) const { return exists(folder_ / name); }

  TempFolder folder_;
};

// The lines of a message whose lines are given without their "Exxx-n " prefix.
inline std::string message(int code, const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "E%03d-%zu ", code, i + 1);
    text += prefix + lines[i] + "\n";
  }
  return text;
}

}  // namespace peltrix::testing
