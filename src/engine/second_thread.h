// The copy's one second thread, for the whole run: started by the first job
// handed to it, it does one job at a time, waits between jobs and ends with
// the run. The write-behind hands it writes, the count beside the system's
// copy hands it counts; where the system will not start it, each does its
// work on the calling thread instead.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace peltrix::engine {

class SecondThread {
 public:
  SecondThread() = default;
  SecondThread(const SecondThread&) = delete;
  SecondThread& operator=(const SecondThread&) = delete;
  // Waits for the job in hand, then ends the thread.
  ~SecondThread();

  // Waits for the job in hand, then hands job over. False where the system
  // will not start the thread: nothing is handed over then.
  bool start(std::function<void()> job);
  // Waits for the job in hand.
  void wait();
  // Whether a job is in hand.
  bool busy();

 private:
  void serve();

  std::thread thread_;
  bool no_thread_ = false;  // the system refused to start it
  std::mutex mutex_;
  std::condition_variable changed_;
  std::function<void()> job_;
  bool pending_ = false;  // a job is handed over and not yet done
  bool quit_ = false;
};

}  // namespace peltrix::engine
