// Runs the program's driver inside the test process, so that a test can arm
// the platform layer's faults and hooks for it.
#pragma once

#include <string>
#include <vector>

#include "support/process.h"

namespace peltrix::testing {

// Runs args (without the program name) in folder with standard output and
// error captured. Files a failed run leaves open (its process would end
// there) are closed afterwards.
RunResult run_in_process(const std::vector<std::string>& args, const std::string& folder);

}  // namespace peltrix::testing
