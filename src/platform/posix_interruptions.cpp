// POSIX (Linux and other POSIX systems): SIGINT, SIGTERM and SIGHUP ask the
// run to stop instead of ending the process, and cut short the blocking
// calls of the threads that wait on a full pipe.

#include "platform/platform.h"
#include "platform/posix_interruptions.h"

#include <poll.h>
#include <pthread.h>
#include <signal.h>

#include <atomic>
#include <cerrno>

#include "platform/posix_portable.h"

namespace peltrix::platform {

// A request to stop, set by the signal handler and read between blocks.
volatile sig_atomic_t g_interrupted = 0;

namespace {

// The second thread whose blocking call a request cuts short, and the
// handlers busy sending it the signal (it must not end meanwhile).
std::atomic<bool> g_wake_set{false};
pthread_t g_wake_thread;
std::atomic<int> g_waking{0};
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

void on_stop_signal(int signal_number) {
  const bool first = g_interrupted == 0;
  g_interrupted = 1;
  if (!first) return;
  g_waking.fetch_add(1);
  if (g_wake_set.load() && pthread_equal(g_wake_thread, pthread_self()) == 0) {
    pthread_kill(g_wake_thread, signal_number);
  }
  g_waking.fetch_sub(1);
}

}  // namespace

// A write that a non-blocking file (standard output on a pipe its reader
// set so) refuses for now, because it is full.
bool is_full(int error) { return error == EAGAIN || error == EWOULDBLOCK; }

// Waits until fd can take more bytes; false with errno set when it cannot be
// waited for.
bool wait_until_writable(int fd) {
  pollfd wanted{fd, POLLOUT, 0};
  while (poll(&wanted, 1, -1) < 0) {
    if (errno != EINTR || g_interrupted != 0) return false;
  }
  return true;
}

// A call that a signal cut short, or a wait for a full pipe, after the run
// was asked to stop: the operation gives up with 995.
bool given_up(int error) { return (error == EINTR || is_full(error)) && g_interrupted != 0; }

void watch_interruptions() {
  g_interrupted = 0;
  struct sigaction action {};
  action.sa_handler = on_stop_signal;
  sigemptyset(&action.sa_mask);
  for (const int signal_number : kStopSignals) sigaddset(&action.sa_mask, signal_number);
  // No SA_RESTART: a write blocked on a full pipe returns, so that the
  // request is seen.
  action.sa_flags = 0;
  for (const int signal_number : kStopSignals) sigaction(signal_number, &action, nullptr);
}

bool interrupted() { return g_interrupted != 0; }

void wake_on_interruption(bool on) {
  if (on) {
    g_wake_thread = pthread_self();
    g_wake_set = true;
    return;
  }
  g_wake_set = false;
  // A handler that read the thread before it was taken away sends its signal first.
  while (g_waking.load() != 0) {
  }
}

}  // namespace peltrix::platform
