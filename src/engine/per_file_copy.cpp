#include "engine/per_file_copy.h"

#include <algorithm>
#include <deque>
#include <vector>

#include "engine/destination_open.h"
#include "engine/destination_output.h"
#include "engine/source_copy.h"
#include "messages/catalogue_copy.h"
#include "messages/catalogue_files.h"
#include "paths/close_step.h"
#include "paths/open_step.h"
#include "paths/source_identities.h"
#include "paths/value_flags.h"
#include "platform/platform.h"

namespace peltrix::engine {

namespace {

using Destination = std::deque<model::DestinationEntry>::iterator;

bool is_repeat(const model::DestinationEntry& d) { return (d.flags & paths::value_flag::kRepeat) != 0; }

// What the per-file copy keeps from pair to pair.
struct PairRun {
  CopyRun& run;
  model::RepeatTable* repeats;       // with /W: a row per pair
  uint32_t disposition;                 // from /OU of the first destination
  paths::SourceIdentities identities;   // no destination may be one of them
  std::vector<uint64_t> bytes_in_file;  // by the pair index of each file's first source
  std::vector<platform::FileIdentity> made;  // by pair index: the file each destination is
};

// A repeated source's destination is its first occurrence's file, made by
// this run: it opens for appending, and must still be the file made.
bool open_pair_destination(model::DestinationEntry& d, size_t pair_index, PairRun& pairs) {
  DestinationOpen how{is_repeat(d) ? platform::kOpenAlways : pairs.disposition, pairs.run.settings.write_through,
                      messages::kPerFileDestinationOpen, d.checked_existing, d.checked_identity};
  const model::RepeatRow* row = pairs.repeats != nullptr && pair_index < pairs.repeats->size()
                                       ? &(*pairs.repeats)[pair_index] : nullptr;
  const auto first = row != nullptr && row->is_repeat() ? static_cast<size_t>(row->first_occurrence) : pair_index;
  if (is_repeat(d) && first < pair_index) {
    how.checked_existing = true;
    how.checked_identity = pairs.made[first];
  }
  // Under /W the file a destination is, for the repeats that append to it.
  platform::FileIdentity* made = pairs.repeats != nullptr ? &pairs.made[pair_index] : nullptr;
  return open_destination(d.path, how, pairs.identities, d.handle, made);
}

// Folders below the destination folder come in breadth-first order, so the
// parent of each exists already.
bool make_destination_folder(const model::DestinationEntry& d) {
  if (d.flags != paths::value_flag::kMissing) return true;
  const int result = platform::make_folder(d.path);
  if (result == 0) return true;
  messages::folder_not_made(messages::kPerFileFolderCreation, d.path, result, platform::last_error());
  return false;
}

// A repeated source is a later source of its first occurrence's file: its
// output follows what that one wrote, and its records count there.
OutputPlan plan_for(Destination d, size_t pair_index, PairRun& pairs) {
  OutputPlan plan;
  plan.first = d;
  plan.end = std::next(d);
  plan.write_code = messages::kPerFileWrite;
  plan.mark = d->mark;
  plan.bytes_in_file = &pairs.bytes_in_file[pair_index];
  if (pairs.repeats != nullptr && pair_index < pairs.repeats->size()) {
    model::RepeatRow& row = (*pairs.repeats)[pair_index];
    const auto first = static_cast<size_t>(row.first_occurrence);
    const bool repeated = row.is_repeat() && first < pair_index;
    plan.counted_row = repeated ? &(*pairs.repeats)[first] : &row;
    if (repeated) plan.bytes_in_file = &pairs.bytes_in_file[first];
  }
  return plan;
}

bool copy_pair(model::SourceEntry& s, Destination at, size_t pair_index, PairRun& pairs) {
  model::DestinationEntry& d = *at;
  SourceRole role;
  role.keeps_mark = !is_repeat(d);
  role.decides_eof = true;  // a repeat is the same file as its destination's first source
  role.completes_output = true;
  role.end_of_file = d.end_of_file;
  role.newlines = d.newlines;
  role.read_code = messages::kPerFileRead;
  role.read_path = s.path;
  DestinationOutput output(plan_for(at, pair_index, pairs), pairs.run);
  output.start_source(s, role);
  uint64_t bytes_read = 0;
  return copy_source(s, role, pairs.run, output, bytes_read) && paths::close_step(s.handle, s.path, messages::kPerFileSourceClose) &&
         paths::close_step(d.handle, d.path, messages::kPerFileDestinationClose);
}

// Opens (or makes) what the pair needs, then copies it. A source's mark is
// judged before its destination is opened.
bool take_pair(model::SourceEntry& s, Destination at, size_t pair_index, PairRun& pairs) {
  model::DestinationEntry& d = *at;
  const bool source_is_file = s.kind == model::EntryKind::kFile;
  if (source_is_file) {
    paths::OpenRequest request = paths::source_request();
    request.path = s.path;
    if (!paths::open_step(request, messages::kPerFileSourceOpen)) return false;
    s.handle = request.handle;
    if (!judge_open_source(s, pairs.run.marks, messages::kPerFileRead)) return false;
  }
  if (d.kind == model::EntryKind::kFile) {
    ++pairs.run.destination_count;
    if (!open_pair_destination(d, pair_index, pairs)) return false;
  }
  if (d.kind == model::EntryKind::kFolder && !make_destination_folder(d)) return false;
  if (source_is_file && d.kind != model::EntryKind::kFile) {
    messages::program_logic_error();
    return false;
  }
  return !source_is_file || copy_pair(s, at, pair_index, pairs);
}

}  // namespace

bool per_file_copy(model::SourceList& sources, model::DestinationList& destinations, model::RepeatTable* repeats,
                   CopyRun& run) {
  if (sources.entries.empty()) return true;
  PairRun pairs{run, repeats, paths::disposition_for(destinations.entries.front().existing),
                paths::SourceIdentities(sources, false), {}, {}};
  const size_t pairs_count = std::min(sources.entries.size(), destinations.entries.size());
  for (size_t pair_index = 0; pair_index < pairs_count; ++pair_index) {
    pairs.bytes_in_file.push_back(0);
    pairs.made.emplace_back();
    const Destination d = destinations.entries.begin() + static_cast<std::ptrdiff_t>(pair_index);
    if (!take_pair(sources.entries[pair_index], d, pair_index, pairs)) return false;
  }
  return true;
}

}  // namespace peltrix::engine
