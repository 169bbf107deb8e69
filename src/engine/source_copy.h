// Copies one open source to its output. How is chosen once per source, with
// the reason, and each way is a short loop of its own:
// - through the buffers: every block is read, its records processed, its
//   output written;
// - in the system: blocks are read only at the ends; the middle goes to the
//   output with copy_range, or, where that is refused, is read and written
//   while the next block is read;
// - counted beside: as in the system, with a second thread counting the
//   records of the middle meanwhile.
#pragma once

#include <cstdint>

#include "engine/copy_state.h"
#include "engine/output_sink.h"
#include "engine/source_steps.h"
#include "paths/entries.h"

namespace peltrix::engine {

enum class Strategy { kThroughBuffers, kInSystem, kCountedBeside };

struct StrategyChoice {
  Strategy strategy;
  const char* reason;
};

StrategyChoice choose_strategy(const SourceFlags& flags);

// Copies the open source (its handle set); bytes_read tells how much of it
// was read or copied. False after the messages of the first failure.
bool copy_source(const paths::SourceEntry& source, const SourceRole& role, CopyRun& run, OutputSink& output,
                 uint64_t& bytes_read);

}  // namespace peltrix::engine
