#include "engine/destination_open.h"

#include "paths/file_identity.h"
#include "paths/open_step.h"

namespace peltrix::engine {

namespace {

// Whether the file held is apart from every source (its size in size);
// false after the message.
bool apart_from_sources(platform::FileHandle handle, const char* path, paths::SourceIdentities& sources,
                        uint64_t& size) {
  platform::FileInformation information;
  if (!platform::file_information(handle, &information)) {
    paths::print_information_failure(path, platform::last_error());
    return false;
  }
  size = information.size;
  switch (sources.match(information.identity)) {
    case paths::SourceIdentities::Match::kNone: return true;
    case paths::SourceIdentities::Match::kSource: paths::print_same_file_refusal(path); return false;
    case paths::SourceIdentities::Match::kFailed: return false;
  }
  return false;
}

}  // namespace

bool open_destination(const char* path, const DestinationOpen& how, paths::SourceIdentities& sources,
                      platform::FileHandle& handle) {
  const uint32_t disposition = how.disposition;
  const int message_number = how.message_number;
  paths::OpenRequest request = paths::destination_request(how.write_through);
  request.path = path;
  if (how.owner_only) request.flags_and_attributes |= platform::kFlagOwnerOnly;
  // A new file cannot be a source; any other may have become one since the
  // checks (a link put in its place), so it is opened as it is and compared.
  const bool overwrite = disposition == platform::kCreateAlways;
  request.creation_disposition = overwrite ? platform::kOpenAlways : disposition;
  if (!paths::open_step(request, message_number)) return false;
  const bool existing_possible = disposition != platform::kCreateNew;
  uint64_t size = 0;
  if (existing_possible && !apart_from_sources(request.handle, path, sources, size)) {
    platform::close_file(request.handle);
    return false;
  }
  // An empty file (the usual new destination) is not truncated: ext4 writes
  // out at close every file that was truncated to nothing.
  if (overwrite && size != 0 && !platform::truncate_file(request.handle)) {
    const uint32_t error = platform::last_error();
    platform::close_file(request.handle);
    paths::report_open_failure(request, message_number, error);
    return false;
  }
  handle = request.handle;
  return true;
}

}  // namespace peltrix::engine
