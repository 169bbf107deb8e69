#include "engine/write_behind.h"

#include "engine/block_loop.h"

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

bool WriteBehind::hand_over(OutputSink& sink, const uint8_t* data, uint32_t length, uint64_t records) {
  if (!finish()) return false;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    sink_ = &sink;
    data_ = data;
    length_ = length;
    records_ = records;
    pending_ = true;
  }
  if (!thread_.joinable()) thread_ = std::thread(&WriteBehind::serve, this);
  changed_.notify_all();
  return true;
}

bool WriteBehind::finish() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return !pending_; });
  return !failed_;
}

void WriteBehind::serve() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return pending_ || quit_; });
    if (!pending_) return;
    lock.unlock();
    const bool written = sink_->write(data_, length_, records_);
    lock.lock();
    failed_ = !written;
    pending_ = false;
    changed_.notify_all();
  }
}

}  // namespace peltrix::engine
