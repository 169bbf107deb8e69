// Feeds arbitrary command lines to the scanner, the group parsers, the
// numeric check and the path checks. Arguments are separated by NUL bytes.

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/option_tables.h"
#include "cli/scanner.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // Relative paths stay inside a folder of the fuzzer's own. Run with
  // -close_fd_mask=2 to keep the messages out of the fuzzer's report.
  static char folder[] = "/tmp/peltrix-fuzz-XXXXXX";
  if (mkdtemp(folder) == nullptr || chdir(folder) != 0) std::abort();
  std::atexit([] { std::filesystem::remove_all(folder); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<std::string> args{"peltrix"};
  std::string current;
  for (size_t i = 0; i < size && args.size() < 16; ++i) {
    if (data[i] == 0) {
      args.push_back(current);
      current.clear();
    } else {
      current += static_cast<char>(data[i]);
    }
  }
  args.push_back(current);
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());

  peltrix::cli::CommandLine command_line;
  peltrix::cli::prepare_working_tables(command_line);
  peltrix::cli::scan_command_line(command_line, static_cast<int>(argv.size()), argv.data());
  return 0;
}
