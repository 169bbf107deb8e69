// Helpers for the planning tests: a command line parsed as the program
// parses it.
#pragma once

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

}  // namespace peltrix::planning::testing
