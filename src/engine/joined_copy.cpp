#include "engine/joined_copy.h"

#include "engine/destination_open.h"
#include "engine/destination_output.h"
#include "engine/in_place_backups.h"
#include "engine/source_copy.h"
#include "messages/catalogue_files.h"
#include "paths/close_step.h"
#include "paths/open_step.h"
#include "paths/source_identities.h"
#include "paths/value_flags.h"
#include "platform/platform.h"

namespace peltrix::engine {

namespace {

bool open_destinations(const model::SourceList& sources, model::DestinationList& destinations, CopyRun& run) {
  paths::SourceIdentities identities(sources, true);
  for (model::DestinationEntry& d : destinations.entries) {
    ++run.destination_count;
    if (d.kind == model::EntryKind::kStdout) {
      platform::set_stdout_binary();
      continue;
    }
    // A file copied onto itself is made anew at the name its original left.
    if ((d.flags & paths::value_flag::kInPlace) != 0) {
      if (!create_in_place_file(sources, d, run.settings.write_through)) return false;
      continue;
    }
    const DestinationOpen how{paths::disposition_for(d.existing), run.settings.write_through,
                              messages::kJoinedDestinationOpen, d.checked_existing, d.checked_identity};
    if (!open_destination(d.path, how, identities, d.handle)) return false;
  }
  return true;
}

bool close_destinations(model::DestinationList& destinations) {
  for (model::DestinationEntry& d : destinations.entries) {
    if (d.kind == model::EntryKind::kStdout) continue;
    const platform::FileHandle handle = d.handle;
    d.handle = platform::kInvalidFile;
    if (!paths::close_step(handle, d.path, messages::kJoinedDestinationClose)) return false;
  }
  return true;
}

const model::SourceEntry* last_file(const model::SourceList& sources) {
  const model::SourceEntry* last = nullptr;
  for (const model::SourceEntry& s : sources.entries) {
    if (s.kind == model::EntryKind::kFile) last = &s;
  }
  return last;
}

// Reads every file source in list order into the output.
bool copy_sources(model::SourceList& sources, const model::DestinationEntry& first, CopyRun& run,
                  DestinationOutput& output) {
  bool first_source = true;
  const model::SourceEntry* last = last_file(sources);
  for (model::SourceEntry& s : sources.entries) {
    if (s.kind != model::EntryKind::kFile) continue;
    SourceRole role;
    // The first source that has any bytes begins the output: it keeps its
    // mark and decides the end-of-file character, as a lone source would.
    role.keeps_mark = first_source;
    role.decides_eof = first_source;
    role.completes_output = &s == last;
    role.end_of_file = first.end_of_file;
    role.newlines = first.newlines;
    role.read_code = messages::kJoinedRead;
    role.read_path = is_in_place(s) ? s.backup_path : s.path;

    // An original the run holds since its move is read from its handle;
    // it is let go of with the backups.
    const platform::FileHandle held = held_original(sources, s);
    paths::OpenRequest request = paths::source_request();
    request.path = role.read_path;
    request.handle = held;
    if (held == platform::kInvalidFile && !paths::open_step(request, messages::kJoinedSourceOpen)) return false;
    const platform::FileHandle own = s.handle;
    s.handle = request.handle;
    output.start_source(s, role);
    uint64_t bytes_read = 0;
    const bool copied = copy_source(s, role, run, output, bytes_read);
    s.handle = own;
    if (!copied) {
      if (held == platform::kInvalidFile) platform::close_file(request.handle);
      return false;
    }
    if (bytes_read != 0) first_source = false;
    if (held == platform::kInvalidFile && !paths::close_step(request.handle, role.read_path, messages::kJoinedSourceClose)) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool joined_copy(model::SourceList& sources, model::DestinationList& destinations, CopyRun& run) {
  if (!move_to_backups(sources)) return false;
  if (!open_destinations(sources, destinations, run)) return false;

  run.ends_with_eof = false;
  const model::DestinationEntry& first = destinations.entries.front();
  OutputPlan plan;
  plan.first = destinations.entries.begin();
  plan.end = destinations.entries.end();
  plan.write_code = messages::kJoinedWrite;
  plan.mark = first.mark;
  DestinationOutput output(plan, run);
  if (!copy_sources(sources, first, run, output)) return false;

  // Backups go only once every destination is closed and on the disk.
  return flush_in_place_files(sources, destinations) && close_destinations(destinations) &&
         finish_backups(sources, destinations);
}

}  // namespace peltrix::engine
