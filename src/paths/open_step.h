// The one operation that opens every file the program reads or writes, and
// reports a failure under the caller's message code.
#pragma once

#include <cstdint>

#include "messages/catalogue_files.h"
#include "model/entries.h"
#include "platform/platform.h"

namespace peltrix::paths {

// One file to open, with the settings CreateFileA takes.
struct OpenRequest {
  const char* path = nullptr;
  uint32_t desired_access = 0;
  uint32_t share_mode = 0;
  uint32_t creation_disposition = 0;
  uint32_t flags_and_attributes = 0;
  platform::FileHandle handle = platform::kInvalidFile;
  const char* kind_word = nullptr;  // messages::kSourceWord or kDestinationWord
};

// A source: read only, held exclusively, must exist.
OpenRequest source_request(const char* kind_word = messages::kSourceWord);
// A destination: read and write, held exclusively, created new only,
// write-through with /C.
OpenRequest destination_request(bool write_through);
// The creation disposition for what an existing destination gets.
uint32_t disposition_for(model::Existing existing);

// Opens request.path; on failure prints the open failure under code and
// returns false.
bool open_step(OpenRequest& request, messages::OpenCode code);
// The lines open_step prints for error under code.
void report_open_failure(const OpenRequest& request, messages::OpenCode code, uint32_t error);

}  // namespace peltrix::paths
