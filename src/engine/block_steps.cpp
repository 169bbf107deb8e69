#include "engine/block_steps.h"

#include "records/byte_window.h"
#include "records/windowed_conversion.h"

namespace peltrix::engine {

SourceFlags flags_for(const model::SourceEntry& source, records::Newlines newlines, bool count_records) {
  const bool converts = newlines != records::Newlines::kUnchanged;
  SourceFlags flags;
  flags.record_limits = source.settings.selects_records();
  flags.byte_limits = source.settings.selects_bytes();
  flags.record_processing = count_records || flags.record_limits || converts;
  flags.plain_bytes = source.settings.plain_bytes;
  flags.only_counting = count_records && !flags.record_limits && !flags.byte_limits && !converts;
  return flags;
}

BlockOutput run_block_steps(uint8_t* data, uint32_t length, bool last, BlockProcessing& processing) {
  const SourceFlags& flags = processing.flags;
  records::TransformState& state = processing.state;
  const records::TransformSettings& transform = processing.transform;
  state.begin_block(last, length);
  if (flags.record_processing && flags.byte_limits) {
    records::window_then_convert(data, length, processing.byte_counters, state, transform);
  } else if (flags.record_processing) {
    records::record_transform(data, length, processing.record_counters, state, transform);
  } else if (flags.byte_limits) {
    records::byte_window(length, processing.byte_counters, state);
  }
  BlockOutput output{data + state.window_start, static_cast<uint32_t>(state.window_end - state.window_start),
                     state.block_record_count, state.stop};
  if (state.rewritten) {
    output.data = transform.conversion;
    output.length = state.converted_length;
  }
  return output;
}

}  // namespace peltrix::engine
