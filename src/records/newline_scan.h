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

namespace peltrix::records {

// How a scan ended: with a tail when bytes follow the last unit found (they
// are [tail_start, length): the final record of a last block); stopped when
// the visitor ended it.
struct ScanEnd {
  bool tail = false;
  int64_t tail_start = 0;
  bool stopped = false;
};

// Whether the unit's bytes stand at start. Bytes past length are compared
// as they stand in the buffer, or as zero when zero_beyond says the data
// ends there for good.
inline bool unit_at(const uint8_t* data, int64_t length, int64_t start, const UnitPattern& unit, bool zero_beyond) {
  for (uint32_t i = 0; i < unit.length; ++i) {
    const int64_t at = start + i;
    const uint8_t byte = (at >= length && zero_beyond) ? 0 : data[at];
    if (byte != unit.bytes[i]) return false;
  }
  return true;
}

// Visits every unit in data[0, length), in order, as visit(start, end); visit
// returns false to end the scan. width is the code unit width (1, 2 or 4). A
// unit may reach up to 7 bytes past length, which are read unless
// zero_beyond is set.
template <typename Visit>
ScanEnd scan_units(const uint8_t* data, int64_t length, const UnitPattern& unit, uint32_t width, bool zero_beyond,
                   Visit&& visit) {
  const uint8_t key = unit.bytes[unit.key_offset];
  int64_t search = 0;
  int64_t last_end = 0;
  ScanEnd end;
  while (search < length) {
    const void* found = std::memchr(data + search, key, static_cast<size_t>(length - search));
    if (found == nullptr) break;
    const int64_t key_at = static_cast<const uint8_t*>(found) - data;
    const int64_t start = key_at - unit.key_offset;
    if (start >= 0 && start % width == 0 && unit_at(data, length, start, unit, zero_beyond)) {
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
