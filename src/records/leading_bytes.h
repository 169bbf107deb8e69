// The leading-bytes check: recognises the byte-order mark a source begins
// with and holds every source of a run to the same mark and to /IC.
#pragma once

#include <cstddef>
#include <cstdint>

namespace peltrix::records {

// The mark (code 3 to 7) that bytes begin with, 0 for none. FF FE 00 00 is
// UTF-32 little-endian, not UTF-16.
int32_t classify_bom(const uint8_t* bytes, size_t count);

// Checks the leading bytes of a source with /IC value ic and /IY value iy.
// Fewer than 2 bytes, or /IY2, pass unchecked. A mark other than the one in
// detected_code prints E115; a mark that /IC contradicts prints E126. On
// success detected_code holds the mark found (0 for none).
bool check_leading_bytes(const uint8_t* bytes, size_t count, int32_t ic, int32_t iy, int32_t& detected_code);

}  // namespace peltrix::records
