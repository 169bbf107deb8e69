// Helpers for the record tests: blocks laid out as the copy loops lay them
// out (zero fill behind the data), and the output a block yields.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/code_table.h"
#include "records/record_transform.h"
#include "records/transform_state.h"

namespace peltrix::records::testing {

// Data followed by zero fill, as in a read buffer.
inline std::vector<uint8_t> block(const std::string& bytes, size_t fill = 16) {
  std::vector<uint8_t> data(bytes.begin(), bytes.end());
  data.resize(bytes.size() + fill, 0);
  return data;
}

// What the caller writes after the transform.
inline std::string output_of(const uint8_t* data, uint32_t t, const TransformState& state,
                             const TransformSettings& settings) {
  if (t == 0) return "";
  if (state.rewritten) return std::string(reinterpret_cast<const char*>(settings.conversion), t);
  return std::string(reinterpret_cast<const char*>(data) + state.window_start,
                     reinterpret_cast<const char*>(data) + state.window_end);
}

// A transform set up for one code, with its own conversion buffer.
struct Transform {
  explicit Transform(int32_t code, int32_t or_value = 0, bool count = false) : conversion(1 << 16) {
    settings.newlines = newlines_for(or_value);
    settings.count_records = count;
    settings.units = select_active_units(code, code);
    settings.conversion = conversion.data();
    settings.conversion_capacity = conversion.size();
  }

  // Runs one block and returns its output.
  std::string run(const std::string& bytes, bool last = true) {
    std::vector<uint8_t> data = block(bytes);
    state.last_block = last;
    state.rewritten = false;
    state.block_record_count = 0;
    uint32_t t = static_cast<uint32_t>(bytes.size());
    record_transform(data.data(), static_cast<uint32_t>(bytes.size()), t, counters, state, settings);
    return output_of(data.data(), t, state, settings);
  }

  std::vector<uint8_t> conversion;
  TransformSettings settings;
  RecordCounters counters;
  TransformState state;
};

}  // namespace peltrix::records::testing
