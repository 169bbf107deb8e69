// Counting the records of a stretch of full blocks on a second thread while
// the system copies the same blocks to the output, so that counting costs
// little more than the plain copy.
#pragma once

#include <atomic>
#include <cstdint>
#include <thread>

#include "engine/copy_buffers.h"
#include "platform/platform.h"
#include "records/record_transform.h"

namespace peltrix::engine {

struct StretchCount {
  uint64_t records = 0;      // records in the stretch's output
  bool read_failed = false;  // a block could not be read whole
  uint32_t error = 0;        // then the system's error code
};

// Counts as the block loop counts: each block behind the kCarryLength bytes
// carried from the one before, its own last kCarryLength bytes carried on.
// It reads into the output buffer only, which nothing else uses, so a count
// abandoned leaves the block loop's buffers as they were.
class StretchCounter {
 public:
  StretchCounter() = default;
  StretchCounter(const StretchCounter&) = delete;
  StretchCounter& operator=(const StretchCounter&) = delete;
  ~StretchCounter() { abandon(); }

  // Starts counting `blocks` full blocks of the source from `offset`, behind
  // carried, the kCarryLength bytes that come before them.
  void start(platform::FileHandle source, uint64_t offset, uint64_t blocks, const uint8_t* carried,
             CopyBuffers& buffers, const records::TransformSettings& transform);
  // Stops the count and waits for it to end; its result is of no use.
  void abandon();
  // Waits for the count; on success the last block's carried bytes are
  // copied to carry_to.
  StretchCount finish(uint8_t* carry_to);

 private:
  void count(platform::FileHandle source, uint64_t offset, uint64_t blocks, records::TransformSettings transform);

  std::thread thread_;
  std::atomic<bool> abandoned_{false};
  uint8_t* area_ = nullptr;  // carry area, then one block
  StretchCount result_;
};

}  // namespace peltrix::engine
