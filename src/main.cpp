// PELTRIX: copies text or binary files while it understands their records.

#include <cstdlib>

#include "driver/driver.h"

int main(int argc, char** argv) { std::exit(peltrix::driver::run(argc, argv)); }
