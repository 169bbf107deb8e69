// Runs the built program in a folder of its own and captures what it says.
#pragma once

#include <string>
#include <vector>

#include "support/files.h"

namespace peltrix::testing {

struct RunResult {
  int status = -1;       // exit status, or -1 when the program did not exit normally
  std::string out;       // bytes written to standard output
  std::string err;       // bytes written to standard error
};

struct RunOptions {
  std::string folder;              // working folder; the test's own when empty
  bool stdout_to_dev_full = false; // standard output on /dev/full
  bool stdout_closed = false;      // standard output closed
  std::string stdout_file = {};    // standard output on this file: read and write at its start
  bool stdout_appends = false;     // ... or appending to it
  uint64_t stack_limit = 0;        // RLIMIT_STACK; a huge one leaves no room for a second thread
  bool pipes_non_blocking = false;  // standard output and error non-blocking pipes, first read after a pause
  unsigned long file_size_limit = 0;  // the program's largest file in bytes (RLIMIT_FSIZE); none when 0
};

// Runs the program with args (without the program name).
RunResult run_peltrix(const std::vector<std::string>& args, const RunOptions& options = {});

}  // namespace peltrix::testing
