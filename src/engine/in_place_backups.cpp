#include "engine/in_place_backups.h"

#include <cstring>

#include "messages/messages.h"
#include "paths/value_flags.h"
#include "platform/platform.h"

namespace peltrix::engine {

namespace {

bool deletes_backups(const paths::SourceList& sources) {
  for (const paths::SourceEntry* s = sources.head; s != nullptr; s = s->next) {
    if (s->kind == paths::kKindFile && is_in_place(*s) && !s->keeps_backup) return true;
  }
  return false;
}

bool report_flush_failure(const char* path) {
  messages::path_failure(137, path, platform::last_error(),
                         "バックアップファイルは削除せずに残しました。コピー先の内容を確かめてください。",
                         "次のコピー先ファイルの内容をディスクに書き終えることができませんでした。");
  return false;
}

// An in-place file must be on the disk, data and name, before its backup
// (until then the only whole copy of the original) is deleted: otherwise a
// power cut soon after the run could leave it short with the backup gone.
template <typename Flush>
bool flush_in_place(const paths::DestinationList& destinations, Flush&& flush) {
  for (const paths::DestinationEntry* d = destinations.head; d != nullptr; d = d->next) {
    if (d->kind != paths::kKindFile || (d->flags & paths::value_flag::kInPlace) == 0) continue;
    if (!flush(*d)) return report_flush_failure(d->path);
  }
  return true;
}

}  // namespace

bool is_in_place(const paths::SourceEntry& source) { return (source.flags & paths::value_flag::kInPlace) != 0; }

bool move_to_backups(const paths::SourceList& sources) {
  for (const paths::SourceEntry* s = sources.head; s != nullptr; s = s->next) {
    if (s->kind != paths::kKindFile || !is_in_place(*s)) continue;
    if (platform::rename_path(s->path, s->backup_path) != 0) {
      messages::path_failure(106, s->backup_path, platform::last_error(), messages::kSeeCause,
                             "%d番目の/Iに指定したコピー元ファイルの次のバックアップファイルの作成に失敗しました。",
                             s->input_ordinal);
      return false;
    }
  }
  return true;
}

bool keep_permissions(const paths::SourceList& sources, const paths::DestinationEntry& d) {
  const paths::SourceEntry* s = sources.head;
  while (s != nullptr && !(s->kind == paths::kKindFile && is_in_place(*s) && std::strcmp(s->path, d.path) == 0)) {
    s = s->next;
  }
  if (s == nullptr || platform::copy_permissions(s->backup_path, d.handle)) return true;
  messages::path_failure(136, d.path, platform::last_error(), messages::kSeeCause,
                         "%d番目の/Oに指定したコピー先ファイルに元のファイルのアクセス権を設定できませんでした。",
                         d.output_ordinal);
  return false;
}

bool flush_in_place_files(const paths::SourceList& sources, const paths::DestinationList& destinations) {
  if (!deletes_backups(sources)) return true;
  return flush_in_place(destinations, [](const paths::DestinationEntry& d) { return platform::flush_file(d.handle); });
}

bool finish_backups(const paths::SourceList& sources, const paths::DestinationList& destinations) {
  if (!deletes_backups(sources)) return true;
  const bool flushed = flush_in_place(
      destinations, [](const paths::DestinationEntry& d) { return platform::flush_folder_of(d.path); });
  if (!flushed) return false;
  for (const paths::SourceEntry* s = sources.head; s != nullptr; s = s->next) {
    if (s->kind != paths::kKindFile || !is_in_place(*s) || s->keeps_backup) continue;
    if (platform::remove_file(s->backup_path) != 0) {
      messages::path_failure(107, s->backup_path, platform::last_error(), messages::kSeeCause,
                             "%d番目の/Iに指定したコピー元ファイルの次のバックアップファイルの削除に失敗しました。",
                             s->input_ordinal);
      return false;
    }
  }
  return true;
}

}  // namespace peltrix::engine
