// The program's entry: sequences the stages of a run, one after the other.
#pragma once

namespace peltrix::driver {

// Runs the command line (argv[0] is the program's name) and returns the
// exit status: 0 after a completed run or the usage text, 1 after any failure.
int run(int argc, const char* const* argv);

}  // namespace peltrix::driver
