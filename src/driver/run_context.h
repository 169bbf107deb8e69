// Everything a run keeps from start-up to its end, owned by the driver and
// handed, part by part, to the stages.
#pragma once

#include <cstdint>
#include <memory>

#include "cli/option_tables.h"
#include "driver/run_date.h"
#include "engine/copy_buffers.h"
#include "engine/copy_state.h"
#include "model/entries.h"
#include "model/repeat_table.h"
#include "model/settings.h"
#include "model/text_store.h"
#include "planning/in_place_check.h"

namespace peltrix::driver {

struct RunContext {
  cli::CommandLine command_line;    // as parsed; nothing changes it afterwards
  char run_date_stamp[kRunDateStampSize] = {};
  int32_t default_input_code = 0;     // the code whose mark /OJ names, for /IF sources without /IC
  model::RunSettings settings;        // the switches and the report, by name
  model::RepeatTable repeats;      // one row per source entry
  planning::InPlaceNames in_place;    // the /IF and /OF names copied in place, and the backups
  int32_t distinct_source_count = 0;  // file sources, each repeated one counted once
  model::SourceList sources;
  model::DestinationList destinations;
  model::TextStore texts;          // folder-scan names and paths, names in the /OD folder
  engine::CopyBuffers buffers;
  engine::CopyRun copy;

  RunContext() = default;
  RunContext(const RunContext&) = delete;
  RunContext& operator=(const RunContext&) = delete;
  // A run that stops early still gives its buffers back.
  ~RunContext() { engine::release_copy_buffers(buffers); }
};

}  // namespace peltrix::driver
