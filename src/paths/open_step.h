// The one operation that opens every file the program reads or writes, and
// reports a failure in the numbered form of the caller's message number.
#pragma once

#include <cstdint>

#include "model/entries.h"
#include "platform/platform.h"

namespace peltrix::paths {

// Kind words printed in the open-failure messages.
inline constexpr char kSourceWord[] = "コピー元";
inline constexpr char kDestinationWord[] = "コピー先";

// Message numbers the callers of the open step pass.
inline constexpr int kJoinedDestinationOpen = 801;
inline constexpr int kJoinedSourceOpen = 802;
inline constexpr int kPerFileSourceOpen = 803;
inline constexpr int kPerFileDestinationOpen = 804;
inline constexpr int kFirstSourceOpen = 805;
inline constexpr int kIdentityOpen = 816;

// One file to open, with the settings CreateFileA takes.
struct OpenRequest {
  const char* path = nullptr;
  uint32_t desired_access = 0;
  uint32_t share_mode = 0;
  uint32_t creation_disposition = 0;
  uint32_t flags_and_attributes = 0;
  platform::FileHandle handle = platform::kInvalidFile;
  const char* kind_word = nullptr;
};

// A source: read only, held exclusively, must exist.
OpenRequest source_request(const char* kind_word = kSourceWord);
// A destination: read and write, held exclusively, created new only,
// write-through with /C.
OpenRequest destination_request(bool write_through);
// The creation disposition for what an existing destination gets.
uint32_t disposition_for(model::Existing existing);

// Opens request.path; on failure prints the sharing-violation or the
// open-failure lines under message_number and returns false.
bool open_step(OpenRequest& request, int message_number);
// The lines open_step prints for error under message_number.
void report_open_failure(const OpenRequest& request, int message_number, uint32_t error);

}  // namespace peltrix::paths
