// The repeat table: one row per source position, recording which sources
// name the same file as an earlier one (/W) and the records copied for each.
#pragma once

#include <cstdint>
#include <vector>

namespace peltrix::model {

inline constexpr uint32_t kRepeatMark = 0x80;

struct RepeatRow {
  int32_t first_occurrence = 0;  // for a repeated source: position of its earliest occurrence
  uint64_t record_count = 0;     // records copied on behalf of this source
  uint32_t repeat_mark = 0;      // kRepeatMark for a repeated source
};

// Rows are indexed by source position (0-based); there is one for every source.
using RepeatTable = std::vector<RepeatRow>;

}  // namespace peltrix::model
