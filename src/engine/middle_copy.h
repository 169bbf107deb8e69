// The middle of a source (its full blocks before the last) going to the
// output with platform::copy_range (copy_file_range on Linux; refused on
// Windows), without passing through the program, plain or with its records
// counted beside. A refused copy_range changes nothing: the loop reads the
// blocks itself, as it would have.
#pragma once

#include "engine/source_steps.h"

namespace peltrix::engine {

enum class MiddleCopy {
  kCopied,   // the middle is in the output (or the source ended in it)
  kRefused,  // nothing happened; the blocks are to be read
  kFailed,   // messages printed
};

// Whether the middle may go through copy_range now: after the first block,
// once the output has begun, while copy_range has not been refused. Waits
// for the write in flight to tell.
bool middle_ready(SourceSteps& steps);

// The middle as the byte window leaves it.
MiddleCopy copy_middle(SourceSteps& steps);

// The middle with the carried bytes in front and the last block's carried
// bytes held back, as the loop would output it while counting records; a
// second thread counts them meanwhile.
MiddleCopy copy_middle_counted(SourceSteps& steps);

}  // namespace peltrix::engine
