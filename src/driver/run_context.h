// Everything a run keeps from start-up to its end, owned by the driver and
// handed, part by part, to the stages.
#pragma once

#include <cstdint>

#include "cli/option_tables.h"
#include "driver/run_date.h"

namespace peltrix::driver {

struct RunContext {
  cli::CommandLine command_line;
  char run_date_stamp[kRunDateStampSize] = {};
};

}  // namespace peltrix::driver
