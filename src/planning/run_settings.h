// The translation of the option values into the run's settings by name,
// made once, where the run is planned. /IY2 makes every source plain bytes:
// /IC, /IL, /IP, /OR, /OJ and /OE then count for nothing, and /MT3 reports
// as /MT2.
#pragma once

#include <cstdint>

#include "cli/option_tables.h"
#include "model/entries.h"
#include "model/settings.h"

namespace peltrix::planning {

// The /I group's settings; input_code falls back to default_input_code.
model::SourceSettings source_settings_for(const cli::CommandLine& command_line, int32_t default_input_code);

// The run's switches and report.
model::RunSettings run_settings_for(const cli::CommandLine& command_line);

// The /O group's /OR, /OJ, /OE and /OU where given, into entry.
void apply_output_values(const cli::CommandLine& command_line, model::DestinationEntry& entry);

// Destination handling that may change an existing file: /OU2 overwrites,
// /OU3 appends.
model::Existing existing_for(int32_t ou_value);

}  // namespace peltrix::planning
