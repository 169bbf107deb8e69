#include "engine/destination_open.h"

#include "messages/catalogue_copy.h"
#include "messages/catalogue_paths.h"
#include "paths/open_step.h"

namespace peltrix::engine {

namespace {

// Whether the file held is the one checked and apart from every source;
// false after the message.
bool the_file_checked(const platform::FileInformation& information, const char* path, const DestinationOpen& how,
                      paths::SourceIdentities& sources) {
  switch (sources.match(information.identity)) {
    case paths::SourceIdentities::Match::kNone: break;
    case paths::SourceIdentities::Match::kSource: messages::destination_is_source(path); return false;
    case paths::SourceIdentities::Match::kFailed: return false;
  }
  if (information.identity == how.checked_identity) return true;
  messages::destination_replaced(path);
  return false;
}

}  // namespace

bool open_destination(const char* path, const DestinationOpen& how, paths::SourceIdentities& sources,
                      platform::FileHandle& handle, platform::FileIdentity* opened) {
  paths::OpenRequest request = paths::destination_request(how.write_through);
  request.path = path;
  // A name that held nothing is made new: whatever was put there since,
  // a link included, is refused. A file that was there is opened as it is,
  // never made, and compared.
  request.creation_disposition = how.checked_existing ? platform::kOpenExisting : platform::kCreateNew;
  if (!paths::open_step(request, how.open_code)) return false;
  platform::FileInformation information;
  if (how.checked_existing || opened != nullptr) {
    const bool known = platform::file_information(request.handle, &information);
    if (!known) messages::information_failure(path, platform::last_error());
    if (!known || (how.checked_existing && !the_file_checked(information, path, how, sources))) {
      platform::close_file(request.handle);
      return false;
    }
    if (opened != nullptr) *opened = information.identity;
  }
  const uint64_t size = information.size;
  // An empty file (the usual new destination) is not truncated: ext4 writes
  // out at close every file that was truncated to nothing.
  if (how.disposition == platform::kCreateAlways && size != 0 && !platform::truncate_file(request.handle)) {
    const uint32_t error = platform::last_error();
    platform::close_file(request.handle);
    paths::report_open_failure(request, how.open_code, error);
    return false;
  }
  handle = request.handle;
  return true;
}

}  // namespace peltrix::engine
