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

bool allocate_copy_buffers(CopyBuffers& buffers, Allocator allocate) {
  uint8_t** targets[] = {&buffers.read[0], &buffers.read[1], &buffers.scratch, &buffers.output,
                         &buffers.conversion};
  int code = 110;
  for (uint8_t** target : targets) {
    const size_t size = target == &buffers.conversion ? kConversionBufferSize : kCopyBufferSize;
    *target = static_cast<uint8_t*>(allocate(size));
    if (*target == nullptr) {
      const uint32_t error = platform::last_error();
      messages::out_of_memory(code, size, error);
      messages::system_error_lines(code, 2, error);
      return false;
    }
    ++code;
  }
  buffers.data[0] = buffers.read[0] + kCarryLength;
  buffers.data[1] = buffers.read[1] + kCarryLength;
  buffers.data_clear_length = kDataAreaLength;
  return true;
}

void release_copy_buffers(CopyBuffers& buffers) {
  std::free(buffers.read[0]);
  std::free(buffers.read[1]);
  std::free(buffers.output);
  std::free(buffers.conversion);
  std::free(buffers.scratch);
  buffers = CopyBuffers{};
}

}  // namespace peltrix::engine
