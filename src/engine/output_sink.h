// Where the output of a source goes, as the source copy loops see it.
#pragma once

#include <cstdint>

#include "model/entries.h"

namespace peltrix::engine {

class OutputSink {
 public:
  virtual ~OutputSink() = default;

  // Takes one block's output and its record count; false ends the copy
  // (its messages printed).
  virtual bool write(const uint8_t* data, uint32_t length, uint64_t records) = 0;

  // Whether copy_range may be used: not before the first output, which
  // must pass through write() for the byte-order-mark step.
  virtual bool takes_ranges() const = 0;

  enum class RangeCopy {
    kCopied,       // `copied` bytes went to the output: all, or fewer where the source ends sooner
    kUnsupported,  // the system cannot copy between these files; nothing was copied
    kFailed,       // messages printed
  };
  // Copies bytes [offset, offset + length) of the open source unchanged to
  // the output with copy_range, without reading them into the program.
  virtual RangeCopy copy_range(const model::SourceEntry& source, int64_t offset, uint64_t length,
                               uint64_t& copied) = 0;

  // Adds records counted in ranges that copy_range copied.
  virtual void add_records(uint64_t records) = 0;

  // Where the bytes of the last copy_range stand in the output, to be read
  // back: the file (the first destination), the position of their first
  // byte there, and its name for messages; no file where none was copied.
  struct CopiedPlace {
    platform::FileHandle file = platform::kInvalidFile;
    int64_t position = 0;
    const char* name = nullptr;
  };
  virtual CopiedPlace copied_place() const { return {}; }
};

}  // namespace peltrix::engine
