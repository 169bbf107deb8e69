// Copies one open source to its output. How is chosen once per source, and
// each way is a short loop of its own:
// - every block read: each block is read, its records processed, its
//   output written (records are converted, skipped or limited);
// - middle copied: blocks are read only at the ends; the middle goes to the
//   output with copy_range, or, where that is refused, is read and written
//   while the next block is read (the bytes pass unchanged but for the byte
//   window);
// - middle copied and counted: as the above, with a second thread counting
//   the records of the middle meanwhile (records are only counted).
#pragma once

#include <cstdint>

#include "engine/copy_state.h"
#include "engine/output_sink.h"
#include "engine/source_steps.h"
#include "model/entries.h"

namespace peltrix::engine {

enum class Strategy { kEveryBlockRead, kMiddleCopied, kMiddleCopiedAndCounted };

Strategy choose_strategy(const SourceFlags& flags);

// Copies the open source (its handle set); bytes_read tells how much of it
// was read or copied. False after the messages of the first failure.
bool copy_source(const model::SourceEntry& source, const SourceRole& role, CopyRun& run, OutputSink& output,
                 uint64_t& bytes_read);

}  // namespace peltrix::engine
