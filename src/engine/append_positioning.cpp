#include "engine/append_positioning.h"

#include <cstring>

#include "messages/messages.h"
#include "platform/platform.h"

namespace peltrix::engine {

namespace {

bool report(int code, const model::DestinationEntry& destination) {
  const uint32_t error = platform::last_error();
  const char* call = code == 118 ? "ReadFile()" : "SetFilePointerEx()";
  messages::line(code, 1, "%s関数でエラーが発生しました。 \"%s\"", call, destination.path);
  messages::system_error_lines(code, 2, error);
  return false;
}

}  // namespace

bool position_for_append(const model::DestinationEntry& destination, const records::UnitPattern& eof,
                         bool plain_bytes) {
  // The file as it is now decides, not its size at planning: a file that
  // grew since must not be written into the middle.
  int64_t size = 0;
  if (!platform::seek_file(destination.handle, 0, platform::SeekFrom::kEnd, &size)) return report(120, destination);
  if (size == 0 || plain_bytes || size < eof.length) return true;

  if (!platform::seek_file(destination.handle, size - eof.length, platform::SeekFrom::kBegin, nullptr)) {
    return report(117, destination);
  }
  uint8_t last[8] = {};
  uint32_t read = 0;
  if (!platform::read_file(destination.handle, last, eof.length, &read)) return report(118, destination);
  if (read == eof.length && std::memcmp(last, eof.bytes, eof.length) == 0) {
    if (!platform::seek_file(destination.handle, size - eof.length, platform::SeekFrom::kBegin, nullptr)) {
      return report(119, destination);
    }
    return true;
  }
  if (!platform::seek_file(destination.handle, 0, platform::SeekFrom::kEnd, nullptr)) return report(120, destination);
  return true;
}

}  // namespace peltrix::engine
