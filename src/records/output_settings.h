// The settings of an output by name, as planning translates the /OR, /OJ
// and /OE values once; the copy and the record steps read only these.
#pragma once

#include <cstdint>

namespace peltrix::records {

// /OR: newlines as they are (not given), to LF (1), to CR LF (2).
enum class Newlines : uint8_t { kUnchanged, kToLf, kToCrLf };

// /OE: the output ends with the end-of-file unit like its first source (3
// or not given), never (1), always (2).
enum class EndOfFile : uint8_t { kLikeFirstSource, kNever, kAlways };

// /OJ: how the output begins.
enum class MarkHandling : uint8_t {
  kKeepSources,  // not given: the sources' mark stays, and comes back when a record skip took it
  kAdd,          // 1 to 5: the mark of added_code is put in front of sources that carry none
  kAsRecords,    // 6: the output begins as the records do
  kRemove,       // 7: the sources' mark is removed where the output begins with it
};

struct Mark {
  MarkHandling handling = MarkHandling::kKeepSources;
  int32_t added_code = 0;  // kAdd: the code (3 to 7) whose mark is added
};

// The translations of the option values, made once, where the run is planned.
inline Newlines newlines_for(int32_t or_value) {
  return or_value == 1 ? Newlines::kToLf : or_value == 2 ? Newlines::kToCrLf : Newlines::kUnchanged;
}
inline EndOfFile end_of_file_for(int32_t oe_value) {
  return oe_value == 1 ? EndOfFile::kNever : oe_value == 2 ? EndOfFile::kAlways : EndOfFile::kLikeFirstSource;
}
inline Mark mark_for(int32_t oj_value) {
  if (oj_value >= 1 && oj_value <= 5) return {MarkHandling::kAdd, oj_value + 2};
  if (oj_value == 6) return {MarkHandling::kAsRecords, 0};
  if (oj_value == 7) return {MarkHandling::kRemove, 0};
  return {};
}

}  // namespace peltrix::records
