#include "engine/append_positioning.h"

#include <cstring>

#include "messages/catalogue_copy.h"
#include "platform/platform.h"

namespace peltrix::engine {

namespace {

bool report(messages::AppendPositionCode code, const model::DestinationEntry& destination) {
  messages::append_position_failure(code, destination.path, platform::last_error());
  return false;
}

}  // namespace

bool position_for_append(const model::DestinationEntry& destination, const records::UnitPattern& eof,
                         bool plain_bytes) {
  // The file as it is now decides, not its size at planning: a file that
  // grew since must not be written into the middle.
  int64_t size = 0;
  if (!platform::seek_file(destination.handle, 0, platform::SeekFrom::kEnd, &size)) return report(messages::kAppendSeekToEnd, destination);
  if (size == 0 || plain_bytes || size < eof.length) return true;

  if (!platform::seek_file(destination.handle, size - eof.length, platform::SeekFrom::kBegin, nullptr)) {
    return report(messages::kAppendSeekToLastUnit, destination);
  }
  uint8_t last[8] = {};
  uint32_t read = 0;
  if (!platform::read_file(destination.handle, last, eof.length, &read)) return report(messages::kAppendReadLastUnit, destination);
  if (read == eof.length && std::memcmp(last, eof.bytes, eof.length) == 0) {
    if (!platform::seek_file(destination.handle, size - eof.length, platform::SeekFrom::kBegin, nullptr)) {
      return report(messages::kAppendSeekBackToLastUnit, destination);
    }
    return true;
  }
  if (!platform::seek_file(destination.handle, 0, platform::SeekFrom::kEnd, nullptr)) return report(messages::kAppendSeekToEnd, destination);
  return true;
}

}  // namespace peltrix::engine
