// The byte-order-mark step: how the first output of a destination begins,
// by its mark handling: a named mark is put in front of sources that carry
// none, as-records leaves the data alone, remove takes the sources' mark
// away, and keep leaves the sources' mark (and puts it back when a record
// skip took the record that held it).
#pragma once

#include <cstdint>

#include "records/output_settings.h"

namespace peltrix::records {

struct BomSettings {
  Mark mark;                  // the destination's mark handling
  bool skips_records = false;  // the source skips records (/IL)
  bool plain_bytes = false;   // /IY2 leaves the bytes alone
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

// Whether a mark is named for sources that carry one: a run is refused that.
bool names_mark_for_marked_sources(const BomSettings& settings);

// The edit for the first output[0, length) of a destination. Removal takes
// the mark only where the output really begins with it.
BomEdit plan_bom_edit(const uint8_t* output, uint32_t length, const BomSettings& settings);

// The length of the mark of detected_code where data begins with it; 0
// where it does not, or where the sources carry no mark.
uint32_t leading_mark_length(const uint8_t* data, uint32_t length, int32_t detected_code);

// The edit for output that goes behind what a destination already holds:
// no mark is added, and the sources' own mark is removed where the output
// begins with it, so that no mark stands in the middle of a file.
BomEdit edit_for_appending(const uint8_t* output, uint32_t length, int32_t detected_code);

}  // namespace peltrix::records
