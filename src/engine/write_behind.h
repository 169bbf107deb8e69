// Writing one block's output on a second thread while the next block is
// read: where bytes must pass through the program, reading and writing then
// overlap instead of taking turns.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace peltrix::engine {

class OutputSink;

// One thread serves a whole run: it is started by the first write handed
// over and ends with the run.
class WriteBehind {
 public:
  WriteBehind() = default;
  WriteBehind(const WriteBehind&) = delete;
  WriteBehind& operator=(const WriteBehind&) = delete;
  // Waits for the write in flight, then ends the thread.
  ~WriteBehind();

  // Waits for the write in flight, then hands sink.write(data, length,
  // records) to the thread (started on first use). The bytes must stay as
  // they are until the next call of hand_over() or finish(). False, and
  // nothing handed over, when the write before failed (its messages printed).
  bool hand_over(OutputSink& sink, const uint8_t* data, uint32_t length, uint64_t records);

  // Waits for the write in flight; false when it failed (its messages printed).
  bool finish();

 private:
  void serve();

  std::thread thread_;
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

}  // namespace peltrix::engine
