// The state that the record transform, the byte window and the copy loops
// share while a source is copied block by block.
#pragma once

#include <cstdint>

namespace peltrix::records {

// Per source: records still to skip (/IL; 0 or less once done) and records
// still allowed (/IP; 0 means no limit), carried from block to block.
struct RecordCounters {
  int64_t records_to_skip = 0;
  int64_t record_limit = 0;
  // The skip has ended: a count goes on by its rules (a closing lone
  // end-of-file unit is a record), wherever the skip ended.
  bool skip_ended = false;
};

// Per source: bytes still to skip (/IT, /IA) and bytes still allowed (/IB,
// /IM; 0 means no limit).
struct ByteCounters {
  uint64_t bytes_to_skip = 0;
  uint64_t byte_limit = 0;
};

// The record the blocks so far leave unfinished: the bytes after their last
// unit. A final record is judged by it as a whole, wherever blocks end.
struct OpenRecord {
  uint64_t length = 0;           // its bytes so far; 0 when the last block ended with a unit
  bool begins_with_eof = false;  // its first unit is the end-of-file unit
  bool ends_with_lf = false;     // its bytes so far end with an LF unit (kept by the conversions)
};

struct TransformState {
  bool last_block = false;          // this block ends the source
  uint64_t block_record_count = 0;  // records in this block's output
  int64_t window_start = 0;         // output: bytes [window_start, window_end) of the data
  int64_t window_end = 0;
  bool rewritten = false;  // the output is the converted data, not a window of the input
  uint32_t converted_length = 0;  // rewritten: the bytes of converted data
  uint32_t unit_rest = 0;  // bytes the next block begins with that end a unit converted in this one
  bool stop = false;       // a limit was reached: read no further block of this source
  bool zero_record = false;  // a record skip swallowed the rest of a source (never cleared)
  bool zero_byte = false;    // a byte skip swallowed the rest of a source (never cleared)
  OpenRecord open;           // carried from block to block of one source (counting and conversions)

  // Before each block of length bytes: nothing counted or rewritten yet, the
  // whole block in the window. An empty window outputs nothing.
  void begin_block(bool last, uint32_t length) {
    last_block = last;
    rewritten = false;
    converted_length = 0;
    block_record_count = 0;
    window_start = 0;
    window_end = length;
  }
};

}  // namespace peltrix::records
