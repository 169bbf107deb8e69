// The copy: the sources' marks are judged, then the joined or the per-file
// copy runs through the copy buffers.
#pragma once

#include "driver/run_context.h"

namespace peltrix::driver {

// With at least one file source: allocates the buffers, judges the sources'
// marks (engine::judge_source_marks) and runs the per-file copy (/N) or the
// joined copy, then releases the buffers. With folders only under /S and /N, creates the
// folder tree. False after the messages of the first failure.
bool run_copy_stage(RunContext& context);

}  // namespace peltrix::driver
