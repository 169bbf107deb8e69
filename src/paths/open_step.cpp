#include "paths/open_step.h"


namespace peltrix::paths {

OpenRequest source_request(const char* kind_word) {
  OpenRequest request;
  request.desired_access = platform::kGenericRead;
  request.share_mode = 0;
  request.creation_disposition = platform::kOpenExisting;
  request.flags_and_attributes = platform::kAttributeNormal;
  request.kind_word = kind_word;
  return request;
}

uint32_t disposition_for(model::Existing existing) {
  switch (existing) {
    case model::Existing::kOverwrite: return platform::kCreateAlways;
    case model::Existing::kAppend: return platform::kOpenAlways;
    case model::Existing::kRefuse: break;
  }
  return platform::kCreateNew;
}

OpenRequest destination_request(bool write_through) {
  OpenRequest request;
  request.desired_access = platform::kGenericRead | platform::kGenericWrite;
  request.share_mode = 0;
  request.creation_disposition = platform::kCreateNew;
  request.flags_and_attributes = write_through ? platform::kFlagWriteThrough : platform::kAttributeNormal;
  request.kind_word = messages::kDestinationWord;
  return request;
}

bool open_step(OpenRequest& request, messages::OpenCode code) {
  request.handle = platform::open_file(request.path, request.desired_access, request.share_mode,
                                       request.creation_disposition, request.flags_and_attributes);
  if (request.handle != platform::kInvalidFile) return true;
  report_open_failure(request, code, platform::last_error());
  return false;
}

void report_open_failure(const OpenRequest& request, messages::OpenCode code, uint32_t error) {
  messages::open_failure(code, request.kind_word, request.path, error);
}

}  // namespace peltrix::paths
