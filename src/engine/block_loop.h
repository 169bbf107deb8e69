// The block loop: reads one source in blocks of 1,048,576 bytes and hands
// each block's output on, after the end-of-file steps, the leading-bytes
// check, the cut of a later source's mark, the record transform and the
// byte window.
#pragma once

#include <cstdint>

#include "engine/copy_state.h"
#include "paths/entries.h"

namespace peltrix::engine {

// How one source takes part in its output.
struct SourceRole {
  bool keeps_mark = false;        // the first source of its output: its mark is not cut
  bool decides_eof = false;       // its end tells whether the output ends with the EOF unit
  bool completes_output = false;  // its end is the output's end: the /OE rule applies
  int32_t oe_value = 0;           // /OE of the destination that decides the end
  int32_t or_value = 0;           // /OR of the destination that decides the newlines
  int read_message = 806;         // message number of a read failure
  const char* read_path = nullptr;  // the path the source was opened by, for messages
};

// Where a source's output goes.
class OutputSink {
 public:
  virtual ~OutputSink() = default;

  // Takes one block's output and its record count; false ends the copy
  // (its messages printed).
  virtual bool write(const uint8_t* data, uint32_t length, uint64_t records) = 0;

  enum class RangeCopy {
    kCopied,       // all of the range went to the output
    kNotNow,       // this range must pass through write() (the output's first bytes)
    kUnsupported,  // the system cannot copy these files inside itself
    kFailed,       // messages printed
  };
  // Copies bytes [offset, offset + length) of the open source unchanged to
  // the output without reading them into the program, where it can: where
  // source and output stand alike within a page, which keeps the system's
  // copy fast.
  virtual RangeCopy copy_range(const paths::SourceEntry& source, int64_t offset, uint64_t length) = 0;

  // Adds the records counted in ranges copied by copy_range.
  virtual void add_records(uint64_t records) = 0;
};

// Copies the open source (its handle set) through the block loop. Returns
// false after the messages of the first failure.
bool copy_source(const paths::SourceEntry& source, const SourceRole& role, CopyRun& run, OutputSink& sink);

}  // namespace peltrix::engine
