// What only the Windows program meets: names the system gives a meaning of
// its own, files held or marked by others, code pages.

#include "support/run_folder.h"

namespace peltrix::testing {
namespace {}  // namespace
}  // namespace peltrix::testing
