// Helpers for the planning tests: a command line parsed as the program
// parses it, and messages captured from standard error.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "cli/option_tables.h"
#include "cli/scanner.h"

namespace peltrix::planning::testing {

// Prepares command_line and scans args (without the program's name); false
// when the scanner refused them.
inline bool parse(cli::CommandLine& command_line, const std::vector<std::string>& args) {
  cli::prepare_working_tables(command_line);
  std::vector<const char*> argv{"peltrix"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  return cli::scan_command_line(command_line, static_cast<int>(argv.size()), argv.data()) == 0;
}

// What step printed on standard error; *result receives what it returned.
inline std::string stderr_of(const std::function<bool()>& step, bool* result = nullptr) {
  ::testing::internal::CaptureStderr();
  const bool returned = step();
  if (result != nullptr) *result = returned;
  return ::testing::internal::GetCapturedStderr();
}

}  // namespace peltrix::planning::testing
