#include "driver/driver.h"

#include <cstring>
#include <memory>

#include "cli/scanner.h"
#include "cli/usage.h"
#include "driver/run_context.h"

namespace peltrix::driver {

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;

bool is_usage_request(int argc, const char* const* argv) {
  return argc == 2 && std::strcmp(argv[1], "/?") == 0;
}

}  // namespace

int run(int argc, const char* const* argv) {
  if (is_usage_request(argc, argv)) {
    cli::print_usage();
    return kSuccess;
  }

  auto context = std::make_unique<RunContext>();
  format_run_date_stamp(platform::local_date(), context->run_date_stamp);
  cli::prepare_working_tables(context->command_line);

  if (cli::scan_command_line(context->command_line, argc, argv) != 0) return kFailure;

  // The rules between options and the planning come next.
  return kFailure;
}

}  // namespace peltrix::driver
