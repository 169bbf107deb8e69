// The record and byte steps one block's handed-on bytes go through, shared
// by the source copy loops and by the counting thread.
#pragma once

#include <cstdint>

#include "paths/entries.h"
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

SourceFlags flags_for(const paths::SourceEntry& source, records::Newlines newlines, bool count_records);

// What a source's blocks are processed with, carried from block to block.
struct BlockProcessing {
  SourceFlags flags;
  records::RecordCounters record_counters;
  records::ByteCounters byte_counters;
  records::TransformState state;
  records::TransformSettings transform;
};

// Runs the record transform and the byte window that the flags switch on
// over data[0, handed_on) of a block (last: it ends the source); the state
// then tells where the output is and how many records it holds. Returns the
// output's length (non-zero when there is output).
uint32_t run_block_steps(uint8_t* data, uint32_t handed_on, bool last, BlockProcessing& processing);

// Where a block's output lies after run_block_steps: the converted data, or
// a window of the handed-on bytes.
struct BlockOutput {
  const uint8_t* data = nullptr;
  uint32_t length = 0;
};
BlockOutput block_output(const uint8_t* handed_on, uint32_t output_length, const BlockProcessing& processing);

}  // namespace peltrix::engine
