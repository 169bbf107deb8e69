// The usage text that "/?" (or "--help") prints, and the version line of
// "--version".
#pragma once

namespace peltrix::cli {

// Prints the usage text on standard output, one print per line.
void print_usage();

// Prints "peltrix VERSION" on standard output, the project's version.
void print_version();

}  // namespace peltrix::cli
