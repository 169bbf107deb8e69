#include "planning/run_settings.h"

#include "records/byte_window.h"

namespace peltrix::planning {

namespace {

bool plain_bytes(const cli::CommandLine& command_line) { return cli::value_of(command_line.input, cli::kIY) == 2; }

uint64_t bytes_of(int32_t bytes, int32_t megabytes) {
  return megabytes != 0 ? static_cast<uint64_t>(megabytes) * records::kMegabyte : static_cast<uint64_t>(bytes);
}

}  // namespace

model::SourceSettings source_settings_for(const cli::CommandLine& command_line, int32_t default_input_code) {
  const cli::GroupTable& input = command_line.input;
  model::SourceSettings settings;
  settings.bytes_to_skip = bytes_of(cli::value_of(input, cli::kIT), cli::value_of(input, cli::kIA));
  settings.byte_limit = bytes_of(cli::value_of(input, cli::kIB), cli::value_of(input, cli::kIM));
  settings.keeps_backup = cli::value_of(input, cli::kIU) == 1;
  settings.plain_bytes = plain_bytes(command_line);
  if (settings.plain_bytes) return settings;
  settings.input_code = cli::value_of(input, cli::kIC);
  if (settings.input_code == 0) settings.input_code = default_input_code;
  settings.records_to_skip = cli::value_of(input, cli::kIL);
  settings.record_limit = cli::value_of(input, cli::kIP);
  return settings;
}

model::RunSettings run_settings_for(const cli::CommandLine& command_line) {
  model::RunSettings settings;
  switch (command_line.counts.message_type) {
    case 1: settings.report = model::Report::kCounts; break;
    case 2: settings.report = model::Report::kNames; break;
    case 3: settings.report = plain_bytes(command_line) ? model::Report::kNames : model::Report::kRecords; break;
    default: break;
  }
  settings.per_file = command_line.flags.n != 0;
  settings.subfolders = command_line.flags.s != 0;
  settings.repeats_allowed = command_line.flags.w != 0;
  settings.write_through = command_line.flags.c != 0;
  settings.to_stdout = command_line.counts.output_files == 0 && command_line.counts.output_folders == 0;
  return settings;
}

void apply_output_values(const cli::CommandLine& command_line, model::DestinationEntry& entry) {
  const cli::GroupTable& output = command_line.output;
  entry.existing = existing_for(cli::value_of(output, cli::kOU));
  if (plain_bytes(command_line)) return;
  entry.newlines = records::newlines_for(cli::value_of(output, cli::kOR));
  entry.mark = records::mark_for(cli::value_of(output, cli::kOJ));
  entry.end_of_file = records::end_of_file_for(cli::value_of(output, cli::kOE));
}

model::Existing existing_for(int32_t ou_value) {
  return ou_value == 2   ? model::Existing::kOverwrite
         : ou_value == 3 ? model::Existing::kAppend
                         : model::Existing::kRefuse;
}

}  // namespace peltrix::planning
