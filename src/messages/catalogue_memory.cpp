#include "messages/catalogue_memory.h"

#include "messages/messages.h"
#include "platform/platform.h"

namespace peltrix::messages {

namespace {

void memory_line(int code, size_t requested, uint32_t error) {
  line(code, 1, "メモリ不足が発生しました。 %d %d", static_cast<int>(requested), static_cast<int>(error));
}

}  // namespace

void text_memory_refused(TextMemoryCode code, size_t requested) {
  memory_line(code, requested, platform::kErrorNotEnoughMemory);
}

void memory_refused(MemoryCode code, size_t requested, uint32_t error) {
  memory_line(code, requested, error);
  system_error_lines(code, 2, error);
}

}  // namespace peltrix::messages
