#include "engine/per_file_copy.h"

#include <vector>

#include "engine/append_positioning.h"
#include "engine/block_loop.h"
#include "engine/destination_open.h"
#include "engine/destination_write.h"
#include "messages/messages.h"
#include "paths/open_step.h"
#include "paths/value_flags.h"
#include "platform/platform.h"
#include "records/bom_step.h"

namespace peltrix::engine {

namespace {

bool is_repeat(const paths::DestinationEntry& d) { return (d.flags & paths::value_flag::kRepeat) != 0; }

// A repeated source's destination takes its size as it is now, then opens
// for appending.
bool open_pair_destination(paths::DestinationEntry& d, uint32_t disposition, bool write_through,
                           paths::SourceIdentities& sources) {
  if (is_repeat(d)) {
    platform::PathStatus status;
    if (!platform::path_status(d.path, &status)) {
      const uint32_t error = platform::last_error();
      messages::line(129, 1, "次のコピー先にI/Oエラーが発生しました。");
      messages::line(129, 2, "%s", d.path);
      messages::line(129, 3, "エラー原因は次のシステムエラーコードとメッセージを参照してください。");
      messages::system_error_lines(129, 4, error);
      return false;
    }
    d.existing_size = status.size;
    disposition = platform::kOpenAlways;
  }
  return open_destination(d.path, disposition, write_through, paths::kPerFileDestinationOpen, sources, d.handle);
}

// Folders below the destination folder come in breadth-first order, so the
// parent of each exists already.
bool make_destination_folder(const paths::DestinationEntry& d) {
  if (d.flags != paths::value_flag::kMissing) return true;
  const int result = platform::make_folder(d.path);
  if (result == 0) return true;
  const uint32_t error = platform::last_error();
  messages::line(108, 1, "次のコピー先フォルダの作成に失敗しました。");
  messages::line(108, 2, "%s", d.path);
  messages::line(108, 3, "_mkdir()関数が戻り値%dで，次のエラーとなりました。", result);
  messages::system_error_lines(108, 4, error);
  return false;
}

bool close_pair(const paths::SourceEntry& s, const paths::DestinationEntry& d) {
  if (!platform::close_file(s.handle)) {
    const uint32_t error = platform::last_error();
    messages::line(813, 1, "次のコピー元ファイルのcloseが失敗しました。 \"%s\"", s.path);
    messages::system_error_lines(813, 2, error);
    return false;
  }
  if (!platform::close_file(d.handle)) {
    const uint32_t error = platform::last_error();
    messages::line(814, 1, "次のコピー元ファイルのcloseが失敗しました。 \"%s\"", d.path);
    messages::system_error_lines(814, 2, error);
    return false;
  }
  return true;
}

// The output of one pair. Each destination receives what a joined copy of
// its own sources would give it: the mark step on the file's first output
// only, and appending starts behind what the file holds.
class PairOutput : public OutputSink {
 public:
  PairOutput(const paths::SourceEntry& source, paths::DestinationEntry& destination, const CopyRun& run,
             uint64_t& bytes_in_file, planning::RepeatRow* counted_row)
      : source_(source), destination_(destination), run_(run), bytes_in_file_(bytes_in_file),
        counted_row_(counted_row) {}

  bool write(const uint8_t* data, uint32_t length, uint64_t records) override {
    paths::DestinationEntry& d = destination_;
    records::BomEdit edit;
    if (first_output_ && bytes_in_file_ == 0) {
      const records::BomSettings bom{d.oj_value, source_.il, source_.iy, run_.detected_code};
      if (!records::plan_bom_edit(data, length, bom, edit)) return false;
    }
    if (first_output_ && (is_repeat(d) || d.ou_value == 3)) {
      if (!position_for_append(d, run_.units.eof, source_.iy == 2)) return false;
      // Output that follows what the file holds gets no mark of its own.
      int64_t position = 0;
      if (platform::seek_file(d.handle, 0, platform::SeekFrom::kCurrent, &position) && position > 0) {
        edit = records::edit_for_appending(data, length, run_.detected_code);
      }
    }
    const uint32_t kept = length - edit.drop_length;
    if (!write_all(d, edit.prefix, edit.prefix_length, kPerFileWrite)) return false;
    if (!write_all(d, data + edit.drop_length, kept, kPerFileWrite)) return false;
    add(edit.prefix_length + kept, records);
    first_output_ = false;
    return true;
  }

  RangeCopy copy_range(const paths::SourceEntry& source, int64_t offset, uint64_t length) override {
    if (first_output_) return RangeCopy::kNotNow;
    if (!stands_alike(destination_.handle, offset)) return RangeCopy::kUnsupported;
    const int64_t copied = platform::copy_range(source.handle, offset, destination_.handle, length);
    if (copied < 0 && platform::last_error() == platform::kErrorNotSupported) return RangeCopy::kUnsupported;
    if (copied != static_cast<int64_t>(length)) {
      if (copied >= 0) platform::set_last_error(platform::kErrorHandleEof);
      report_write_failure(destination_, kPerFileWrite);
      return RangeCopy::kFailed;
    }
    add(length, 0);
    return RangeCopy::kCopied;
  }

  void add_records(uint64_t records) override { add(0, records); }

 private:
  void add(uint64_t bytes, uint64_t records) {
    destination_.bytes_written += bytes;
    destination_.records_written += records;
    bytes_in_file_ += bytes;
    if (counted_row_ != nullptr) counted_row_->record_count += records;
  }

  const paths::SourceEntry& source_;
  paths::DestinationEntry& destination_;
  const CopyRun& run_;
  uint64_t& bytes_in_file_;          // bytes this run wrote into the destination's file so far
  planning::RepeatRow* counted_row_;  // where /W counts this source's records
  bool first_output_ = true;
};

}  // namespace

bool per_file_copy(paths::SourceList& sources, paths::DestinationList& destinations, planning::RepeatTable* repeats,
                   CopyRun& run) {
  if (sources.head == nullptr) return true;
  const uint32_t disposition = paths::disposition_for(destinations.head->ou_value);
  run.detected_code = records::kCodeUndecided;
  std::vector<uint64_t> bytes_in_file;  // by the pair index of each file's first source
  paths::SourceIdentities identities(sources, false);

  size_t pair_index = 0;
  paths::DestinationEntry* d = destinations.head;
  for (paths::SourceEntry* s = sources.head; s != nullptr && d != nullptr;
       s = s->next, d = d->next, ++pair_index) {
    bytes_in_file.push_back(0);
    const bool source_is_file = s->kind == paths::kKindFile;
    if (source_is_file) {
      paths::OpenRequest request = paths::source_request();
      request.path = s->path;
      if (!paths::open_step(request, paths::kPerFileSourceOpen)) return false;
      s->handle = request.handle;
    }
    if (d->kind == paths::kKindFile) {
      ++run.destination_count;
      if (!open_pair_destination(*d, disposition, run.settings.write_through, identities)) return false;
    }
    if (d->kind == paths::kKindFolder && !make_destination_folder(*d)) return false;
    if (source_is_file && d->kind != paths::kKindFile) {
      messages::line(109, 1, "プログラム論理エラー発生");
      return false;
    }
    if (!source_is_file) continue;

    // A repeated source is a later source of its first occurrence's file.
    uint64_t* bytes_in_this_file = &bytes_in_file[pair_index];
    planning::RepeatRow* counted_row = nullptr;
    if (repeats != nullptr && pair_index < repeats->size()) {
      planning::RepeatRow& row = (*repeats)[pair_index];
      const size_t first = static_cast<size_t>(row.first_occurrence);
      const bool repeated = row.repeat_mark != 0 && first < pair_index;
      counted_row = repeated ? &(*repeats)[first] : &row;
      if (repeated) bytes_in_this_file = &bytes_in_file[first];
    }
    SourceRole role;
    role.keeps_mark = !is_repeat(*d);
    role.decides_eof = true;  // a repeat is the same file as its destination's first source
    role.completes_output = true;
    role.oe_value = d->oe_value;
    role.or_value = d->or_value;
    role.read_message = 807;
    role.read_path = s->path;
    PairOutput output(*s, *d, run, *bytes_in_this_file, counted_row);
    const bool copied = copy_source(*s, role, run, output);
    if (!copied || !close_pair(*s, *d)) return false;
  }
  return true;
}

}  // namespace peltrix::engine
