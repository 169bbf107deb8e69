#include "platform/fault_injection.h"

#include "platform/platform.h"

namespace peltrix::platform::faults {

namespace {

struct Plan {
  bool armed = false;
  Operation operation = Operation::kOpen;
  uint64_t nth = 0;
  uint32_t error = 0;
  uint64_t calls[kOperationCount] = {};
};

Plan g_plan;

}  // namespace

void arm(Operation operation, uint64_t nth, uint32_t error) {
  g_plan = Plan{true, operation, nth, error, {}};
}

void disarm() { g_plan = Plan{}; }

uint64_t calls(Operation operation) { return g_plan.calls[static_cast<int>(operation)]; }

bool fires(Operation operation) {
  const uint64_t call = ++g_plan.calls[static_cast<int>(operation)];
  if (!g_plan.armed || g_plan.operation != operation || g_plan.nth != call) return false;
  set_last_error(g_plan.error);
  return true;
}

}  // namespace peltrix::platform::faults
