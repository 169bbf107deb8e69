// The scan that finds newline units: a plain byte search for the unit's key
// byte, and a comparison of the whole unit only where the key byte occurs.
//
// A unit counts only where a code unit can begin: at a multiple of the code
// unit width from the start of the data, never in front of it. So half of one
// character and half of the next are never taken for a newline, and a key
// byte that is no unit is passed over by one byte, so a unit right behind it
// (a lone CR before CR LF) is still found.
#pragma once

#include <cstdint>
#include <cstring>

#include "records/code_table.h"
#include "records/transform_state.h"

namespace peltrix::records {

// How a scan ended: with a tail when bytes follow the last unit found (they
// are [tail_start, length): the final record of a last block); stopped when
// the visitor ended it.
struct ScanEnd {
  bool tail = false;
  int64_t tail_start = 0;
  bool stopped = false;
};

// Bytes past the end of a block's data that still belong to it: those the
// next block begins with. None where the data ends for good.
inline constexpr uint32_t kBytesBeyondBlock = 8;

// Whether the unit's bytes stand at start. A unit reaching past length
// counts only as far as `beyond` bytes past it belong to the data (its last
// bytes then begin the next block's data).
inline bool unit_at(const uint8_t* data, int64_t length, int64_t start, const UnitPattern& unit, uint32_t beyond) {
  if (start + unit.length > length + beyond) return false;
  return std::memcmp(data + start, unit.bytes, unit.length) == 0;
}

// Where code units can begin: at offsets o of the data with
// (o + phase) % width == 0. The phase is not 0 only where the data starts
// off a code unit boundary of its source (a byte skip of an odd count).
struct Alignment {
  uint32_t width = 1;
  uint32_t phase = 0;
};

// Visits every unit in data[0, length), in order, as visit(start, end); visit
// returns false to end the scan. A unit may reach up to `beyond` bytes past
// length, which are read.
template <typename Visit>
ScanEnd scan_units(const uint8_t* data, int64_t length, const UnitPattern& unit, Alignment alignment,
                   uint32_t beyond, Visit&& visit) {
  const uint8_t key = unit.bytes[unit.key_offset];
  int64_t search = 0;
  int64_t last_end = 0;
  ScanEnd end;
  while (search < length) {
    const void* found = std::memchr(data + search, key, static_cast<size_t>(length - search));
    if (found == nullptr) break;
    const int64_t key_at = static_cast<const uint8_t*>(found) - data;
    const int64_t start = key_at - unit.key_offset;
    const bool aligned = start >= 0 && (start + alignment.phase) % alignment.width == 0;
    if (aligned && unit_at(data, length, start, unit, beyond)) {
      const int64_t unit_end = start + unit.length;
      if (!visit(start, unit_end)) {
        end.stopped = true;
        return end;
      }
      last_end = unit_end;
      search = unit_end;
    } else {
      search = key_at + 1;
    }
  }
  end.tail = last_end < length;
  end.tail_start = last_end;
  return end;
}

}  // namespace peltrix::records

namespace peltrix::records {

// How many units a stretch of data holds, and where the last one ends (0
// when there is none), as scan_units would find them.
struct UnitCount {
  uint64_t units = 0;
  int64_t last_end = 0;
};

// Carries the record a block's scan leaves open at its end on to the next
// block: the bytes after its last unit continue the open record where the
// block found no unit, and begin a new one where it did. `beyond` bytes
// past the data may be read, as the scan reads them.
void carry_open_record(OpenRecord& open, const uint8_t* data, int64_t length, const ScanEnd& end,
                       const UnitPattern& eof, uint32_t beyond);

// Whether the open record, as a whole, is exactly the end-of-file unit.
inline bool is_eof_unit(const OpenRecord& open, const UnitPattern& eof) {
  return open.begins_with_eof && open.length == eof.length;
}

// Counts the units without visiting them one by one: for single-byte units
// a plain count of the byte, which the compiler vectorises.
UnitCount count_units(const uint8_t* data, int64_t length, const UnitPattern& unit, Alignment alignment,
                      uint32_t beyond);

}  // namespace peltrix::records
