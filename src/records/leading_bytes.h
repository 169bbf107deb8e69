// The leading-bytes check: recognises the byte-order mark a source begins
// with and holds every source of a run to the same mark and to /IC. It
// returns what it found; the caller reports it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "records/code_table.h"

namespace peltrix::records {

struct LeadingBytes {
  enum class Finding {
    kAgrees,              // detected_code now holds the mark found (0 for none)
    kOtherMark,           // the sources before began with another mark
    kMarkAgainstCode,     // the mark is another code's than /IC names
    kPresenceAgainstCode  // /IC names a code whose texts carry no mark, or the other way round
  };
  Finding finding = Finding::kAgrees;
  const CodeRow* found_row = nullptr;  // the mark found
  const CodeRow* ic_row = nullptr;     // the row of /IC
};

// Checks the leading bytes of a source read with input_code (/IC). Fewer
// than 2 bytes, or plain bytes (/IY2), pass unchecked. FF FE 00 00 is
// UTF-32 little-endian, not UTF-16.
LeadingBytes check_leading_bytes(const uint8_t* bytes, size_t count, int32_t input_code, bool plain_bytes,
                                 int32_t& detected_code);

}  // namespace peltrix::records
