#include "engine/source_copy.h"

#include "engine/middle_copy.h"

namespace peltrix::engine {

namespace {

bool copy_every_block(SourceSteps& steps) {
  Block block;
  do {
    if (!steps.take(block)) return false;
    if (block.empty_source()) return true;
    if (!steps.emit(block)) return false;
  } while (!steps.finished(block));
  return true;
}

// The two ways that copy the middle share their shape: the middle through
// copy_middle where it may, every other block read.
template <MiddleCopy (*copy_middle)(SourceSteps&)>
bool copy_around_middle(SourceSteps& steps) {
  DrainOnExit drain(steps.run().behind);
  Block block;
  for (;;) {
    if (middle_ready(steps)) {
      if (copy_middle(steps) == MiddleCopy::kFailed) return false;
      if (steps.stopped()) return true;
    }
    if (!steps.take(block)) return false;
    if (block.empty_source()) return true;
    if (!steps.emit(block)) return false;
    if (steps.finished(block)) return steps.run().behind.finish();
  }
}

}  // namespace

Strategy choose_strategy(const SourceFlags& flags) {
  if (flags.only_counting) return Strategy::kMiddleCopiedAndCounted;
  if (flags.record_processing) return Strategy::kEveryBlockRead;
  return Strategy::kMiddleCopied;
}

bool copy_source(const model::SourceEntry& source, const SourceRole& role, CopyRun& run, OutputSink& output,
                 uint64_t& bytes_read) {
  SourceSteps steps(source, role, run, output);
  bool copied = false;
  switch (choose_strategy(steps.processing().flags)) {
    case Strategy::kEveryBlockRead: copied = copy_every_block(steps); break;
    case Strategy::kMiddleCopied: copied = copy_around_middle<copy_middle>(steps); break;
    case Strategy::kMiddleCopiedAndCounted: copied = copy_around_middle<copy_middle_counted>(steps); break;
  }
  bytes_read = steps.position();
  run.zero_record = run.zero_record || steps.processing().state.zero_record;
  run.zero_byte = run.zero_byte || steps.processing().state.zero_byte;
  return copied;
}

}  // namespace peltrix::engine
