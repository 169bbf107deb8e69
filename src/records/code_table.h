// What the program knows about the encodings of its sources: the code table
// with the byte-order marks, and the unit patterns of a line feed, a carriage
// return plus line feed and the end-of-file character in every code.
#pragma once

#include <cstdint>

namespace peltrix::records {

// Code numbers shared by /IC, the tables and the detected code.
inline constexpr int32_t kCodeUndecided = -1;
inline constexpr int32_t kCodeNone = 0;  // single-byte units, no byte-order mark
inline constexpr int32_t kCodeUtf8 = 3;
inline constexpr int32_t kCodeUtf16Le = 4;
inline constexpr int32_t kCodeUtf16Be = 5;
inline constexpr int32_t kCodeUtf32Le = 6;
inline constexpr int32_t kCodeUtf32Be = 7;
inline constexpr int32_t kCodeCount = 8;

struct CodeRow {
  uint8_t bom[4];
  uint32_t bom_length;  // 0 for no byte-order mark
  int32_t bom_code;     // the code of a source that begins with this mark
  int32_t input_code;   // the /IC value this row answers to
  const char* bom_description;
  const char* code_description;
};

// Rows 0 to 7, indexed by code number.
extern const CodeRow kCodeTable[kCodeCount];

// A unit's bytes in file order; a scan searches for the key byte.
struct UnitPattern {
  uint8_t bytes[8];
  uint32_t length;
  uint32_t key_offset;
};

extern const UnitPattern kLfUnits[kCodeCount];
extern const UnitPattern kCrlfUnits[kCodeCount];
extern const UnitPattern kEofUnits[kCodeCount];

// The units every source of a run is processed with; their width (1, 2 or 4
// bytes) is the LF unit's length.
struct ActiveUnits {
  UnitPattern lf;
  UnitPattern crlf;
  UnitPattern eof;
};

// The code the run's units follow: the code of the detected mark (3 to 7),
// otherwise the first source's /IC value (0 when not given).
int32_t effective_code(int32_t detected_code, int32_t first_source_ic);
// The units of effective_code(detected_code, first_source_ic).
ActiveUnits select_active_units(int32_t detected_code, int32_t first_source_ic);

}  // namespace peltrix::records
