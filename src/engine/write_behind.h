// Writing one block's output on the second thread while the next block is
// read: where bytes must pass through the program, reading and writing then
// overlap instead of taking turns. The loop calls it the same way whether
// the thread runs or not: where the system will not start it, every write
// is made at once.
#pragma once

#include <cstdint>

#include "engine/fast_paths.h"
#include "engine/second_thread.h"

namespace peltrix::engine {

class OutputSink;

class WriteBehind {
 public:
  WriteBehind(SecondThread& thread, FastPathCounts& counts) : thread_(thread), counts_(counts) {}
  WriteBehind(const WriteBehind&) = delete;
  WriteBehind& operator=(const WriteBehind&) = delete;

  // Waits for the write in flight, then hands sink.write(data, length,
  // records) to the thread, or makes it at once when no thread can run. The
  // bytes must stay as they are until the next call of hand_over() or
  // finish(). False when this write or the one before failed (its messages
  // printed); nothing is handed over then.
  bool hand_over(OutputSink& sink, const uint8_t* data, uint32_t length, uint64_t records);

  // Waits for the write in flight; false when it failed (its messages printed).
  bool finish();

  // The bytes of the write in flight, nullptr when there is none.
  const uint8_t* in_flight();

 private:
  SecondThread& thread_;
  FastPathCounts& counts_;
  const uint8_t* data_ = nullptr;  // of the write handed over last
  bool failed_ = false;            // a write failed; no later one is taken
};

// Waits for the write in flight when a loop leaves, on every path.
class DrainOnExit {
 public:
  explicit DrainOnExit(WriteBehind& behind) : behind_(behind) {}
  DrainOnExit(const DrainOnExit&) = delete;
  DrainOnExit& operator=(const DrainOnExit&) = delete;
  ~DrainOnExit() { behind_.finish(); }

 private:
  WriteBehind& behind_;
};

}  // namespace peltrix::engine
