#include "driver/destination_folders.h"

#include <string>

#include "paths/value_flags.h"
#include "planning/folder_creation.h"
#include "platform/platform.h"

namespace peltrix::driver {

namespace {

bool is_missing(const model::DestinationEntry& d) { return (d.flags & paths::value_flag::kMissing) != 0; }

}  // namespace

bool create_destination_folders(const cli::CommandLine& command_line, const model::DestinationList& destinations) {
  if (command_line.counts.output_files > 0) {
    for (const model::DestinationEntry& d : destinations.entries) {
      if (!is_missing(d)) continue;
      const char* separator = platform::last_folder_separator(d.path);
      if (separator == nullptr) continue;
      const std::string folder(d.path, separator);
      if (!planning::create_folder(folder.c_str())) return false;
    }
    return true;
  }
  const model::DestinationEntry* record = destinations.folder_record.get();
  if (command_line.counts.output_folders > 0 && record != nullptr && is_missing(*record)) {
    return planning::create_folder(record->path);
  }
  return true;
}

bool create_folder_tree(const model::DestinationList& destinations) {
  for (const model::DestinationEntry& d : destinations.entries) {
    if (is_missing(d) && !planning::create_folder(d.path)) return false;
  }
  return true;
}

}  // namespace peltrix::driver
