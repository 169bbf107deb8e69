// The record and byte steps the bytes of one block go through, shared by
// the source copy loops and by the counting thread.
#pragma once

#include <cstdint>

#include "model/entries.h"
#include "records/record_transform.h"
#include "records/transform_state.h"

namespace peltrix::engine {

// What the options of a source switch on.
struct SourceFlags {
  bool record_limits = false;
  bool byte_limits = false;
  bool record_processing = false;
  bool plain_bytes = false;
  // Records are only counted: every byte of the source goes out unchanged
  // but for its first and last block.
  bool only_counting = false;
};

SourceFlags flags_for(const model::SourceEntry& source, records::Newlines newlines, bool count_records);

// What a source's blocks are processed with, carried from block to block.
struct BlockProcessing {
  SourceFlags flags;
  records::RecordCounters record_counters;
  records::ByteCounters byte_counters;
  records::TransformState state;
  records::TransformSettings transform;
};

// What the steps make of one block.
struct BlockOutput {
  const uint8_t* data = nullptr;  // the converted data, or a window of the block's
  uint32_t length = 0;            // 0: nothing to output
  uint64_t records = 0;           // records in the output
  bool stop = false;              // a limit was reached: read no further block of the source
};

// Runs the record transform and the byte window that the flags switch on
// over data[0, length) of a block (last: it ends the source).
BlockOutput run_block_steps(uint8_t* data, uint32_t length, bool last, BlockProcessing& processing);

}  // namespace peltrix::engine
