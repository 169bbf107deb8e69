#include "engine/interrupted_run.h"

#include "engine/in_place_backups.h"
#include "messages/catalogue_copy.h"
#include "paths/value_flags.h"

namespace peltrix::engine {

namespace {

void let_go(platform::FileHandle& handle) {
  if (handle == platform::kInvalidFile) return;
  platform::close_file(handle);
  handle = platform::kInvalidFile;
}

// A file that is held cannot be renamed over (Windows).
void let_go_of_in_place_files(model::SourceList& sources, model::DestinationList& destinations) {
  for (model::SourceEntry& s : sources.entries) {
    if (s.moved) let_go(s.handle);
  }
  for (model::DestinationEntry& d : destinations.entries) {
    if (d.kind == model::EntryKind::kFile && (d.flags & paths::value_flag::kInPlace) != 0) let_go(d.handle);
  }
}

}  // namespace

void stop_interrupted_run(model::SourceList& sources, model::DestinationList& destinations) {
  let_go_of_in_place_files(sources, destinations);
  messages::interrupted_run_stopped();
  for (model::SourceEntry& s : sources.entries) {
    if (!s.moved) continue;
    if (put_back(s)) {
      messages::interrupted_run_put_back(s.path);
    } else {
      messages::interrupted_run_not_put_back(s.path, s.backup_path, platform::last_error());
    }
  }
  messages::interrupted_run_left_behind();
}

}  // namespace peltrix::engine
