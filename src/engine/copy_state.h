// What the copy loops share while one run copies its sources.
#pragma once

#include <cstdint>

#include "engine/copy_buffers.h"
#include "engine/write_behind.h"
#include "records/code_table.h"
#include "records/transform_state.h"

namespace peltrix::engine {

// Settings of the whole run that the copy reads.
struct CopySettings {
  int32_t message_type = 0;    // /MT; 3 counts records
  bool write_through = false;  // /C
};

// State of one run of a copy loop.
struct CopyRun {
  CopyBuffers* buffers = nullptr;
  records::ActiveUnits units{};
  CopySettings settings;
  int32_t detected_code = -1;   // the sources' mark, undecided at the start
  bool ends_with_eof = false;   // the first source of the output ended with the EOF unit
  records::TransformState transform;
  int32_t destination_count = 0;  // destinations counted for the report
  uint64_t source_bytes = 0;      // bytes read from the source copied last
  WriteBehind behind;             // writes blocks while the next are read; idle between sources
};

}  // namespace peltrix::engine
