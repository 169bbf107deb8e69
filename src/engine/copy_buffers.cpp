#include "engine/copy_buffers.h"

#include <cstdlib>

#include "messages/messages.h"
#include "platform/platform.h"

namespace peltrix::engine {

namespace {

constexpr uint32_t kErrorNotEnoughMemory = 8;

}  // namespace

void* allocate_zeroed(size_t size) {
  void* block = std::calloc(1, size);
  if (block == nullptr) platform::set_last_error(kErrorNotEnoughMemory);
  return block;
}

namespace {

// The first address in block from which `lead` bytes further on stand on a
// page boundary.
uint8_t* aligned(uint8_t* block, size_t lead) {
  const auto address = reinterpret_cast<uintptr_t>(block) + lead;
  const uintptr_t page_start = (address + kPageSize - 1) & ~static_cast<uintptr_t>(kPageSize - 1);
  return reinterpret_cast<uint8_t*>(page_start - lead);
}

}  // namespace

bool allocate_copy_buffers(CopyBuffers& buffers, Allocator allocate) {
  uint8_t** targets[] = {&buffers.read[0], &buffers.read[1], &buffers.scratch, &buffers.output,
                         &buffers.conversion};
  int code = 110;
  for (size_t i = 0; i < 5; ++i) {
    uint8_t** target = targets[i];
    const size_t size = target == &buffers.conversion ? kConversionBufferSize : kCopyBufferSize;
    buffers.blocks[i] = static_cast<uint8_t*>(allocate(size + kPageSize));
    if (buffers.blocks[i] == nullptr) {
      const uint32_t error = platform::last_error();
      messages::out_of_memory(code, size, error);
      messages::system_error_lines(code, 2, error);
      return false;
    }
    // A read buffer's data area, behind its carry area, starts on a page.
    *target = aligned(buffers.blocks[i], i < 2 ? kCarryLength : 0);
    ++code;
  }
  buffers.data[0] = buffers.read[0] + kCarryLength;
  buffers.data[1] = buffers.read[1] + kCarryLength;
  buffers.data_clear_length = kDataAreaLength;
  return true;
}

void release_copy_buffers(CopyBuffers& buffers) {
  for (uint8_t* block : buffers.blocks) std::free(block);
  buffers = CopyBuffers{};
}

}  // namespace peltrix::engine
