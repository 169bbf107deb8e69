// Counting the records of a stretch of a source on the second thread while
// copy_range copies the same bytes to the output, so that counting costs
// little more than the plain copy.
#pragma once

#include <atomic>
#include <cstdint>

#include "engine/second_thread.h"
#include "platform/platform.h"
#include "records/record_transform.h"

namespace peltrix::engine {

struct RangeCount {
  uint64_t records = 0;      // records counted
  bool shrunk = false;       // the source ended before the range did
  bool read_failed = false;  // a read failed
  uint32_t error = 0;        // then the system's error code
  records::OpenRecord open;  // the record the counted bytes leave open, to be carried on
  bool copy_failed = false;  // the failed read was one of the copy
};

// The bytes to count: the carried bytes, then source[offset, offset + length).
struct RangeToCount {
  platform::FileHandle source = platform::kInvalidFile;
  uint64_t offset = 0;
  uint64_t length = 0;
  const uint8_t* carried = nullptr;
  uint32_t carried_length = 0;
  bool ends_source = false;  // without it the range is full blocks, and their last kCarryLength bytes carry on
  records::OpenRecord open;  // the record the blocks before leave open
  // Where the source no longer holds the range's bytes, they are read from
  // this copy of them, which holds the byte at offset at copy_position.
  platform::FileHandle copy = platform::kInvalidFile;
  int64_t copy_position = 0;
};

// Counts records as the source copy loops count them: block by block, each
// behind the kCarryLength bytes carried from the one before; bytes carried
// on are left at the start of area, a copy buffer the count may use whole.
RangeCount count_range(const RangeToCount& range, uint8_t* area, const records::TransformSettings& transform,
                       const std::atomic<bool>* abandoned = nullptr);

// count_range over full blocks on the second thread.
class CountBeside {
 public:
  explicit CountBeside(SecondThread& thread) : thread_(thread) {}
  CountBeside(const CountBeside&) = delete;
  CountBeside& operator=(const CountBeside&) = delete;
  ~CountBeside() { abandon(); }

  // Starts counting range (full blocks) on the second thread. False when
  // the system will not start it; nothing runs then.
  bool start(const RangeToCount& range, uint8_t* area, const records::TransformSettings& transform);
  // Stops the count and waits for it to end; its result is of no use.
  void abandon();
  // Waits for the count.
  RangeCount finish();
  // The last kCarryLength bytes counted, to be carried on.
  const uint8_t* carried() const { return area_; }

 private:
  SecondThread& thread_;
  std::atomic<bool> abandoned_{false};
  uint8_t* area_ = nullptr;
  RangeCount result_;
};

}  // namespace peltrix::engine
