#include "planning/folder_scan.h"

#include <cstring>
#include <string>

#include "messages/catalogue_memory.h"
#include "messages/catalogue_paths.h"
#include "messages/catalogue_planning.h"
#include "model/entries.h"
#include "planning/path_join.h"
#include "planning/run_settings.h"
#include "platform/platform.h"

namespace peltrix::planning {

namespace {

struct Scan {
  model::TextStore& texts;
  model::SourceList& sources;
  model::SourceSettings settings;
  bool subfolders = false;  // /S
};

bool is_dot_name(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

// An item whose own name holds a folder separator ('\' in a name on a
// system where '\' is no separator) has no path the program could open.
bool report_unnamable(const std::string& path) {
  messages::unnamable_source_item(path.c_str());
  return false;
}

bool add_item(Scan& scan, const char* folder, const platform::FindItem& item) {
  const std::string path = joined_path(folder, item.name);
  if (platform::last_folder_separator(item.name) != nullptr) return report_unnamable(path);
  if (path.size() > platform::kMaxPath) {
    messages::path_too_long(path.c_str());
    return false;
  }
  model::SourceList& sources = scan.sources;
  model::SourceEntry* entry =
      model::add_entry(sources.entries, sources.entries.empty() ? messages::kFirstScannedEntryMemory
                                                                : messages::kMoreSourceEntriesMemory);
  if (entry == nullptr) return false;
  entry->settings = scan.settings;
  entry->given_name = scan.texts.keep(item.name, messages::kScannedNameMemory);
  if (entry->given_name == nullptr) return false;
  entry->path = scan.texts.keep(path, messages::kScannedPathMemory);
  if (entry->path == nullptr) return false;
  entry->input_ordinal = 1;
  if (item.is_folder) {
    entry->kind = model::EntryKind::kFolder;
    ++sources.folder_count;
  } else {
    entry->kind = model::EntryKind::kFile;
    entry->size = static_cast<int64_t>(item.size);
    ++sources.file_count;
  }
  return true;
}

// Appends the items of one folder; a folder that cannot be listed has none.
// A folder the system cannot list, or whose listing breaks off, is reported:
// passing over its files would report a failure as success.
bool report_unlisted(const char* folder, uint32_t error) {
  messages::source_folder_not_listed(folder, error);
  return false;
}

bool scan_folder(Scan& scan, const char* folder) {
  const std::string pattern = joined_path(folder, "*");
  platform::FindItem item;
  platform::FindSearch* search = platform::find_first(pattern.c_str(), &item);
  if (search == nullptr) {
    // A folder with nothing in it at all (a drive's empty root) lists nothing.
    const uint32_t error = platform::last_error();
    return error == platform::kErrorFileNotFound || report_unlisted(folder, error);
  }
  for (;;) {
    const bool wanted = (!item.is_folder || scan.subfolders) && !is_dot_name(item.name);
    if (wanted && !add_item(scan, folder, item)) {
      platform::find_close(search);
      return false;
    }
    if (!platform::find_next(search, &item)) break;
  }
  const uint32_t error = platform::last_error();
  platform::find_close(search);
  return error == platform::kErrorNoMoreFiles || report_unlisted(folder, error);
}

}  // namespace

bool scan_source_folder(const cli::CommandLine& command_line, model::TextStore& texts, model::SourceList& sources) {
  const char* root = command_line.input_folder_path;
  const bool subfolders = command_line.flags.s != 0;
  Scan scan{texts, sources, source_settings_for(command_line, 0), subfolders};
  if (!scan_folder(scan, root)) return false;
  if (!subfolders) {
    if (sources.file_count > 0) return true;
    messages::source_folder_without_files(root);
    return false;
  }

  // Folders found are appended to the list and listed when the walk reaches
  // them: every folder after all those found before it.
  for (size_t i = 0; i < sources.entries.size(); ++i) {
    const model::SourceEntry& entry = sources.entries[i];
    if (entry.kind == model::EntryKind::kFolder && !scan_folder(scan, entry.path)) return false;
  }

  if (command_line.flags.n == 0) {
    if (sources.file_count > 0) return true;
    messages::source_tree_without_files(root);
    return false;
  }
  if (sources.file_count + sources.folder_count > 0) return true;
  messages::source_tree_empty(root);
  return false;
}

}  // namespace peltrix::planning
