#include "engine/second_thread.h"

#include <system_error>
#include <utility>

#include "platform/platform.h"

namespace peltrix::engine {

SecondThread::~SecondThread() {
  if (!thread_.joinable()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    quit_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

bool SecondThread::start(std::function<void()> job) {
  wait();
  if (no_thread_) return false;
  if (!thread_.joinable()) {
    try {
      thread_ = std::thread(&SecondThread::serve, this);
    } catch (const std::system_error&) {
      no_thread_ = true;
      return false;
    }
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    job_ = std::move(job);
    pending_ = true;
  }
  changed_.notify_all();
  return true;
}

void SecondThread::wait() {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [this] { return !pending_; });
}

bool SecondThread::busy() {
  std::lock_guard<std::mutex> lock(mutex_);
  return pending_;
}

void SecondThread::serve() {
  // A write blocked on a full pipe gives up when the run is asked to stop.
  platform::wake_on_interruption(true);
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    changed_.wait(lock, [this] { return pending_ || quit_; });
    if (!pending_) {
      platform::wake_on_interruption(false);
      return;
    }
    std::function<void()> job = std::move(job_);
    lock.unlock();
    job();
    lock.lock();
    pending_ = false;
    changed_.notify_all();
  }
}

}  // namespace peltrix::engine
