#include "paths/file_identity.h"

#include "messages/catalogue_paths.h"
#include "paths/close_step.h"
#include "paths/open_step.h"

namespace peltrix::paths {

bool query_file_identity(const char* full_path, const char* kind_word, platform::FileInformation& information) {
  OpenRequest request = source_request(kind_word);
  request.path = full_path;
  if (!open_step(request, messages::kIdentityOpen)) return false;

  if (!platform::file_information(request.handle, &information)) {
    const uint32_t error = platform::last_error();
    // The run ends here, but the file is not left held.
    platform::close_file(request.handle);
    messages::information_failure(full_path, error);
    return false;
  }
  return close_step(request.handle, full_path, messages::kIdentityClose);
}

}  // namespace peltrix::paths
