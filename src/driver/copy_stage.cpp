#include "driver/copy_stage.h"

#include "driver/destination_folders.h"
#include "engine/joined_copy.h"
#include "engine/per_file_copy.h"
#include "engine/source_marks.h"

namespace peltrix::driver {

bool run_copy_stage(RunContext& context) {
  const model::RunSettings& settings = context.settings;
  if (engine::deciding_source(context.sources) == nullptr) {
    const bool tree_only = context.sources.folder_count > 0 && settings.subfolders && settings.per_file;
    return !tree_only || create_folder_tree(context.destinations);
  }

  engine::CopyRun& copy = context.copy;
  if (!engine::allocate_copy_buffers(context.buffers)) return false;
  copy.buffers = &context.buffers;
  copy.settings.count_records = settings.report == model::Report::kRecords;
  copy.settings.write_through = settings.write_through;
  // The destinations share one mark handling.
  const records::Mark mark = context.destinations.entries.front().mark;
  if (!engine::judge_source_marks(context.sources, mark, settings.per_file, copy.marks)) return false;

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
