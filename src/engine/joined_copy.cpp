#include "engine/joined_copy.h"

#include <cstring>

#include "engine/append_positioning.h"
#include "engine/block_loop.h"
#include "engine/destination_write.h"
#include "messages/messages.h"
#include "paths/close_step.h"
#include "paths/open_step.h"
#include "paths/value_flags.h"
#include "platform/platform.h"
#include "records/bom_step.h"
#include "records/leading_bytes.h"

namespace peltrix::engine {

namespace {

// Bytes enough to tell every mark.
constexpr uint32_t kLeadingBytes = 8;

bool in_place(const paths::SourceEntry& source) { return (source.flags & paths::value_flag::kInPlace) != 0; }

// Moves every in-place source to its backup name.
bool move_to_backups(const paths::SourceList& sources) {
  for (const paths::SourceEntry* s = sources.head; s != nullptr; s = s->next) {
    if (s->kind != paths::kKindFile || !in_place(*s)) continue;
    if (platform::rename_path(s->path, s->backup_path) != 0) {
      const uint32_t error = platform::last_error();
      messages::line(106, 1, "%d番目の/Iに指定したコピー元ファイルの次のバックアップファイルの作成に失敗しました。",
                     s->input_ordinal);
      messages::line(106, 2, "%s", s->backup_path);
      messages::line(106, 3, "エラー原因は次のシステムエラーコードとメッセージを参照してください。");
      messages::system_error_lines(106, 4, error);
      return false;
    }
  }
  return true;
}

// A file copied onto itself is made anew under its name: it gets the
// original's permissions, owner and group from the backup the original was
// moved to (the backup of the source of the same path), before any byte.
bool keep_permissions(const paths::SourceList& sources, const paths::DestinationEntry& d) {
  const paths::SourceEntry* s = sources.head;
  while (s != nullptr && !(s->kind == paths::kKindFile && in_place(*s) && std::strcmp(s->path, d.path) == 0)) {
    s = s->next;
  }
  if (s == nullptr || platform::copy_permissions(s->backup_path, d.handle)) return true;
  const uint32_t error = platform::last_error();
  messages::line(136, 1, "%d番目の/Oに指定したコピー先ファイルに元のファイルのアクセス権を設定できませんでした。",
                 d.output_ordinal);
  messages::line(136, 2, "%s", d.path);
  messages::line(136, 3, "エラー原因は次のシステムエラーコードとメッセージを参照してください。");
  messages::system_error_lines(136, 4, error);
  return false;
}

bool open_destinations(const paths::SourceList& sources, paths::DestinationList& destinations, CopyRun& run) {
  for (paths::DestinationEntry* d = destinations.head; d != nullptr; d = d->next) {
    ++run.destination_count;
    if (d->kind == paths::kKindStdout) {
      platform::set_stdout_binary();
      continue;
    }
    paths::OpenRequest request = paths::destination_request(d->ou_value, run.settings.write_through);
    request.path = d->path;
    if (!paths::open_step(request, paths::kJoinedDestinationOpen)) return false;
    d->handle = request.handle;
    if ((d->flags & paths::value_flag::kInPlace) != 0 && !keep_permissions(sources, *d)) return false;
  }
  return true;
}

bool close_source(const paths::SourceEntry& source, const char* opened_path) {
  if (platform::close_file(source.handle)) return true;
  const uint32_t error = platform::last_error();
  messages::line(811, 1, "次のコピー元ファイルのcloseが失敗しました。 \"%s\"", opened_path);
  messages::system_error_lines(811, 2, error);
  return false;
}

bool close_destinations(const paths::DestinationList& destinations) {
  for (const paths::DestinationEntry* d = destinations.head; d != nullptr; d = d->next) {
    if (d->kind == paths::kKindStdout) continue;
    if (!platform::close_file(d->handle)) {
      const uint32_t error = platform::last_error();
      messages::line(812, 1, "次のコピー元ファイルのcloseが失敗しました。 \"%s\"", d->path);
      messages::system_error_lines(812, 2, error);
      return false;
    }
  }
  return true;
}

bool delete_backups(const paths::SourceList& sources) {
  for (const paths::SourceEntry* s = sources.head; s != nullptr; s = s->next) {
    if (s->kind != paths::kKindFile || !in_place(*s) || s->iu == 1) continue;
    if (platform::remove_file(s->backup_path) != 0) {
      const uint32_t error = platform::last_error();
      messages::line(107, 1, "%d番目の/Iに指定したコピー元ファイルの次のバックアップファイルの削除に失敗しました。",
                     s->input_ordinal);
      messages::line(107, 2, "%s", s->backup_path);
      messages::line(107, 3, "エラー原因は次のシステムエラーコードとメッセージを参照してください。");
      messages::system_error_lines(107, 4, error);
      return false;
    }
  }
  return true;
}

const paths::SourceEntry* next_file(const paths::SourceEntry* entry) {
  while (entry != nullptr && entry->kind != paths::kKindFile) entry = entry->next;
  return entry;
}

// Writes one block's output to every destination; the first output of the
// run goes through the byte-order-mark step once, for all of them.
class JoinedOutput : public OutputSink {
 public:
  JoinedOutput(paths::DestinationList& destinations, CopyRun& run) : destinations_(destinations), run_(run) {}

  void start_source(const paths::SourceEntry& source, const char* read_path) {
    source_ = &source;
    read_path_ = read_path;
  }

  bool write(const uint8_t* data, uint32_t length, uint64_t records) override {
    records::BomEdit edit;
    if (first_output_) {
      const records::BomSettings bom{destinations_.head->oj_value, source_->il, source_->iy, run_.detected_code};
      if (!records::plan_bom_edit(data, length, bom, edit)) return false;
    }
    const records::BomEdit behind = records::edit_for_appending(data, length, run_.detected_code);
    for (paths::DestinationEntry* d = destinations_.head; d != nullptr; d = d->next) {
      if (!position(*d)) return false;
      // Output that follows what a destination holds gets no mark of its own.
      const records::BomEdit& used = first_output_ && appends_behind_contents(*d) ? behind : edit;
      const uint32_t kept = length - used.drop_length;
      if (!write_all(*d, used.prefix, used.prefix_length, kJoinedWrite)) return false;
      if (!write_all(*d, data + used.drop_length, kept, kJoinedWrite)) return false;
      d->bytes_written += used.prefix_length + kept;
      d->records_written += records;
    }
    first_output_ = false;
    return true;
  }

  // A destination the system cannot copy into gets the range through the
  // scratch buffer, so every destination receives the same bytes.
  RangeCopy copy_range(const paths::SourceEntry& source, int64_t offset, uint64_t length) override {
    if (first_output_) return RangeCopy::kNotNow;
    for (paths::DestinationEntry* d = destinations_.head; d != nullptr; d = d->next) {
      if (!position(*d)) return RangeCopy::kFailed;
      const bool alike = stands_alike(target_of(*d), offset);
      if (!alike && d == destinations_.head) return RangeCopy::kUnsupported;
      const int64_t copied = alike ? platform::copy_range(source.handle, offset, target_of(*d), length) : -1;
      if (!alike || (copied < 0 && platform::last_error() == platform::kErrorNotSupported)) {
        if (d == destinations_.head) return RangeCopy::kUnsupported;
        if (!write_through_scratch(*d, offset, length)) return RangeCopy::kFailed;
      } else if (copied != static_cast<int64_t>(length)) {
        // Failed, or the source has become shorter while it is held: either
        // way the range could not be written.
        if (copied >= 0) platform::set_last_error(platform::kErrorHandleEof);
        report_write_failure(*d, kJoinedWrite);
        return RangeCopy::kFailed;
      }
      d->bytes_written += length;
    }
    return RangeCopy::kCopied;
  }

  void add_records(uint64_t records) override {
    for (paths::DestinationEntry* d = destinations_.head; d != nullptr; d = d->next) d->records_written += records;
  }

 private:
  static bool appends_behind_contents(const paths::DestinationEntry& d) {
    int64_t position = 0;
    return d.ou_value == 3 && d.kind == paths::kKindFile &&
           platform::seek_file(d.handle, 0, platform::SeekFrom::kCurrent, &position) && position > 0;
  }

  // Appending starts behind what the destination held, before its first bytes.
  bool position(const paths::DestinationEntry& d) {
    if (d.ou_value != 3 || d.kind != paths::kKindFile || d.bytes_written != 0) return true;
    return position_for_append(d, run_.units.eof, source_->iy == 2);
  }

  static platform::FileHandle target_of(const paths::DestinationEntry& d) {
    return d.kind == paths::kKindStdout ? platform::stdout_handle() : d.handle;
  }

  bool write_through_scratch(const paths::DestinationEntry& d, int64_t offset, uint64_t length) {
    while (length > 0) {
      const auto piece = static_cast<uint32_t>(length < kBlockLength ? length : kBlockLength);
      uint32_t read = 0;
      if (!platform::read_file_at(source_->handle, offset, run_.buffers->scratch, piece, &read) || read != piece) {
        messages::read_failure(806, read_path_, read != piece ? platform::kErrorHandleEof : platform::last_error());
        return false;
      }
      if (!write_all(d, run_.buffers->scratch, piece, kJoinedWrite)) return false;
      offset += piece;
      length -= piece;
    }
    return true;
  }

  paths::DestinationList& destinations_;
  CopyRun& run_;
  const paths::SourceEntry* source_ = nullptr;
  const char* read_path_ = nullptr;
  bool first_output_ = true;
};

// The marks of all sources are checked against each other, against /IC and
// against /OJ before anything is moved or a destination opened, so that a
// refused mark leaves every file as it was.
bool check_marks_first(const paths::SourceList& sources, const paths::DestinationEntry& first) {
  int32_t detected = records::kCodeUndecided;
  const paths::SourceEntry* lead = nullptr;
  for (const paths::SourceEntry* s = sources.head; s != nullptr; s = s->next) {
    // A repeated source is the same file as one checked before it.
    if (s->kind != paths::kKindFile || s->iy == 2 || (s->flags & paths::value_flag::kRepeat) != 0) continue;
    paths::OpenRequest request = paths::source_request();
    request.path = s->path;
    if (!paths::open_step(request, paths::kJoinedSourceOpen)) return false;
    uint8_t leading[kLeadingBytes];
    uint32_t count = 0;
    if (!platform::read_file(request.handle, leading, kLeadingBytes, &count)) {
      messages::read_failure(806, s->path, platform::last_error());
      platform::close_file(request.handle);
      return false;
    }
    const bool checked = records::check_leading_bytes(leading, count, s->ic, s->iy, detected);
    if (!paths::close_step(request.handle, s->path, 811) || !checked) return false;
    if (lead == nullptr) lead = s;
  }
  if (lead == nullptr) return true;
  // The mark step refuses /OJ1 to /OJ5 for sources that carry a mark.
  records::BomEdit unused;
  const records::BomSettings bom{first.oj_value, lead->il, lead->iy, detected};
  return records::plan_bom_edit(nullptr, 0, bom, unused);
}

}  // namespace

bool joined_copy(paths::SourceList& sources, paths::DestinationList& destinations, CopyRun& run) {
  if (!check_marks_first(sources, *destinations.head)) return false;
  if (!move_to_backups(sources)) return false;
  if (!open_destinations(sources, destinations, run)) return false;

  run.detected_code = records::kCodeUndecided;
  run.ends_with_eof = false;
  JoinedOutput output(destinations, run);
  const paths::DestinationEntry& first = *destinations.head;
  bool first_source = true;
  for (paths::SourceEntry* s = sources.head; s != nullptr; s = s->next) {
    if (s->kind != paths::kKindFile) continue;
    SourceRole role;
    // The first source that has any bytes begins the output: it keeps its
    // mark and decides the end-of-file character, as a lone source would.
    role.keeps_mark = first_source;
    role.decides_eof = first_source;
    role.completes_output = next_file(s->next) == nullptr;
    role.oe_value = first.oe_value;
    role.or_value = first.or_value;
    role.read_message = 806;
    role.read_path = in_place(*s) ? s->backup_path : s->path;

    paths::OpenRequest request = paths::source_request();
    request.path = role.read_path;
    if (!paths::open_step(request, paths::kJoinedSourceOpen)) return false;
    s->handle = request.handle;

    output.start_source(*s, role.read_path);
    if (!copy_source(*s, role, run, output)) return false;
    if (run.source_bytes != 0) first_source = false;
    if (!close_source(*s, role.read_path)) return false;
  }

  // Backups go only once every destination is safely closed.
  if (!close_destinations(destinations)) return false;
  return delete_backups(sources);
}

}  // namespace peltrix::engine
