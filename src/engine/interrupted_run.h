// The end of a run that was asked to stop (Ctrl-C, SIGTERM, ...): no
// original of an in-place copy is left under its backup name.
#pragma once

#include "model/entries.h"

namespace peltrix::engine {

// Lets go of the in-place files, puts every moved original back under its
// own name over its partial copy, and says so (E139). Other destinations
// keep what was written to them.
void stop_interrupted_run(model::SourceList& sources, model::DestinationList& destinations);

}  // namespace peltrix::engine
