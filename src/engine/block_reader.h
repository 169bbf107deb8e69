// Reads one source block by block into the two read buffers. A block stands
// in a buffer's data area behind the bytes carried from the block before.
// The reader picks the buffer: the first, whose pages are in memory
// already, unless the write handed over last still reads from it.
#pragma once

#include <cstdint>

#include "engine/copy_buffers.h"
#include "engine/write_behind.h"
#include "platform/platform.h"

namespace peltrix::engine {

struct Block {
  uint8_t* start = nullptr;  // the carried bytes, then the bytes read
  uint8_t* data = nullptr;   // the bytes read
  uint32_t read = 0;         // bytes read
  uint32_t length = 0;       // carried + read; the end and mark steps change it
  bool first = false;        // the source's first block
  bool last = false;         // the source ends with it

  bool empty_source() const { return first && read == 0; }
};

class BlockReader {
 public:
  BlockReader(CopyBuffers& buffers, WriteBehind& behind, platform::FileHandle source, uint64_t planned_size)
      : buffers_(buffers), behind_(behind), source_(source), size_(planned_size) {}

  // Reads the block at position(); false with the system's error in
  // platform::last_error().
  bool read(Block& block);

  // Bytes [from, from + length) stand in front of the next block read.
  void carry(const uint8_t* from, uint32_t length);
  const uint8_t* carried() const { return carry_from_; }

  // Moves on by bytes that reached the output without being read here.
  void pass(uint64_t bytes) { position_ += bytes; }
  uint64_t position() const { return position_; }

  // The full blocks from position() on that come before the source's last
  // block: what copy_range may send to the output. The size is asked
  // of the system once for this.
  uint64_t middle_length();

 private:
  uint64_t current_size();

  CopyBuffers& buffers_;
  WriteBehind& behind_;
  platform::FileHandle source_;
  uint64_t size_;  // found in planning, until the system is asked again
  bool size_asked_ = false;
  uint64_t position_ = 0;
  bool started_ = false;
  const uint8_t* carry_from_ = nullptr;
  uint32_t carry_length_ = 0;
};

}  // namespace peltrix::engine
