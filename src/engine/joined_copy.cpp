#include "engine/joined_copy.h"

#include "engine/destination_open.h"
#include "engine/destination_output.h"
#include "engine/in_place_backups.h"
#include "engine/mark_reports.h"
#include "engine/source_copy.h"
#include "messages/messages.h"
#include "paths/close_step.h"
#include "paths/open_step.h"
#include "paths/source_identities.h"
#include "paths/value_flags.h"
#include "platform/platform.h"
#include "records/bom_step.h"
#include "records/leading_bytes.h"

namespace peltrix::engine {

namespace {

// Bytes enough to tell every mark.
constexpr uint32_t kLeadingBytes = 8;
constexpr int kReadFailure = 806;
constexpr int kSourceClose = 811;
constexpr int kDestinationClose = 812;

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
                              paths::kJoinedDestinationOpen, d.checked_existing, d.checked_identity};
    if (!open_destination(d.path, how, identities, d.handle)) return false;
  }
  return true;
}

bool close_destinations(model::DestinationList& destinations) {
  for (model::DestinationEntry& d : destinations.entries) {
    if (d.kind == model::EntryKind::kStdout) continue;
    const platform::FileHandle handle = d.handle;
    d.handle = platform::kInvalidFile;
    if (!paths::close_step(handle, d.path, kDestinationClose)) return false;
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

// The leading bytes of one source, checked against the marks before it.
bool check_leading_bytes_of(const model::SourceEntry& s, int32_t& detected) {
  paths::OpenRequest request = paths::source_request();
  request.path = s.path;
  if (!paths::open_step(request, paths::kJoinedSourceOpen)) return false;
  uint8_t leading[kLeadingBytes];
  uint32_t count = 0;
  if (!platform::read_file(request.handle, leading, kLeadingBytes, &count)) {
    messages::read_failure(kReadFailure, s.path, platform::last_error());
    platform::close_file(request.handle);
    return false;
  }
  const int32_t code = s.settings.input_code;
  const records::LeadingBytes found = records::check_leading_bytes(leading, count, code, s.settings.plain_bytes, detected);
  return paths::close_step(request.handle, s.path, kSourceClose) && leading_bytes_agree(found, code);
}

// The marks of all sources are checked against each other, against /IC and
// against /OJ before anything is moved or a destination opened, so that a
// refused mark leaves every file as it was.
bool check_marks_first(const model::SourceList& sources, const model::DestinationEntry& first) {
  int32_t detected = records::kCodeUndecided;
  const model::SourceEntry* lead = nullptr;
  for (const model::SourceEntry& s : sources.entries) {
    // A repeated source is the same file as one checked before it.
    if (s.kind != model::EntryKind::kFile || s.settings.plain_bytes || (s.flags & paths::value_flag::kRepeat) != 0) {
      continue;
    }
    if (!check_leading_bytes_of(s, detected)) return false;
    if (lead == nullptr) lead = &s;
  }
  if (lead == nullptr) return true;
  // The mark step refuses /OJ1 to /OJ5 for sources that carry a mark.
  records::BomEdit unused;
  const records::BomSettings bom{first.mark, lead->settings.skips_records(), lead->settings.plain_bytes, detected};
  return bom_plan_accepted(records::plan_bom_edit(nullptr, 0, bom, unused), detected);
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
    role.read_message = kReadFailure;
    role.read_path = is_in_place(s) ? s.backup_path : s.path;

    // An original the run holds since its move is read from its handle;
    // it is let go of with the backups.
    const platform::FileHandle held = held_original(sources, s);
    paths::OpenRequest request = paths::source_request();
    request.path = role.read_path;
    request.handle = held;
    if (held == platform::kInvalidFile && !paths::open_step(request, paths::kJoinedSourceOpen)) return false;
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
    if (held == platform::kInvalidFile && !paths::close_step(request.handle, role.read_path, kSourceClose)) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool joined_copy(model::SourceList& sources, model::DestinationList& destinations, CopyRun& run) {
  if (!check_marks_first(sources, destinations.entries.front())) return false;
  if (!move_to_backups(sources)) return false;
  if (!open_destinations(sources, destinations, run)) return false;

  run.detected_code = records::kCodeUndecided;
  run.ends_with_eof = false;
  const model::DestinationEntry& first = destinations.entries.front();
  OutputPlan plan;
  plan.first = destinations.entries.begin();
  plan.end = destinations.entries.end();
  plan.write_message = kJoinedWrite;
  plan.mark = first.mark;
  DestinationOutput output(plan, run);
  if (!copy_sources(sources, first, run, output)) return false;

  // Backups go only once every destination is closed and on the disk.
  return flush_in_place_files(sources, destinations) && close_destinations(destinations) &&
         finish_backups(sources, destinations);
}

}  // namespace peltrix::engine
