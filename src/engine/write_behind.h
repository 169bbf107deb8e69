// Writing one block's output on a second thread while the next block is
// read: where bytes must pass through the program, reading and writing then
// overlap instead of taking turns. The loop calls it the same way whether
// the thread runs or not: where the system will not start a thread, every
// write is made at once.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "engine/fast_paths.h"

namespace peltrix::engine {

class OutputSink;

// One thread serves a whole run: it is started by the first write handed
// over and ends with the run.
class WriteBehind {
 public:
  explicit WriteBehind(FastPathCounts& counts) : counts_(counts) {}
  WriteBehind(const WriteBehind&) = delete;
  WriteBehind& operator=(const WriteBehind&) = delete;
  // Waits for the write in flight, then ends the thread.
  ~WriteBehind();

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
  bool start_thread();
  void serve();

  FastPathCounts& counts_;
  std::thread thread_;
  bool no_thread_ = false;  // the system refused to start it
  std::mutex mutex_;
  std::condition_variable changed_;
  OutputSink* sink_ = nullptr;  // the write handed over
  const uint8_t* data_ = nullptr;
  uint32_t length_ = 0;
  uint64_t records_ = 0;
  bool pending_ = false;  // a write is handed over and not yet done
  bool failed_ = false;   // a write failed; no later one is taken
  bool quit_ = false;
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
