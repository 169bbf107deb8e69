// Newline conversion together with a byte skip or limit: the byte window
// selects bytes of the source, and the conversion applies to the selected
// bytes, as a byte cut followed by a conversion would.
#pragma once

#include <cstdint>

#include "records/record_transform.h"
#include "records/transform_state.h"

namespace peltrix::records {

// Windows data[0, length) with the byte counters, then converts the window.
// The output is as record_transform gives it: the first
// state.converted_length bytes of the conversion buffer when state.rewritten
// is set, otherwise the window, empty when nothing is output. Where the
// limit ends the window, the selected data ends for good there.
void window_then_convert(const uint8_t* data, uint32_t length, ByteCounters& counters, TransformState& state,
                         const TransformSettings& settings);

}  // namespace peltrix::records
