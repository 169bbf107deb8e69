#include "engine/write_behind.h"

#include <system_error>

#include "engine/output_sink.h"
#include "platform/platform.h"

namespace peltrix::engine {

WriteBehind::~WriteBehind() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

bool WriteBehind::start_thread() {
  if (thread_.joinable()) return true;
  if (no_thread_) return false;
  try {
    thread_ = std::thread(&WriteBehind::serve, this);
    return true;
  } catch (const std::system_error&) {
    no_thread_ = true;
    return false;
  }
}

bool WriteBehind::hand_over(OutputSink& sink, const uint8_t* data, uint32_t length, uint64_t records) {
  if (!finish()) return false;
  if (!start_thread()) return sink.write(data, length, records);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    sink_ = &sink;
    data_ = data;
    length_ = length;
    records_ = records;
    pending_ = true;
  }
  ++counts_.blocks_written_behind;
  changed_.notify_all();
  return true;
}

bool WriteBehind::finish() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return !pending_; });
  return !failed_;
}

const uint8_t* WriteBehind::in_flight() {
  std::lock_guard<std::mutex> lock(mutex_);
  return pending_ ? data_ : nullptr;
}

void WriteBehind::serve() {
  // A write blocked on a full pipe gives up when the run is asked to stop.
  platform::wake_on_interruption(true);
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return pending_ || quit_; });
    if (!pending_) {
      platform::wake_on_interruption(false);
      return;
    }
    lock.unlock();
    const bool written = sink_->write(data_, length_, records_);
    lock.lock();
    failed_ = !written;
    pending_ = false;
    changed_.notify_all();
  }
}

}  // namespace peltrix::engine
