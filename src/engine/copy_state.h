// What the copy loops share from the first source of a run to its end.
#pragma once

#include <cstdint>

#include "engine/copy_buffers.h"
#include "engine/source_marks.h"
#include "engine/write_behind.h"

namespace peltrix::engine {

// Settings of the whole run that the copy reads.
struct CopySettings {
  bool count_records = false;  // /MT3
  bool write_through = false;  // /C
};

// What the copy keeps for the whole run: its buffers, its units, what its
// sources found and what the report and the tests read afterwards.
struct CopyRun {
  CopyBuffers* buffers = nullptr;
  CopySettings settings;
  SourceMarks marks;            // judged once, before the copy: the sources' mark and units
  bool ends_with_eof = false;   // the first source of the output ended with the EOF unit
  bool zero_record = false;     // a record skip swallowed the rest of a source
  bool zero_byte = false;       // a byte skip swallowed the rest of a source
  int32_t destination_count = 0;  // destinations counted for the report
  FastPathCounts fast_paths;
  SecondThread second_thread;  // started at its first job, ended with the run
  WriteBehind behind{second_thread, fast_paths};  // writes blocks while the next are read
};

}  // namespace peltrix::engine
