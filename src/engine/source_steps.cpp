#include "engine/source_steps.h"

#include <cstring>

#include "messages/catalogue_files.h"
#include "records/bom_step.h"
#include "records/end_of_file.h"

namespace peltrix::engine {

SourceSteps::SourceSteps(const model::SourceEntry& source_entry, const SourceRole& source_role, CopyRun& copy_run,
                         OutputSink& sink)
    : source_(source_entry), role_(source_role), run_(copy_run), output_(sink),
      reader_(*copy_run.buffers, copy_run.behind, source_entry.handle, static_cast<uint64_t>(source_entry.size)) {
  processing_.flags = flags_for(source_, role_.newlines, run_.settings.count_records);
  const model::SourceSettings& settings = source_.settings;
  processing_.record_counters = {settings.records_to_skip, settings.record_limit};
  processing_.byte_counters = {settings.bytes_to_skip, settings.byte_limit};
  records::TransformSettings& transform = processing_.transform;
  transform.newlines = role_.newlines;
  transform.count_records = run_.settings.count_records;
  transform.units = run_.marks.units;
  transform.conversion = run_.buffers->conversion;
  transform.conversion_capacity = kConversionBufferSize;
}

void SourceSteps::report_read_failure(uint32_t error, const char* path) {
  if (!run_.behind.finish()) return;  // the write before failed first, and said so
  if (error == platform::kErrorOperationAborted) return;  // the run was asked to stop
  messages::read_failure(role_.read_code, path != nullptr ? path : role_.read_path, error);
}

// A source's end-of-file unit counts only where its last block holds it
// whole, so that every loop decides it alike; where the source ends its
// output, /OE decides whether one unit follows.
void SourceSteps::end_steps(Block& block) {
  const records::UnitPattern& eof = run_.marks.units.eof;
  const bool ends = records::ends_with_eof_unit(block.data, block.read, eof);
  if (role_.decides_eof) run_.ends_with_eof = ends;
  if (ends) records::strip_eof_unit(block.start, block.length, eof);
  if (role_.completes_output && records::output_takes_eof_unit(role_.end_of_file, run_.ends_with_eof)) {
    records::append_eof_unit(block.start, block.length, eof);
  }
}

bool SourceSteps::take(Block& block) {
  // A request to stop is taken between blocks; the caller stops without a message.
  if (platform::interrupted()) return false;
  if (!reader_.read(block)) {
    report_read_failure(platform::last_error());
    return false;
  }
  if (block.empty_source()) return true;
  if (block.last && !processing_.flags.plain_bytes) end_steps(block);
  // A later source's mark is cut where its first block really begins with it.
  if (block.first && !role_.keeps_mark && !processing_.flags.plain_bytes) {
    const uint32_t mark = records::leading_mark_length(block.start, block.length, run_.marks.detected_code);
    block.length -= mark;
    if (mark != 0) std::memmove(block.start, block.start + mark, block.length);
  }
  return true;
}

bool SourceSteps::write(const BlockOutput& out, bool more_follow) {
  if (more_follow) return run_.behind.hand_over(output_, out.data, out.length, out.records);
  return run_.behind.finish() && output_.write(out.data, out.length, out.records);
}

bool SourceSteps::emit(const Block& block) {
  // A record may straddle the block boundary: its last kCarryLength bytes
  // wait for the next block, in front of which they are placed.
  const bool record_processing = processing_.flags.record_processing;
  const bool carries = record_processing && !block.last;
  const uint32_t processed = carries ? block.length - static_cast<uint32_t>(kCarryLength) : block.length;
  const BlockOutput out = run_block_steps(block.start, processed, block.last, processing_);
  // Output that is a window of what was read is written while the next block is read.
  const bool more_follow = !record_processing && !block.last && !out.stop;
  if (out.length != 0 && !write(out, more_follow)) return false;
  if (carries) reader_.carry(block.start + processed, static_cast<uint32_t>(kCarryLength));
  return true;
}

void SourceSteps::pass_middle(uint64_t bytes, const records::ByteCounters& counters, bool stop) {
  processing_.byte_counters = counters;
  reader_.pass(bytes);
  if (stop) processing_.state.stop = true;
}

void SourceSteps::pass_counted_middle(uint64_t bytes, const records::OpenRecord& open, const uint8_t* carried) {
  processing_.state.open = open;
  reader_.carry(carried, static_cast<uint32_t>(kCarryLength));
  reader_.pass(bytes);
}

}  // namespace peltrix::engine
