#include "records/leading_bytes.h"

#include <cstring>

#include "records/code_table.h"

namespace peltrix::records {

namespace {

// The row whose mark the bytes begin with, and the row /IC names.
struct Classification {
  int32_t found_code = kCodeNone;
  const CodeRow* found_row = nullptr;
  const CodeRow* ic_row = nullptr;
};

// Later rows overwrite earlier ones, so FF FE 00 00 ends as UTF-32.
Classification classify(const uint8_t* bytes, size_t count, int32_t input_code) {
  Classification result;
  for (int32_t code = kCodeUtf8; code <= kCodeUtf32Be; ++code) {
    const CodeRow& row = kCodeTable[code];
    if (row.bom_length > count) continue;
    if (std::memcmp(bytes, row.bom, row.bom_length) == 0) {
      result.found_code = row.bom_code;
      result.found_row = &row;
    }
    if (input_code == row.input_code) result.ic_row = &row;
  }
  return result;
}

}  // namespace

LeadingBytes check_leading_bytes(const uint8_t* bytes, size_t count, int32_t input_code, bool plain_bytes,
                                 int32_t& detected_code) {
  LeadingBytes result;
  if (count < 2 || plain_bytes) return result;
  const Classification found = classify(bytes, count, input_code);
  result.found_row = found.found_row;
  result.ic_row = found.ic_row;
  if (detected_code != kCodeUndecided && detected_code != found.found_code) {
    result.finding = LeadingBytes::Finding::kOtherMark;
  } else if (found.found_code != kCodeNone && input_code != 0 && input_code != found.found_row->input_code) {
    result.finding = found.ic_row != nullptr ? LeadingBytes::Finding::kMarkAgainstCode
                                             : LeadingBytes::Finding::kPresenceAgainstCode;
  } else {
    detected_code = found.found_code;
  }
  return result;
}

}  // namespace peltrix::records
