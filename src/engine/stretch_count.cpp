#include "engine/stretch_count.h"

#include <cstring>

#include "engine/block_steps.h"

namespace peltrix::engine {

void StretchCounter::start(platform::FileHandle source, uint64_t offset, uint64_t blocks, const uint8_t* carried,
                           CopyBuffers& buffers, const records::TransformSettings& transform) {
  area_ = buffers.output;
  std::memcpy(area_, carried, kCarryLength);
  abandoned_ = false;
  result_ = StretchCount{};
  thread_ = std::thread(&StretchCounter::count, this, source, offset, blocks, transform);
}

void StretchCounter::abandon() {
  abandoned_ = true;
  if (thread_.joinable()) thread_.join();
}

StretchCount StretchCounter::finish(uint8_t* carry_to) {
  thread_.join();
  if (!result_.read_failed) std::memcpy(carry_to, area_, kCarryLength);
  return result_;
}

void StretchCounter::count(platform::FileHandle source, uint64_t offset, uint64_t blocks,
                           records::TransformSettings transform) {
  SourceFlags flags;
  flags.record_processing = true;
  flags.only_counting = true;
  records::RecordCounters no_limits;
  records::ByteCounters no_window;
  records::TransformState state;
  for (uint64_t block = 0; block < blocks && !abandoned_; ++block) {
    uint32_t read = 0;
    const bool done = platform::read_file_at(source, static_cast<int64_t>(offset + block * kBlockLength),
                                             area_ + kCarryLength, static_cast<uint32_t>(kBlockLength), &read);
    if (!done || read != kBlockLength) {
      result_.read_failed = true;
      // A block cut short: the source has shrunk while it is held.
      result_.error = done ? platform::kErrorHandleEof : platform::last_error();
      return;
    }
    // The carried bytes and this block, less what it carries on: the block loop's handed-on bytes.
    const auto handed_on = static_cast<uint32_t>(kBlockLength);
    run_block_steps(area_, handed_on, false, flags, no_limits, no_window, state, transform);
    result_.records += state.block_record_count;
    std::memmove(area_, area_ + handed_on, kCarryLength);
  }
}

}  // namespace peltrix::engine
