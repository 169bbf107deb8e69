// The byte-order-mark step: how the first output of a destination begins,
// by /OJ: 1 to 5 put a mark in front of sources that carry none, 6 leaves the
// data alone, 7 removes the sources' mark, and without /OJ the sources' mark
// stays (and comes back when /IL skipped the record that held it).
#pragma once

#include <cstdint>

namespace peltrix::records {

struct BomSettings {
  int32_t oj = 0;             // the destination's /OJ value, 0 when not given
  int32_t il = 0;             // the source's /IL value
  int32_t iy = 0;             // the source's /IY value; 2 leaves the bytes alone
  int32_t detected_code = 0;  // the sources' mark (undecided counts as none)
};

// The change to the front of the output: first prefix, then the output
// without its first drop_length bytes.
struct BomEdit {
  uint8_t prefix[4] = {};
  uint32_t prefix_length = 0;
  uint32_t drop_length = 0;
  bool changes() const { return prefix_length != 0 || drop_length != 0; }
};

// Plans the edit for the first output[0, length) of a destination. /OJ7
// removes the mark only where the output really begins with it. Prints E116
// and returns false when /OJ names a mark for sources that carry one.
bool plan_bom_edit(const uint8_t* output, uint32_t length, const BomSettings& settings, BomEdit& edit);

// The length of the mark of detected_code where data begins with it; 0
// where it does not, or where the sources carry no mark.
uint32_t leading_mark_length(const uint8_t* data, uint32_t length, int32_t detected_code);

// The edit for output that goes behind what a destination already holds:
// no mark is added, and the sources' own mark is removed where the output
// begins with it, so that no mark stands in the middle of a file.
BomEdit edit_for_appending(const uint8_t* output, uint32_t length, int32_t detected_code);

// Applies an edit in place; buffer must hold length + 4 bytes.
void apply_bom_edit(uint8_t* buffer, uint32_t& length, const BomEdit& edit);

}  // namespace peltrix::records
