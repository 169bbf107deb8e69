// Failures on demand: makes the n-th call of one platform operation fail
// with a chosen error code, so that tests can prove every failure is
// reported and loses no data. Nothing arms it outside tests.
#pragma once

#include <cstdint>

namespace peltrix::platform::faults {

enum class Operation { kOpen, kRead, kWrite, kClose, kSeek, kRename, kRemove, kMkdir, kFind, kStatus, kInformation };
inline constexpr int kOperationCount = 11;

// From now on, the nth call (1-based) of operation fails with error.
void arm(Operation operation, uint64_t nth, uint32_t error);
// Armed as the error of a write: the write succeeds and takes no byte (a
// device that makes no progress).
inline constexpr uint32_t kTakesNothing = 0;
// From now on, action runs just before the nth call (1-based) of
// operation, which then goes ahead: lets a test change a file mid-run.
void arm_action(Operation operation, uint64_t nth, void (*action)());
// No call fails; the counts start again from 0.
void disarm();
// Calls of operation since the last arm or disarm.
uint64_t calls(Operation operation);
// Calls made to fail since the last arm or disarm.
uint64_t failed_calls();

// Runs hook(path, writes) at the start of every open (path as the system
// takes it) until it is set to nullptr: lets a test change the files between
// the checks of a run and its copy.
using OpenHook = void (*)(const char* path, bool writes);
void set_open_hook(OpenHook hook);
void run_open_hook(const char* path, bool writes);

// Counts a call of operation; true when this call is to fail, with the
// error already set as the last error.
bool fires(Operation operation);

}  // namespace peltrix::platform::faults
