#include "driver/copy_stage.h"

#include <cstdint>

#include "driver/destination_folders.h"
#include "engine/joined_copy.h"
#include "engine/mark_reports.h"
#include "engine/per_file_copy.h"
#include "messages/messages.h"
#include "paths/close_step.h"
#include "paths/open_step.h"
#include "platform/platform.h"
#include "records/code_table.h"
#include "records/leading_bytes.h"

namespace peltrix::driver {

namespace {

constexpr uint32_t kLeadingBytes = 100;
constexpr int kReadFailure = 808;
constexpr int kCloseFailure = 815;

// The source whose leading bytes decide the run's code: the first file
// that has enough bytes to carry a mark, else the first file. An empty first
// file must not leave a marked second one to be read in the wrong units.
const model::SourceEntry* first_file(const model::SourceList& sources) {
  const model::SourceEntry* first = nullptr;
  for (const model::SourceEntry& s : sources.entries) {
    if (s.kind != model::EntryKind::kFile) continue;
    if (s.size >= 2) return &s;
    if (first == nullptr) first = &s;
  }
  return first;
}

// The mark of the first source decides the units of the whole run.
bool choose_units(const model::SourceEntry& first, engine::CopyRun& copy) {
  paths::OpenRequest request = paths::source_request();
  request.path = first.path;
  if (!paths::open_step(request, paths::kFirstSourceOpen)) return false;

  uint8_t bytes[kLeadingBytes] = {};
  uint32_t count = 0;
  if (!platform::read_file(request.handle, bytes, kLeadingBytes, &count)) {
    messages::read_failure(kReadFailure, first.path, platform::last_error());
    return false;
  }
  int32_t detected = records::kCodeUndecided;
  const records::LeadingBytes found = records::check_leading_bytes(bytes, count, first.settings.input_code, first.settings.plain_bytes, detected);
  if (!engine::leading_bytes_agree(found, first.settings.input_code)) return false;
  if (!paths::close_step(request.handle, first.path, kCloseFailure)) return false;
  copy.units = records::select_active_units(detected, first.settings.input_code);
  return true;
}

}  // namespace

bool run_copy_stage(RunContext& context) {
  const model::RunSettings& settings = context.settings;
  const model::SourceEntry* first = first_file(context.sources);
  if (first == nullptr) {
    const bool tree_only = context.sources.folder_count > 0 && settings.subfolders && settings.per_file;
    return !tree_only || create_folder_tree(context.destinations);
  }

  engine::CopyRun& copy = context.copy;
  if (!engine::allocate_copy_buffers(context.buffers)) return false;
  copy.buffers = &context.buffers;
  copy.settings.count_records = settings.report == model::Report::kRecords;
  copy.settings.write_through = settings.write_through;
  if (!choose_units(*first, copy)) return false;

  const bool copied =
      settings.per_file
          ? engine::per_file_copy(context.sources, context.destinations,
                                  settings.repeats_allowed ? &context.repeats : nullptr, copy)
          : engine::joined_copy(context.sources, context.destinations, copy);
  if (!copied) return false;
  engine::release_copy_buffers(context.buffers);
  copy.buffers = nullptr;
  return true;
}

}  // namespace peltrix::driver
