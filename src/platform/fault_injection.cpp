#include "platform/fault_injection.h"

#include <atomic>

#include "platform/platform.h"

namespace peltrix::platform::faults {

namespace {

// Set while one thread runs; calls are counted from every thread the copy uses.
struct Plan {
  bool armed = false;
  Operation operation = Operation::kOpen;
  uint64_t nth = 0;
  uint32_t error = 0;
  void (*action)() = nullptr;  // runs instead of failing
  std::atomic<uint64_t> calls[kOperationCount] = {};
  std::atomic<uint64_t> failed = 0;
};

Plan g_plan;
std::atomic<OpenHook> g_open_hook{nullptr};

void set_plan(bool armed, Operation operation, uint64_t nth, uint32_t error, void (*action)() = nullptr) {
  g_plan.armed = armed;
  g_plan.action = action;
  g_plan.operation = operation;
  g_plan.nth = nth;
  g_plan.error = error;
  for (std::atomic<uint64_t>& count : g_plan.calls) count = 0;
  g_plan.failed = 0;
}

}  // namespace

void arm(Operation operation, uint64_t nth, uint32_t error) { set_plan(true, operation, nth, error); }

void arm_action(Operation operation, uint64_t nth, void (*action)()) { set_plan(true, operation, nth, 0, action); }

void disarm() { set_plan(false, Operation::kOpen, 0, 0); }

uint64_t calls(Operation operation) { return g_plan.calls[static_cast<int>(operation)]; }

uint64_t failed_calls() { return g_plan.failed; }

void set_open_hook(OpenHook hook) { g_open_hook = hook; }

void run_open_hook(const char* path, bool writes) {
  if (const OpenHook hook = g_open_hook.load()) hook(path, writes);
}

bool fires(Operation operation) {
  const uint64_t call = ++g_plan.calls[static_cast<int>(operation)];
  if (!g_plan.armed || g_plan.operation != operation || g_plan.nth != call) return false;
  if (g_plan.action != nullptr) {
    g_plan.action();
    return false;
  }
  set_last_error(g_plan.error);
  ++g_plan.failed;
  return true;
}

}  // namespace peltrix::platform::faults
