// The repeat table: one row per source position, recording which sources
// name the same file as an earlier one (/W) and the records copied for each.
#pragma once

#include <cstdint>
#include <vector>

namespace peltrix::model {

struct RepeatRow {
  int32_t first_occurrence = -1;  // a repeated source: position of its earliest occurrence; -1 for the others
  uint64_t record_count = 0;      // records copied on behalf of this source

  bool is_repeat() const { return first_occurrence >= 0; }
};

// Rows are indexed by source position (0-based); there is one for every source.
using RepeatTable = std::vector<RepeatRow>;

}  // namespace peltrix::model
