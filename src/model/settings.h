// The run's settings by name: planning translates the option values once,
// and nothing after it reads an option letter.
#pragma once

#include <cstdint>

namespace peltrix::model {

// What the /I group asks of every source.
struct SourceSettings {
  // /IC (1 to 7); for /IF sources without it, the code of the mark /OJ
  // names; 0 where neither says.
  int32_t input_code = 0;
  int64_t records_to_skip = 0;  // /IL
  int64_t record_limit = 0;     // /IP; 0: no limit
  uint64_t bytes_to_skip = 0;   // /IT, or /IA in bytes
  uint64_t byte_limit = 0;      // /IB, or /IM in bytes; 0: no limit
  bool plain_bytes = false;     // /IY2: no record, mark or end-of-file processing
  bool keeps_backup = false;    // /IU1: an in-place copy keeps its backup

  bool skips_records() const { return records_to_skip != 0; }
  bool selects_records() const { return records_to_skip != 0 || record_limit != 0; }
  bool selects_bytes() const { return bytes_to_skip != 0 || byte_limit != 0; }
};

// /M: what the completion report says: nothing (no /M), the counts (/MT1),
// also each destination's name (/MT2), also its records (/MT3).
enum class Report : uint8_t { kNone, kCounts, kNames, kRecords };

// The settings of the whole run.
struct RunSettings {
  Report report = Report::kNone;
  bool per_file = false;         // /N
  bool subfolders = false;       // /S
  bool repeats_allowed = false;  // /W
  bool write_through = false;    // /C
  bool to_stdout = false;        // neither /OF nor /OD: the data goes to standard output
};

}  // namespace peltrix::model
