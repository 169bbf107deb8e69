#include "engine/interrupted_run.h"

#include "engine/in_place_backups.h"
#include "messages/messages.h"
#include "paths/value_flags.h"

namespace peltrix::engine {

namespace {

constexpr int kCode = 139;

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
  messages::line(kCode, 1, "中断の指示を受けたため，処理を中止しました。");
  for (model::SourceEntry& s : sources.entries) {
    if (!s.moved) continue;
    if (put_back(s)) {
      messages::line(kCode, 2, "次のファイルを元の内容に戻しました。 %s", s.path);
    } else {
      messages::line(kCode, 3, "次のファイルを元に戻せませんでした（システムエラーコード=%u）。元の内容はバックアップファイル %s にあります。 %s",
                     platform::last_error(), s.backup_path, s.path);
    }
  }
  messages::line(kCode, 4, "中止までに書き込んだほかのコピー先は，そのまま残っています。コピーを終えるには，もう一度コマンドを実行してください。");
}

}  // namespace peltrix::engine
