#include "engine/block_steps.h"

#include "records/byte_window.h"
#include "records/windowed_conversion.h"

namespace peltrix::engine {

SourceFlags flags_for(const paths::SourceEntry& source, records::Newlines newlines, bool count_records) {
  const bool converts = newlines != records::Newlines::kUnchanged;
  SourceFlags flags;
  flags.record_limits = source.il != 0 || source.ip != 0;
  flags.byte_limits = source.it != 0 || source.ia != 0 || source.ib != 0 || source.im != 0;
  flags.record_processing = count_records || flags.record_limits || converts;
  flags.plain_bytes = source.plain_bytes;
  flags.only_counting = count_records && !flags.record_limits && !flags.byte_limits && !converts;
  return flags;
}

uint32_t run_block_steps(uint8_t* data, uint32_t handed_on, bool last, BlockProcessing& processing) {
  const SourceFlags& flags = processing.flags;
  records::TransformState& state = processing.state;
  records::ByteCounters& byte_counters = processing.byte_counters;
  const records::TransformSettings& transform = processing.transform;
  state.begin_block(last, handed_on);
  uint32_t length = handed_on;
  if (flags.record_processing && flags.byte_limits) {
    records::window_then_convert(data, handed_on, length, byte_counters, state, transform);
  } else if (flags.record_processing) {
    records::record_transform(data, handed_on, length, processing.record_counters, state, transform);
  } else if (flags.byte_limits) {
    records::byte_window(handed_on, length, byte_counters, state);
  }
  return length;
}

BlockOutput block_output(const uint8_t* handed_on, uint32_t output_length, const BlockProcessing& processing) {
  const records::TransformState& state = processing.state;
  if (output_length == 0) return {};
  if (state.rewritten) return {processing.transform.conversion, output_length};
  return {handed_on + state.window_start, static_cast<uint32_t>(state.window_end - state.window_start)};
}

}  // namespace peltrix::engine
