#include "engine/count_beside.h"

#include <algorithm>
#include <cstring>
#include <system_error>

#include "engine/block_steps.h"
#include "engine/copy_buffers.h"

namespace peltrix::engine {

RangeCount count_range(platform::FileHandle source, uint64_t offset, uint64_t length, const uint8_t* carried,
                       uint32_t carried_length, bool ends_source, uint8_t* area,
                       const records::TransformSettings& transform, const std::atomic<bool>* abandoned) {
  SourceFlags flags;
  flags.record_processing = true;
  flags.only_counting = true;
  records::RecordCounters no_limits;
  records::ByteCounters no_window;
  records::TransformState state;
  RangeCount result;
  uint8_t* const data = area + kCarryLength;
  uint8_t* start = data - carried_length;
  std::memmove(start, carried, carried_length);
  for (uint64_t done = 0;;) {
    if (abandoned != nullptr && *abandoned) return result;
    const auto piece = static_cast<uint32_t>(std::min<uint64_t>(length - done, kBlockLength));
    uint32_t read = 0;
    if (!platform::read_file_at(source, static_cast<int64_t>(offset + done), data, piece, &read)) {
      result.read_failed = true;
      result.error = platform::last_error();
      return result;
    }
    done += read;
    result.shrunk = read < piece;
    const bool last = ends_source && (done == length || result.shrunk);
    if (result.shrunk && !last) return result;
    const uint32_t in_block = static_cast<uint32_t>(data - start) + read;
    const uint32_t handed_on = last ? in_block : in_block - static_cast<uint32_t>(kCarryLength);
    run_block_steps(start, handed_on, last, flags, no_limits, no_window, state, transform);
    result.records += state.block_record_count;
    if (last) return result;
    std::memmove(data - kCarryLength, start + handed_on, kCarryLength);
    start = data - kCarryLength;
    if (done == length) return result;
  }
}

bool CountBeside::start(platform::FileHandle source, uint64_t offset, uint64_t length, const uint8_t* carried,
                        uint8_t* area, const records::TransformSettings& transform) {
  area_ = area;
  abandoned_ = false;
  result_ = RangeCount{};
  try {
    thread_ = std::thread([=, this] {
      result_ = count_range(source, offset, length, carried, static_cast<uint32_t>(kCarryLength), false, area,
                            transform, &abandoned_);
    });
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

void CountBeside::abandon() {
  abandoned_ = true;
  if (thread_.joinable()) thread_.join();
}

RangeCount CountBeside::finish() {
  if (thread_.joinable()) thread_.join();
  return result_;
}

}  // namespace peltrix::engine
