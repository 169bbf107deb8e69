// The five buffers through which all copied data passes.
#pragma once

#include <cstddef>
#include <cstdint>

namespace peltrix::engine {

inline constexpr size_t kCarryLength = 1024;     // carry area in front of a read buffer's data
inline constexpr size_t kBlockLength = 1048576;  // bytes asked of each read
// Every buffer: the carry area and two blocks, so that a block with the
// bytes carried in front of it and what the end steps add always fits.
inline constexpr size_t kCopyBufferSize = kCarryLength + 2 * kBlockLength;
// Newline conversion at most doubles a block with its carried bytes and the
// end-of-file unit, and may add one final newline: the conversion buffer is
// larger than the others so that this always fits.
inline constexpr size_t kConversionBufferSize = kCopyBufferSize + 4096;

struct CopyBuffers {
  uint8_t* blocks[5] = {};  // the blocks obtained, in allocation order
  uint8_t* read[2] = {};    // where blocks are read: the block reader's two buffers
  uint8_t* data[2] = {};    // their data areas: read[i] + kCarryLength
  uint8_t* relay = nullptr;     // carries a range to a destination the system cannot copy into
  uint8_t* counting = nullptr;  // the counting thread's carried bytes and block
  uint8_t* conversion = nullptr;  // newline conversion builds its output here
};

// Obtains size bytes, zero-filled; nullptr on refusal with the reason in
// platform::last_error().
using Allocator = void* (*)(size_t size);
void* allocate_zeroed(size_t size);

// Allocates the five buffers in order (read 0, read 1, relay, counting,
// conversion); on the first refusal prints E110 to E114 and returns false,
// keeping the buffers already obtained.
bool allocate_copy_buffers(CopyBuffers& buffers, Allocator allocate = allocate_zeroed);
// Releases every buffer obtained.
void release_copy_buffers(CopyBuffers& buffers);

}  // namespace peltrix::engine
