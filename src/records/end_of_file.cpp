#include "records/end_of_file.h"

#include <cstring>

namespace peltrix::records {

bool ends_with_eof_unit(const uint8_t* data, uint32_t length, const UnitPattern& eof) {
  return length >= eof.length && std::memcmp(data + length - eof.length, eof.bytes, eof.length) == 0;
}

bool strip_eof_unit(uint8_t* data, uint32_t& length, const UnitPattern& eof) {
  if (!ends_with_eof_unit(data, length, eof)) return false;
  length -= eof.length;
  std::memset(data + length, 0, eof.length);
  return true;
}

bool output_takes_eof_unit(EndOfFile end_of_file, bool first_source_ended_with_eof) {
  if (end_of_file == EndOfFile::kNever) return false;
  if (end_of_file == EndOfFile::kAlways) return true;
  return first_source_ended_with_eof;
}

void append_eof_unit(uint8_t* data, uint32_t& length, const UnitPattern& eof) {
  std::memcpy(data + length, eof.bytes, eof.length);
  length += eof.length;
}

}  // namespace peltrix::records
