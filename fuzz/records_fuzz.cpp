// Feeds arbitrary data through the record processing in blocks of a random
// size, as the copy loops hand it on, and checks that the blocks give what
// one pass over the whole data gives.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "records/byte_window.h"
#include "records/code_table.h"
#include "records/record_transform.h"
#include "records/windowed_conversion.h"

namespace {

using namespace peltrix::records;

struct Settings {
  int32_t code;
  int32_t or_value;
  bool count;
  RecordCounters records;
  ByteCounters bytes;
};

struct Result {
  std::string output;
  uint64_t records = 0;
};

// Runs data through calls of at most step bytes (step a multiple of the unit
// width), each with the bytes after it in place, the last one marked last.
Result run(const std::string& data, size_t step, const Settings& s) {
  std::vector<uint8_t> buffer(data.begin(), data.end());
  buffer.resize(data.size() + 16, 0);
  std::vector<uint8_t> conversion(conversion_capacity_for(data.size() + step));
  TransformSettings settings;
  settings.newlines = newlines_for(s.or_value);
  settings.count_records = s.count;
  settings.units = select_active_units(s.code, s.code);
  settings.conversion = conversion.data();
  settings.conversion_capacity = conversion.size();
  RecordCounters records = s.records;
  ByteCounters bytes = s.bytes;
  const bool windowed = bytes.bytes_to_skip != 0 || bytes.byte_limit != 0;
  TransformState state;
  Result result;
  for (size_t at = 0; at < data.size() && !state.stop; at += step) {
    // As in the copy, a block that is not the last is followed by at least
    // the 8 bytes a unit may reach past it.
    const bool last = at + step + 8 > data.size();
    const uint32_t length = static_cast<uint32_t>(last ? data.size() - at : step);
    uint8_t* block = buffer.data() + at;
    state.begin_block(last, length);
    if (windowed) {
      window_then_convert(block, length, bytes, state, settings);
    } else {
      record_transform(block, length, records, state, settings);
    }
    if (state.rewritten) {
      result.output.append(reinterpret_cast<const char*>(conversion.data()), state.converted_length);
    } else {
      result.output.append(reinterpret_cast<const char*>(block) + state.window_start,
                           static_cast<size_t>(state.window_end - state.window_start));
    }
    result.records += state.block_record_count;
    if (last) break;
  }
  return result;
}

uint16_t read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size) {
  if (size < 8) return 0;
  Settings s;
  s.code = input[0] % kCodeCount;
  const int mode = input[1] % 8;
  const uint32_t width = select_active_units(s.code, s.code).lf.length;
  s.or_value = mode >= 4 ? 1 + (mode % 2) : 0;
  s.count = true;
  s.records = {mode == 1 || mode == 3 ? read16(input + 2) % 64 : 0, mode == 2 || mode == 3 ? read16(input + 4) % 64 : 0};
  s.bytes = {};
  if (mode >= 6) s.bytes = {read16(input + 2) % 512u, read16(input + 4) % 512u};
  const size_t step = width * (1 + read16(input + 6) % 64);
  const std::string data(reinterpret_cast<const char*>(input) + 8, size - 8);

  const Result blocks = run(data, step, s);
  const Result whole = run(data, data.size() + 1, s);
  // A final record is judged whole, by its own first unit, wherever the
  // blocks end: bytes and counts alike, end-of-file characters anywhere.
  if (blocks.output != whole.output || blocks.records != whole.records) std::abort();
  return 0;
}
