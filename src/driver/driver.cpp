#include "driver/driver.h"

#include <cstring>
#include <memory>

#include "cli/scanner.h"
#include "cli/usage.h"
#include "driver/completion_report.h"
#include "driver/copy_stage.h"
#include "driver/destination_folders.h"
#include "driver/option_rules.h"
#include "driver/run_context.h"
#include "platform/platform.h"
#include "driver/stdout_destination.h"
#include "engine/interrupted_run.h"
#include "planning/destination_list.h"
#include "planning/duplicate_checks.h"
#include "planning/folder_scan.h"
#include "planning/in_place_check.h"
#include "planning/run_settings.h"
#include "planning/same_file_check.h"
#include "planning/source_list.h"

namespace peltrix::driver {

namespace {

constexpr int kSuccess = 0;
constexpr int kFailure = 1;

// Each alone on the command line; with anything else they are refused as
// any unknown argument is.
bool is_usage_request(int argc, const char* const* argv) {
  return argc == 2 && (std::strcmp(argv[1], "/?") == 0 || std::strcmp(argv[1], "--help") == 0);
}
bool is_version_request(int argc, const char* const* argv) {
  return argc == 2 && std::strcmp(argv[1], "--version") == 0;
}

// The checks on the values as given, before any list exists.
bool check_values(RunContext& context) {
  const cli::CommandLine& command_line = context.command_line;
  return check_first_rules(command_line, context.default_input_code) &&
         planning::check_duplicate_sources(command_line, context.repeats) &&
         planning::check_in_place(command_line, context.run_date_stamp, context.in_place) &&
         planning::check_duplicate_destinations(command_line) && check_same_folder_rule(command_line);
}

bool build_sources(RunContext& context) {
  const cli::CommandLine& command_line = context.command_line;
  if (command_line.counts.input_files > 0 &&
      !planning::build_source_list(command_line,
                                   planning::source_settings_for(command_line, context.default_input_code),
                                   context.repeats, context.in_place, context.sources)) {
    return false;
  }
  if (command_line.counts.input_folders > 0 &&
      !planning::scan_source_folder(command_line, context.texts, context.sources)) {
    return false;
  }
  // A row for every pair of a per-file copy; the /IF rows keep their repeats.
  context.repeats.resize(context.sources.entries.size());
  context.distinct_source_count = planning::count_distinct_sources(context.sources);
  return true;
}

bool build_destinations(RunContext& context) {
  const cli::CommandLine& command_line = context.command_line;
  if (command_line.counts.output_files > 0) {
    return planning::build_file_destinations(command_line, context.in_place, context.destinations);
  }
  if (command_line.counts.output_folders > 0) {
    return planning::build_folder_destinations(command_line, context.sources, context.repeats, context.texts,
                                               context.destinations);
  }
  return make_stdout_destination(command_line, context.destinations);
}

// Planning ends before anything on disk changes.
bool plan(RunContext& context) {
  const cli::CommandLine& command_line = context.command_line;
  if (!check_values(context)) return false;
  context.settings = planning::run_settings_for(command_line);
  if (!build_sources(context) || !build_destinations(context)) return false;
  if (!check_last_rules(command_line)) return false;
  return planning::check_destinations_apart_from_sources(context.sources, context.destinations,
                                                         context.settings.per_file);
}

void report(const RunContext& context) {
  const model::RunSettings& settings = context.settings;
  ReportInputs inputs;
  inputs.data_on_stdout = settings.to_stdout;
  inputs.destinations = &context.destinations;
  inputs.zero_record = context.copy.zero_record;
  inputs.zero_byte = context.copy.zero_byte;
  inputs.report = settings.report;
  inputs.file_count = context.sources.file_count;
  inputs.destination_count = context.copy.destination_count;
  inputs.distinct_source_count = context.distinct_source_count;
  inputs.repeats = &context.repeats;
  inputs.by_distinct_source = settings.repeats_allowed && settings.per_file;
  print_completion_report(inputs);
}

}  // namespace

int run(int argc, const char* const* argv) {
  platform::guard_standard_streams();
  platform::guard_file_size_limit();
  if (is_usage_request(argc, argv)) {
    cli::print_usage();
    return kSuccess;
  }
  if (is_version_request(argc, argv)) {
    cli::print_version();
    return kSuccess;
  }

  auto context = std::make_unique<RunContext>();
  format_run_date_stamp(platform::local_date(), context->run_date_stamp);
  cli::prepare_working_tables(context->command_line);

  if (cli::scan_command_line(context->command_line, argc, argv) != 0) return kFailure;
  // A request to stop is taken between the stages and, in the copy, between
  // blocks; a run that got past its last such point is complete.
  platform::watch_interruptions();
  const bool done = plan(*context) && !platform::interrupted() &&
                    create_destination_folders(context->command_line, context->destinations) &&
                    !platform::interrupted() && run_copy_stage(*context);
  if (!done && platform::interrupted()) engine::stop_interrupted_run(context->sources, context->destinations);
  if (!done) return kFailure;
  report(*context);
  return kSuccess;
}

}  // namespace peltrix::driver
