#include "engine/middle_copy.h"

#include "engine/count_beside.h"
#include "records/byte_window.h"

namespace peltrix::engine {

namespace {

// The blocks are read from here on: copy_range, or the thread beside it, is
// not to be had for this source.
MiddleCopy refuse(SourceSteps& steps) {
  steps.refuse_middle();
  return MiddleCopy::kRefused;
}

// The source became shorter while its middle was copied: the output holds
// the `copied` bytes that were really there (from the carried bytes on),
// and their records are counted again, as the source's end: from the
// source, and where it no longer holds them, from the output, so that the
// count describes the output whatever the source does meanwhile.
MiddleCopy count_to_end(SourceSteps& steps, uint64_t copied) {
  const uint32_t carried = static_cast<uint32_t>(copied < kCarryLength ? copied : kCarryLength);
  RangeToCount range{steps.source().handle, steps.position(), copied - carried, steps.carried(),
                     carried, true, steps.processing().state.open};
  const OutputSink::CopiedPlace place = steps.output().copied_place();
  range.copy = place.file;
  range.copy_position = place.position + static_cast<int64_t>(kCarryLength);
  const RangeCount counted = count_range(range, steps.run().buffers->counting, steps.processing().transform);
  if (counted.read_failed) {
    steps.report_read_failure(counted.error, counted.copy_failed ? place.name : steps.role().read_path);
    return MiddleCopy::kFailed;
  }
  steps.output().add_records(counted.records);
  steps.stop();
  return MiddleCopy::kCopied;
}

}  // namespace

bool middle_ready(SourceSteps& steps) {
  if (steps.position() == 0 || steps.middle_refused() || steps.middle_length() == 0) return false;
  // The output has begun once the writes handed over are done.
  return steps.run().behind.finish() && steps.output().takes_ranges();
}

MiddleCopy copy_middle(SourceSteps& steps) {
  // copy_range writes behind the bytes written before it.
  if (!steps.run().behind.finish()) return MiddleCopy::kFailed;
  const uint64_t length = steps.middle_length();
  records::ByteCounters counters = steps.processing().byte_counters;
  const records::RangeWindow window = records::window_range(length, counters);
  uint64_t copied = 0;
  if (window.length != 0) {
    const int64_t offset = static_cast<int64_t>(steps.position() + window.start);
    switch (steps.output().copy_range(steps.source(), offset, window.length, copied)) {
      case OutputSink::RangeCopy::kCopied: break;
      case OutputSink::RangeCopy::kUnsupported: return refuse(steps);
      case OutputSink::RangeCopy::kFailed: return MiddleCopy::kFailed;
    }
  }
  // A source that ended sooner is read on from its end.
  steps.pass_middle(copied < window.length ? window.start + copied : length, counters, window.stop);
  return MiddleCopy::kCopied;
}

MiddleCopy copy_middle_counted(SourceSteps& steps) {
  const uint64_t length = steps.middle_length();
  const uint64_t position = steps.position();
  CountBeside counter(steps.run().second_thread);
  const RangeToCount range{steps.source().handle, position, length, steps.carried(),
                           static_cast<uint32_t>(kCarryLength), false, steps.processing().state.open};
  if (!counter.start(range, steps.run().buffers->counting, steps.processing().transform)) return refuse(steps);
  uint64_t copied = 0;
  const int64_t offset = static_cast<int64_t>(position - kCarryLength);
  switch (steps.output().copy_range(steps.source(), offset, length, copied)) {
    case OutputSink::RangeCopy::kCopied: break;
    case OutputSink::RangeCopy::kUnsupported: counter.abandon(); return refuse(steps);
    case OutputSink::RangeCopy::kFailed: counter.abandon(); return MiddleCopy::kFailed;
  }
  const RangeCount counted = counter.finish();
  if (counted.read_failed) {
    steps.report_read_failure(counted.error);
    return MiddleCopy::kFailed;
  }
  if (copied < length || counted.shrunk) return count_to_end(steps, copied);
  steps.output().add_records(counted.records);
  steps.run().fast_paths.blocks_counted_beside += length / kBlockLength;
  steps.pass_counted_middle(length, counted.open, counter.carried());
  return MiddleCopy::kCopied;
}

}  // namespace peltrix::engine
