#include "engine/copy_buffers.h"

#include <cstdlib>

#include "messages/catalogue_memory.h"
#include "platform/platform.h"

namespace peltrix::engine {

void* allocate_zeroed(size_t size) {
  void* block = std::calloc(1, size);
  if (block == nullptr) platform::set_last_error(platform::kErrorNotEnoughMemory);
  return block;
}

namespace {

// The first address in block from which `lead` bytes further on stand on a
// boundary of `alignment` bytes.
uint8_t* aligned(uint8_t* block, size_t lead, size_t alignment) {
  const auto address = reinterpret_cast<uintptr_t>(block) + lead;
  const uintptr_t boundary = (address + alignment - 1) & ~static_cast<uintptr_t>(alignment - 1);
  return reinterpret_cast<uint8_t*>(boundary - lead);
}

}  // namespace

bool allocate_copy_buffers(CopyBuffers& buffers, Allocator allocate) {
  uint8_t** targets[] = {&buffers.read[0], &buffers.read[1], &buffers.relay, &buffers.counting,
                         &buffers.conversion};
  constexpr messages::MemoryCode kCodes[] = {messages::kFirstReadBufferMemory, messages::kSecondReadBufferMemory,
                                             messages::kRelayBufferMemory, messages::kCountingBufferMemory,
                                             messages::kConversionBufferMemory};
  for (size_t i = 0; i < 5; ++i) {
    uint8_t** target = targets[i];
    const size_t size = target == &buffers.conversion ? kConversionBufferSize : kCopyBufferSize;
    // A read buffer's data area, behind its carry area, starts on a large
    // page, which its blocks are read into: the first read of a run then
    // takes one fault instead of hundreds. The other buffers start on a page.
    const bool read_buffer = i < 2;
    const size_t alignment = read_buffer ? platform::kLargePageSize : platform::kPageSize;
    buffers.blocks[i] = static_cast<uint8_t*>(allocate(size + alignment));
    if (buffers.blocks[i] == nullptr) {
      messages::memory_refused(kCodes[i], size, platform::last_error());
      return false;
    }
    *target = aligned(buffers.blocks[i], read_buffer ? kCarryLength : 0, alignment);
    if (read_buffer) platform::advise_large_pages(*target + kCarryLength, platform::kLargePageSize);
  }
  buffers.data[0] = buffers.read[0] + kCarryLength;
  buffers.data[1] = buffers.read[1] + kCarryLength;
  return true;
}

void release_copy_buffers(CopyBuffers& buffers) {
  for (uint8_t* block : buffers.blocks) std::free(block);
  buffers = CopyBuffers{};
}

}  // namespace peltrix::engine
