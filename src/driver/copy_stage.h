// The copy: the first source's leading bytes decide the units, then the
// joined or the per-file copy runs through the copy buffers.
#pragma once

#include "driver/run_context.h"

namespace peltrix::driver {

// With at least one file source: allocates the buffers, opens the first file
// source (805), reads up to 100 bytes (808), checks them, closes it (815),
// selects the units and runs the per-file copy (/N) or the joined copy,
// then releases the buffers. With folders only under /S and /N, creates the
// folder tree. False after the messages of the first failure.
bool run_copy_stage(RunContext& context);

}  // namespace peltrix::driver
