// The usage text that "/?" prints.
#pragma once

namespace peltrix::cli {

// Prints the usage text on standard output, one print per line.
void print_usage();

}  // namespace peltrix::cli
