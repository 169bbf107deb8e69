#include "engine/destination_write.h"

#include "messages/messages.h"
#include "platform/platform.h"

namespace peltrix::engine {

namespace {

bool write_some(const paths::DestinationEntry& destination, const uint8_t* data, uint32_t length,
                uint32_t* written) {
  if (destination.kind == paths::kKindStdout) return platform::write_stdout(data, length, written);
  return platform::write_file(destination.handle, data, length, written);
}

}  // namespace

bool stands_alike(platform::FileHandle target, int64_t source_offset) {
  int64_t position = 0;
  if (!platform::seek_file(target, 0, platform::SeekFrom::kCurrent, &position)) return false;
  return (source_offset - position) % static_cast<int64_t>(platform::kPageSize) == 0;
}

void report_write_failure(const paths::DestinationEntry& destination, int message_number) {
  const uint32_t error = platform::last_error();
  const char* name = destination.kind == paths::kKindStdout ? "STDOUT" : destination.path;
  messages::line(message_number, 1, "WriteFile()関数でエラーが発生しました。 \"%s\"", name);
  messages::system_error_lines(message_number, 2, error);
}

bool write_all(const paths::DestinationEntry& destination, const uint8_t* data, uint32_t length,
               int message_number) {
  while (length > 0) {
    uint32_t written = 0;
    bool ok = write_some(destination, data, length, &written);
    // A write that makes no progress would never end: the disk is full.
    if (ok && written == 0) {
      platform::set_last_error(platform::kErrorDiskFull);
      ok = false;
    }
    if (!ok) {
      report_write_failure(destination, message_number);
      return false;
    }
    data += written;
    length -= written;
  }
  return true;
}

}  // namespace peltrix::engine
