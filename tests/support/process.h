// Runs the built program and captures what it says.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace peltrix::testing {

struct RunResult {
  int status = -1;  // exit status, or -1 when the program did not exit normally
  std::string out;  // bytes written to standard output
  std::string err;  // bytes written to standard error
};

struct RunOptions {
  std::string folder = {};      // working folder
  std::string stdout_path = {};  // standard output: a pipe when empty, closed when "-", else this file,
  bool stdout_appends = false;  // read and written at its start, or appended to
  uint64_t stack_limit = 0;     // RLIMIT_STACK; a huge one leaves no room for a second thread
  uint64_t file_size_limit = 0;  // RLIMIT_FSIZE in bytes; none when 0
  bool pipes_non_blocking = false;  // standard output and error non-blocking, first read after a pause
  uint32_t user = 0;            // run as this user and group (the test must be root), when not 0
  uint32_t group = 0;
  std::vector<uint32_t> groups = {};  // and the user's other groups
  int stop_signal = 0;          // sent once the program writes to standard output, which is read only after
};

// Runs the program with args (without the program name). On Windows the
// console streams carry text with CR LF, given back here with LF; standard
// output that carries the copied data comes back as it is.
RunResult run_peltrix(const std::vector<std::string>& args, const RunOptions& options = {});

}  // namespace peltrix::testing
