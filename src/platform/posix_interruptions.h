// POSIX (Linux and other POSIX systems): the request to stop and the waits
// it cuts short, shared by the POSIX files of the layer.
#pragma once

#include <csignal>

namespace peltrix::platform {

// A request to stop, set by the signal handler and read between blocks.
extern volatile sig_atomic_t g_interrupted;

// A write that a non-blocking file refuses for now, because it is full.
bool is_full(int error);
// Waits until fd can take more bytes; false with errno set when it cannot be
// waited for.
bool wait_until_writable(int fd);
// A call that a signal cut short, or a wait for a full pipe, after the run
// was asked to stop.
bool given_up(int error);

}  // namespace peltrix::platform
