#include "engine/source_steps.h"

#include <cstring>

#include "engine/mark_reports.h"
#include "messages/messages.h"
#include "records/bom_step.h"
#include "records/byte_window.h"
#include "records/end_of_file.h"
#include "records/leading_bytes.h"

namespace peltrix::engine {

SourceSteps::SourceSteps(const paths::SourceEntry& source_entry, const SourceRole& source_role, CopyRun& copy_run,
                         OutputSink& sink)
    : source(source_entry), role(source_role), run(copy_run), output(sink),
      reader(*copy_run.buffers, copy_run.behind, source_entry.handle, static_cast<uint64_t>(source_entry.size)) {
  processing.flags = flags_for(source, role.newlines, run.settings.count_records);
  processing.record_counters = {source.il, source.ip};
  processing.byte_counters = records::byte_counters_for(source.it, source.ia, source.ib, source.im);
  records::TransformSettings& transform = processing.transform;
  transform.newlines = role.newlines;
  transform.count_records = run.settings.count_records;
  transform.units = run.units;
  transform.conversion = run.buffers->conversion;
  transform.conversion_capacity = kConversionBufferSize;
}

void SourceSteps::report_read_failure(uint32_t error, const char* path) {
  if (!run.behind.finish()) return;  // the write before failed first, and said so
  if (error == platform::kErrorOperationAborted) return;  // the run was asked to stop
  messages::read_failure(role.read_message, path != nullptr ? path : role.read_path, error);
}

// A source's end-of-file unit counts only where its last block holds it
// whole, so that every loop decides it alike; where the source ends its
// output, /OE decides whether one unit follows.
void SourceSteps::end_steps(Block& block) {
  const records::UnitPattern& eof = run.units.eof;
  const bool ends = records::ends_with_eof_unit(block.data, block.read, eof);
  if (role.decides_eof) run.ends_with_eof = ends;
  if (ends) records::strip_eof_unit(block.start, block.length, eof);
  if (role.completes_output && records::output_takes_eof_unit(role.end_of_file, run.ends_with_eof)) {
    records::append_eof_unit(block.start, block.length, eof);
  }
}

bool SourceSteps::take(Block& block) {
  // A request to stop is taken between blocks; the caller stops without a message.
  if (platform::interrupted()) return false;
  if (!reader.read(block)) {
    report_read_failure(platform::last_error());
    return false;
  }
  if (block.empty_source()) return true;
  if (block.first) {
    const auto found = records::check_leading_bytes(block.data, block.read, source.ic, source.plain_bytes,
                                                    run.detected_code);
    if (!leading_bytes_agree(found, source.ic)) return false;
  }
  if (block.last && !processing.flags.plain_bytes) end_steps(block);
  // A later source's mark is cut where its first block really begins with it.
  if (block.first && !role.keeps_mark && !processing.flags.plain_bytes) {
    const uint32_t mark = records::leading_mark_length(block.start, block.length, run.detected_code);
    block.length -= mark;
    if (mark != 0) std::memmove(block.start, block.start + mark, block.length);
  }
  return true;
}

bool SourceSteps::write(const BlockOutput& out, bool more_follow) {
  const uint64_t records = processing.state.block_record_count;
  if (more_follow) return run.behind.hand_over(output, out.data, out.length, records);
  return run.behind.finish() && output.write(out.data, out.length, records);
}

bool SourceSteps::emit(const Block& block) {
  // A record may straddle the block boundary: its last kCarryLength bytes
  // wait for the next block, in front of which they are placed.
  const bool record_processing = processing.flags.record_processing;
  const bool carries = record_processing && !block.last;
  const uint32_t handed_on = carries ? block.length - static_cast<uint32_t>(kCarryLength) : block.length;
  const uint32_t length = run_block_steps(block.start, handed_on, block.last, processing);
  const BlockOutput out = block_output(block.start, length, processing);
  // Output that is a window of what was read is written while the next block is read.
  const bool more_follow = !record_processing && !block.last && !processing.state.stop;
  if (out.length != 0 && !write(out, more_follow)) return false;
  if (carries) reader.carry(block.start + handed_on, static_cast<uint32_t>(kCarryLength));
  return true;
}

}  // namespace peltrix::engine
