#include "engine/block_reader.h"

#include <cstring>

namespace peltrix::engine {

uint64_t BlockReader::current_size() {
  platform::FileInformation info;
  if (platform::file_information(source_, &info)) size_ = info.size;
  return size_;
}

uint64_t BlockReader::middle_length() {
  if (!size_asked_) {
    current_size();
    size_asked_ = true;
  }
  if (position_ + kBlockLength >= size_) return 0;
  return (size_ - position_ - 1) / kBlockLength * kBlockLength;
}

void BlockReader::carry(const uint8_t* from, uint32_t length) {
  carry_from_ = from;
  carry_length_ = length;
}

bool BlockReader::read(Block& block) {
  const uint8_t* in_flight = behind_.in_flight();
  const bool first_busy = in_flight >= buffers_.read[0] && in_flight < buffers_.read[0] + kCopyBufferSize;
  uint8_t* data = buffers_.data[first_busy ? 1 : 0];
  // The carried bytes may lie at the end of this very buffer's last block.
  std::memmove(data - carry_length_, carry_from_ == nullptr ? data : carry_from_, carry_length_);
  block.start = data - carry_length_;
  block.data = data;
  block.first = !started_;
  started_ = true;
  carry_from_ = nullptr;
  carry_length_ = 0;
  // Blocks are read by their place: a range that copy_range sent leaves no
  // file position behind.
  if (!platform::read_file_at(source_, static_cast<int64_t>(position_), data, static_cast<uint32_t>(kBlockLength),
                              &block.read)) {
    return false;
  }
  position_ += block.read;
  block.length = static_cast<uint32_t>(data - block.start) + block.read;
  // A short block ends the source; a full one ends it where the source holds
  // no more than has been read (asked again, in case it has grown).
  block.last = block.read < kBlockLength || (position_ >= size_ && position_ >= current_size());
  return true;
}

}  // namespace peltrix::engine
