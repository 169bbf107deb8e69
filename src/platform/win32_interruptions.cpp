// Windows: Ctrl-C, Ctrl-Break and the closing of the console ask the run to
// stop instead of ending the process, and cut short the blocking calls of
// the threads that wait on a full pipe.

#include "platform/platform.h"

#include <windows.h>

namespace peltrix::platform {

namespace {

// A request to stop, set by the console's handler, read between blocks.
volatile LONG g_interrupted = 0;
HANDLE g_main_thread = nullptr;
HANDLE g_wake_thread = nullptr;

BOOL WINAPI on_console_event(DWORD event) {
  InterlockedExchange(&g_interrupted, 1);
  // A write blocked on a full pipe gives up (995), so that the request is seen.
  if (g_main_thread != nullptr) CancelSynchronousIo(g_main_thread);
  if (HANDLE wake = g_wake_thread) CancelSynchronousIo(wake);
  // Closing the console ends the process once this returns: the run puts
  // its originals back meanwhile, and its end ends this thread too.
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) Sleep(INFINITE);
  return TRUE;
}

HANDLE this_thread() {
  HANDLE thread = nullptr;
  DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &thread, 0, FALSE,
                  DUPLICATE_SAME_ACCESS);
  return thread;
}

}  // namespace

void watch_interruptions() {
  InterlockedExchange(&g_interrupted, 0);
  if (g_main_thread == nullptr) g_main_thread = this_thread();
  SetConsoleCtrlHandler(on_console_event, TRUE);
}

bool interrupted() { return g_interrupted != 0; }

void wake_on_interruption(bool on) {
  HANDLE thread = on ? this_thread() : nullptr;
  HANDLE old = static_cast<HANDLE>(InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&g_wake_thread), thread));
  if (old != nullptr) CloseHandle(old);
}

}  // namespace peltrix::platform
