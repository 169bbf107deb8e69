#include "records/newline_scan.h"

namespace peltrix::records {

namespace {

// Occurrences of byte in data, counted in stretches short enough for 8-bit
// counters, so that the inner loop compiles to wide compares and adds.
uint64_t count_byte(const uint8_t* data, size_t length, uint8_t byte) {
  constexpr size_t kLanes = 64;
  constexpr size_t kStretch = 255 * kLanes;
  uint64_t total = 0;
  while (length > 0) {
    const size_t stretch = length < kStretch ? length : kStretch;
    uint8_t lanes[kLanes] = {};
    size_t i = 0;
    for (; i + kLanes <= stretch; i += kLanes) {
      for (size_t lane = 0; lane < kLanes; ++lane) lanes[lane] += data[i + lane] == byte;
    }
    for (; i < stretch; ++i) total += data[i] == byte;
    for (uint8_t lane : lanes) total += lane;
    data += stretch;
    length -= stretch;
  }
  return total;
}

int64_t end_of_last(const uint8_t* data, int64_t length, uint8_t byte) {
  for (int64_t i = length; i > 0; --i) {
    if (data[i - 1] == byte) return i;
  }
  return 0;
}

}  // namespace

void carry_open_record(OpenRecord& open, const uint8_t* data, int64_t length, const ScanEnd& end,
                       const UnitPattern& eof, uint32_t beyond) {
  if (!end.tail) {
    open = {};
    return;
  }
  if (end.tail_start != 0 || open.length == 0) {
    open.begins_with_eof = unit_at(data, length, end.tail_start, eof, beyond);
    open.length = 0;
  }
  open.length += static_cast<uint64_t>(length - end.tail_start);
}

UnitCount count_units(const uint8_t* data, int64_t length, const UnitPattern& unit, Alignment alignment,
                      uint32_t beyond) {
  UnitCount count;
  if (unit.length == 1) {
    count.units = count_byte(data, static_cast<size_t>(length), unit.bytes[0]);
    if (count.units != 0) count.last_end = end_of_last(data, length, unit.bytes[0]);
    return count;
  }
  scan_units(data, length, unit, alignment, beyond, [&](int64_t, int64_t unit_end) {
    ++count.units;
    count.last_end = unit_end;
    return true;
  });
  return count;
}

}  // namespace peltrix::records
