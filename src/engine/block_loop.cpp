#include "engine/block_loop.h"

#include <cstring>

#include "engine/block_steps.h"
#include "engine/stretch_count.h"
#include "messages/messages.h"
#include "platform/platform.h"
#include "records/bom_step.h"
#include "records/byte_window.h"
#include "records/end_of_file.h"
#include "records/leading_bytes.h"
#include "records/record_transform.h"

namespace peltrix::engine {

namespace {

// The source's size as it is now; the size found in planning when the
// system cannot tell.
uint64_t current_size(const paths::SourceEntry& source) {
  platform::FileInformation info;
  if (platform::file_information(source.handle, &info)) return info.size;
  return static_cast<uint64_t>(source.size);
}

// A block ends the source when it is short, or when the source holds no
// more bytes than have been read (asked again, in case it has grown).
bool is_last_block(const paths::SourceEntry& source, uint32_t read, uint64_t total, uint64_t& size) {
  if (read < kBlockLength) return true;
  if (total < size) return false;
  size = current_size(source);
  return total >= size;
}

// A later source's mark is cut where its first block really begins with it.
void cut_leading_mark(uint8_t* data, uint32_t& length, int32_t detected_code) {
  const uint32_t mark = records::leading_mark_length(data, length, detected_code);
  length -= mark;
  if (mark != 0) std::memmove(data, data + mark, length);
}

enum class PassThrough { kPassed, kRead, kUnsupported, kFailed };

// The full blocks from offset on that are not the last one of the source,
// windowed one by one exactly as if they were read, as long as their output
// forms one stretch of the source.
struct Stretch {
  uint64_t blocks = 0;  // blocks taken
  int64_t start = 0;    // the stretch of the source they output
  uint64_t length = 0;
  records::ByteCounters counters;  // the byte counters after them
  records::TransformState state;   // the transform state after them
};

Stretch stretch_from(uint64_t offset, uint64_t size, const records::ByteCounters& counters,
                     const records::TransformState& state) {
  Stretch stretch{0, 0, 0, counters, state};
  const bool windowed = counters.bytes_to_skip != 0 || counters.byte_limit != 0;
  for (uint64_t at = offset; at + kBlockLength < size && !stretch.state.stop; at += kBlockLength) {
    records::ByteCounters next = stretch.counters;
    records::TransformState window = stretch.state;
    uint32_t t = static_cast<uint32_t>(kBlockLength);
    window.last_block = false;
    window.window_start = 0;
    window.window_end = static_cast<int64_t>(kBlockLength);
    if (windowed) records::byte_window(static_cast<uint32_t>(kBlockLength), t, next, window);
    const int64_t start = static_cast<int64_t>(at) + (t == 0 ? 0 : window.window_start);
    const uint64_t length = t == 0 ? 0 : static_cast<uint64_t>(window.window_end - window.window_start);
    // Output already gathered must continue right here.
    if (stretch.length != 0 && (length == 0 || start != stretch.start + static_cast<int64_t>(stretch.length))) break;
    if (stretch.length == 0) stretch.start = start;
    stretch.length += length;
    stretch.counters = next;
    stretch.state = window;
    ++stretch.blocks;
  }
  return stretch;
}

void report_read_failure(const SourceRole& role, uint32_t error) {
  messages::read_failure(role.read_message, role.read_path, error);
}

// Where the blocks handed through stand in the block loop: the bytes carried
// in front of them (only while records are counted), and what counts them.
struct Counting {
  uint32_t carry = 0;
  uint32_t first_block = 0;  // number of the first block handed through
  CopyBuffers* buffers = nullptr;
  const records::TransformSettings* transform = nullptr;
};

// Hands the full blocks from offset on that are not the last one to the
// output as one range of the source, inside the system: nothing can change
// them but the byte window. While records are counted (counting not null),
// the range starts at the carried bytes and ends before the bytes the last
// block carries on, as the block loop would output them, and a second thread
// counts their records meanwhile. kRead: the next block must be read after
// all; nothing has changed then.
PassThrough pass_blocks_through(const paths::SourceEntry& source, const SourceRole& role, uint64_t offset,
                                uint64_t size, const Counting* counting, records::ByteCounters& counters,
                                records::TransformState& state, OutputSink& sink, uint64_t& blocks) {
  const Stretch stretch = stretch_from(offset, size, counters, state);
  if (stretch.blocks == 0) return PassThrough::kRead;
  StretchCounter counter;
  const uint32_t carry = counting != nullptr ? counting->carry : 0;
  if (counting != nullptr) {
    CopyBuffers& buffers = *counting->buffers;
    counter.start(source.handle, offset, stretch.blocks, buffers.data[counting->first_block & 1] - carry, buffers,
                  *counting->transform);
  }
  if (stretch.length != 0) {
    switch (sink.copy_range(source, stretch.start - carry, stretch.length)) {
      case OutputSink::RangeCopy::kCopied: break;
      case OutputSink::RangeCopy::kNotNow: return PassThrough::kRead;
      case OutputSink::RangeCopy::kUnsupported: return PassThrough::kUnsupported;
      case OutputSink::RangeCopy::kFailed: return PassThrough::kFailed;
    }
  }
  if (counting != nullptr) {
    const uint32_t next_block = counting->first_block + static_cast<uint32_t>(stretch.blocks);
    const StretchCount counted = counter.finish(counting->buffers->data[next_block & 1] - carry);
    if (counted.read_failed) {
      report_read_failure(role, counted.error);
      return PassThrough::kFailed;
    }
    sink.add_records(counted.records);
  }
  counters = stretch.counters;
  state = stretch.state;
  blocks = stretch.blocks;
  return PassThrough::kPassed;
}

}  // namespace

bool copy_source(const paths::SourceEntry& source, const SourceRole& role, CopyRun& run, OutputSink& sink) {
  CopyBuffers& buffers = *run.buffers;
  const SourceFlags flags = flags_for(source, role.or_value, run.settings.message_type);
  const records::UnitPattern& eof = run.units.eof;

  records::RecordCounters record_counters{source.il, source.ip};
  records::ByteCounters byte_counters = records::byte_counters_for(source.it, source.ia, source.ib, source.im);
  records::TransformState& state = run.transform;
  state.last_block = false;
  state.stop = false;
  records::TransformSettings transform;
  transform.or_value = role.or_value;
  transform.count_records = run.settings.message_type == 3;
  transform.units = run.units;
  transform.conversion = buffers.conversion;
  transform.conversion_capacity = kConversionBufferSize;

  // The size found in planning until a block says otherwise; it is asked
  // again where it decides anything (a full block reaching it, a stretch
  // handed through).
  uint64_t size = static_cast<uint64_t>(source.size);
  bool size_asked = false;
  uint64_t& total = run.source_bytes;
  total = 0;
  uint32_t carry = 0;
  // Blocks that nothing changes go from the source to the output inside the
  // system; records are counted beside that copy.
  bool pass_through = !flags.record_processing || flags.only_counting;
  // Blocks whose output is a window of what was read are written while the
  // next one is read; bytes carried from block to block rule that out.
  const bool overlapped = !flags.record_processing;
  WriteBehind& behind = run.behind;
  int writing_from = -1;  // the read buffer a handed-over write still reads, if any
  for (uint32_t block = 0;; ++block) {
    if (pass_through && block > 0 && !size_asked) {
      size = current_size(source);
      size_asked = true;
    }
    if (pass_through && block > 0 && total + kBlockLength < size) {
      // The system's copy goes behind the bytes written before it.
      if (!behind.finish()) return false;
      writing_from = -1;
      uint64_t blocks = 0;
      const Counting counting{carry, block, &buffers, &transform};
      const PassThrough passed = pass_blocks_through(source, role, total, size, flags.only_counting ? &counting : nullptr,
                                                     byte_counters, state, sink, blocks);
      if (passed == PassThrough::kFailed) return false;
      if (passed == PassThrough::kPassed) {
        total += blocks * kBlockLength;
        block += static_cast<uint32_t>(blocks - 1);
        if (state.stop) return true;
        continue;
      }
      pass_through = passed != PassThrough::kUnsupported;
    }
    // Blocks take turns in the two read buffers when bytes are carried from
    // one to the next, or while the other is being written; otherwise the
    // first serves, whose pages are already in memory.
    const int buffer = flags.record_processing ? static_cast<int>(block & 1) : writing_from == 0 ? 1 : 0;
    uint8_t* data = buffers.data[buffer];
    uint32_t read = 0;
    // Blocks are read by their place, as blocks handed through leave no file position behind.
    if (!platform::read_file_at(source.handle, static_cast<int64_t>(total), data,
                                static_cast<uint32_t>(kBlockLength), &read)) {
      const uint32_t error = platform::last_error();
      if (!behind.finish()) return false;  // the write before failed first
      report_read_failure(role, error);
      return false;
    }
    // An empty source yields nothing; a source that ended on a block
    // boundary still gets its end handled, over the bytes carried.
    if (read == 0 && block == 0) return true;
    total += read;
    const bool last = is_last_block(source, read, total, size);

    if (block == 0 && !records::check_leading_bytes(data, read, source.ic, source.iy, run.detected_code)) {
      return false;
    }

    // The handed-on bytes: those carried from the previous block, then this one.
    uint8_t* start = data - carry;
    uint32_t length = carry + read;
    if (last && !flags.plain_bytes) {
      if (role.decides_eof) run.ends_with_eof = records::ends_with_eof_unit(start, length, eof);
      records::strip_eof_unit(start, length, eof);
      if (role.completes_output && records::output_takes_eof_unit(role.oe_value, run.ends_with_eof)) {
        records::append_eof_unit(start, length, eof);
      }
    }
    if (block == 0 && !role.keeps_mark && !flags.plain_bytes) cut_leading_mark(start, length, run.detected_code);

    // A record may straddle the block boundary: the last 1024 bytes wait for
    // the next block, in front of which they are placed.
    uint32_t handed_on = length;
    uint32_t next_carry = 0;
    if (flags.record_processing && !last) {
      next_carry = static_cast<uint32_t>(kCarryLength);
      handed_on = length - next_carry;
      std::memcpy(buffers.data[(block + 1) & 1] - next_carry, start + handed_on, next_carry);
    }

    const uint32_t t =
        run_block_steps(start, handed_on, last, flags, record_counters, byte_counters, state, transform);

    if (t != 0) {
      const uint8_t* output = state.rewritten ? buffers.conversion : start + state.window_start;
      const uint32_t amount =
          state.rewritten ? t : static_cast<uint32_t>(state.window_end - state.window_start);
      if (amount != 0) {
        const bool more = !last && !state.stop;
        const bool handed = overlapped && more ? behind.hand_over(sink, output, amount, state.block_record_count)
                                               : behind.finish() && sink.write(output, amount, state.block_record_count);
        if (!handed) return false;
        writing_from = overlapped && more ? buffer : -1;
      }
    }
    carry = next_carry;
    if (state.stop || last) return behind.finish();
  }
}

}  // namespace peltrix::engine
