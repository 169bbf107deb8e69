#include "engine/count_beside.h"

#include <algorithm>
#include <cstring>

#include "engine/block_steps.h"
#include "engine/copy_buffers.h"

namespace peltrix::engine {

namespace {

// Reads the range's bytes [at, at + size) from the source, and where the
// source ends sooner, the rest from the copy.
bool read_range(const RangeToCount& range, uint64_t at, uint8_t* buffer, uint32_t size, uint32_t* read,
                RangeCount& result) {
  if (!platform::read_file_at(range.source, static_cast<int64_t>(range.offset + at), buffer, size, read)) return false;
  if (*read == size || range.copy == platform::kInvalidFile) return true;
  uint32_t more = 0;
  result.copy_failed = !platform::read_file_at(range.copy, range.copy_position + static_cast<int64_t>(at + *read),
                                               buffer + *read, size - *read, &more);
  *read += more;
  return !result.copy_failed;
}

}  // namespace

RangeCount count_range(const RangeToCount& range, uint8_t* area, const records::TransformSettings& transform,
                       const std::atomic<bool>* abandoned) {
  BlockProcessing counting;
  counting.flags.record_processing = true;
  counting.flags.only_counting = true;
  counting.transform = transform;
  counting.state.open = range.open;
  const uint64_t length = range.length;
  RangeCount result;
  uint8_t* const data = area + kCarryLength;
  uint8_t* start = data - range.carried_length;
  std::memmove(start, range.carried, range.carried_length);
  for (uint64_t done = 0;;) {
    if (abandoned != nullptr && *abandoned) return result;
    const auto piece = static_cast<uint32_t>(std::min<uint64_t>(length - done, kBlockLength));
    uint32_t read = 0;
    if (!read_range(range, done, data, piece, &read, result)) {
      result.read_failed = true;
      result.error = platform::last_error();
      return result;
    }
    done += read;
    result.shrunk = read < piece;
    const bool last = range.ends_source && (done == length || result.shrunk);
    if (result.shrunk && !last) return result;
    const uint32_t in_block = static_cast<uint32_t>(data - start) + read;
    const uint32_t processed = last ? in_block : in_block - static_cast<uint32_t>(kCarryLength);
    result.records += run_block_steps(start, processed, last, counting).records;
    result.open = counting.state.open;
    if (last) return result;
    std::memmove(data - kCarryLength, start + processed, kCarryLength);
    start = data - kCarryLength;
    if (done == length) return result;
  }
}

bool CountBeside::start(const RangeToCount& range, uint8_t* area, const records::TransformSettings& transform) {
  area_ = area;
  abandoned_ = false;
  result_ = RangeCount{};
  return thread_.start([=, this] { result_ = count_range(range, area, transform, &abandoned_); });
}

void CountBeside::abandon() {
  abandoned_ = true;
  thread_.wait();
}

RangeCount CountBeside::finish() {
  thread_.wait();
  return result_;
}

}  // namespace peltrix::engine
