#include "engine/destination_output.h"

#include "engine/append_positioning.h"
#include "paths/value_flags.h"
#include "platform/platform.h"

namespace peltrix::engine {

namespace {

platform::FileHandle target_of(const model::DestinationEntry& d) {
  return d.kind == model::EntryKind::kStdout ? platform::stdout_handle() : d.handle;
}

// Prints the write failure of d under code with the system-error lines of
// error.
bool report_write_failure(const model::DestinationEntry& d, messages::WriteCode code, uint32_t error) {
  if (error == platform::kErrorOperationAborted) return false;  // the run was asked to stop: no fault to report
  messages::write_failure(code, d.kind == model::EntryKind::kStdout ? "STDOUT" : d.path, error);
  return false;
}

// Writes all length bytes, retrying partial writes until every byte is
// written or the system reports an error.
bool write_all(const model::DestinationEntry& d, const uint8_t* data, uint32_t length, messages::WriteCode code) {
  while (length > 0) {
    uint32_t written = 0;
    const bool ok = d.kind == model::EntryKind::kStdout ? platform::write_stdout(data, length, &written)
                                                 : platform::write_file(d.handle, data, length, &written);
    if (!ok) return report_write_failure(d, code, platform::last_error());
    // A write that makes no progress would never end: the disk is full.
    if (written == 0) return report_write_failure(d, code, platform::kErrorDiskFull);
    data += written;
    length -= written;
  }
  return true;
}

// Whether bytes of a source at source_offset would land at the same place
// within a page of target, at its current position (set in position): only
// then does copy_range copy between them without a slow path.
bool same_offset_in_page(platform::FileHandle target, int64_t source_offset, int64_t& position) {
  if (!platform::seek_file(target, 0, platform::SeekFrom::kCurrent, &position)) return false;
  return (source_offset - position) % static_cast<int64_t>(platform::kPageSize) == 0;
}

bool appends(const model::DestinationEntry& d) {
  return d.kind == model::EntryKind::kFile &&
         (d.existing == model::Existing::kAppend || (d.flags & paths::value_flag::kRepeat) != 0);
}

}  // namespace

template <typename Each>
bool DestinationOutput::for_each_destination(Each&& each) {
  for (auto d = plan_.first; d != plan_.end; ++d) {
    if (!each(*d)) return false;
  }
  return true;
}

void DestinationOutput::count(model::DestinationEntry& d, uint64_t bytes, uint64_t records) {
  d.bytes_written += bytes;
  d.records_written += records;
  if (plan_.bytes_in_file != nullptr) *plan_.bytes_in_file += bytes;
  if (plan_.counted_row != nullptr) plan_.counted_row->record_count += records;
}

// Appending starts behind what the file holds, or on its trailing
// end-of-file unit; output that follows contents gets no mark of its own.
bool DestinationOutput::begin_appending(const model::DestinationEntry& d, bool& follows_contents) {
  if (!position_for_append(d, run_.marks.units.eof, source_->settings.plain_bytes)) return false;
  int64_t position = 0;
  follows_contents = platform::seek_file(d.handle, 0, platform::SeekFrom::kCurrent, &position) && position > 0;
  return true;
}

bool DestinationOutput::write_edited(model::DestinationEntry& d, const uint8_t* data, uint32_t length,
                                     const records::BomEdit& edit, uint64_t records) {
  const uint32_t kept = length - edit.drop_length;
  if (!write_all(d, edit.prefix, edit.prefix_length, plan_.write_code)) return false;
  if (!write_all(d, data + edit.drop_length, kept, plan_.write_code)) return false;
  count(d, edit.prefix_length + kept, records);
  return true;
}

bool DestinationOutput::write(const uint8_t* data, uint32_t length, uint64_t records) {
  records::BomEdit edit;
  const bool file_empty_so_far = plan_.bytes_in_file == nullptr || *plan_.bytes_in_file == 0;
  const int32_t detected = run_.marks.detected_code;
  if (first_output_ && file_empty_so_far) {
    const model::SourceSettings& settings = source_->settings;
    edit = records::plan_bom_edit(data, length, {plan_.mark, settings.skips_records(), settings.plain_bytes, detected});
  }
  const records::BomEdit behind_contents = records::edit_for_appending(data, length, detected);
  const bool first = first_output_;
  first_output_ = false;
  return for_each_destination([&](model::DestinationEntry& d) {
    bool follows = false;
    if (first && appends(d) && !begin_appending(d, follows)) return false;
    return write_edited(d, data, length, follows ? behind_contents : edit, records);
  });
}

void DestinationOutput::add_records(uint64_t records) {
  for_each_destination([&](model::DestinationEntry& d) {
    count(d, 0, records);
    return true;
  });
}

// The other destinations take their bytes from the first one, not from the
// source again: a source that changes meanwhile cannot make them differ.
bool DestinationOutput::relay(model::DestinationEntry& d, const model::DestinationEntry& first, int64_t from,
                              uint64_t length) {
  uint8_t* const buffer = run_.buffers->relay;
  while (length > 0) {
    const auto piece = static_cast<uint32_t>(length < kBlockLength ? length : kBlockLength);
    uint32_t read = 0;
    if (!platform::read_file_at(first.handle, from, buffer, piece, &read) || read != piece) {
      messages::read_failure(role_->read_code, first.path,
                             read != piece ? platform::kErrorHandleEof : platform::last_error());
      return false;
    }
    if (!write_all(d, buffer, piece, plan_.write_code)) return false;
    count(d, piece, 0);
    from += piece;
    length -= piece;
  }
  return true;
}

bool DestinationOutput::copy_same(model::DestinationEntry& d, const model::DestinationEntry& first, int64_t from,
                                  uint64_t length) {
  int64_t position = 0;
  if (!same_offset_in_page(target_of(d), from, position)) return relay(d, first, from, length);
  const int64_t copied = platform::copy_range(first.handle, from, target_of(d), length);
  if (copied < 0 && platform::last_error() == platform::kErrorNotSupported) return relay(d, first, from, length);
  if (copied < 0) return report_write_failure(d, plan_.write_code, platform::last_error());
  count(d, static_cast<uint64_t>(copied), 0);
  run_.fast_paths.ranges_copied_bytes += static_cast<uint64_t>(copied);
  if (static_cast<uint64_t>(copied) == length) return true;
  return relay(d, first, from + copied, length - static_cast<uint64_t>(copied));
}

OutputSink::RangeCopy DestinationOutput::copy_range(const model::SourceEntry& source, int64_t offset,
                                                    uint64_t length, uint64_t& copied) {
  model::DestinationEntry& first = *plan_.first;
  int64_t first_at = 0;
  if (!same_offset_in_page(target_of(first), offset, first_at)) return RangeCopy::kUnsupported;
  copied_place_ = {target_of(first), first_at, first.kind == model::EntryKind::kStdout ? "STDOUT" : first.path};
  const int64_t result = platform::copy_range(source.handle, offset, target_of(first), length);
  if (result < 0) {
    if (platform::last_error() == platform::kErrorNotSupported) return RangeCopy::kUnsupported;
    report_write_failure(first, plan_.write_code, platform::last_error());
    return RangeCopy::kFailed;
  }
  // Fewer bytes than asked: the source has become shorter while it is held.
  copied = static_cast<uint64_t>(result);
  count(first, copied, 0);
  run_.fast_paths.ranges_copied_bytes += copied;
  for (auto d = std::next(plan_.first); d != plan_.end; ++d) {
    if (!copy_same(*d, first, first_at, copied)) return RangeCopy::kFailed;
  }
  return RangeCopy::kCopied;
}

}  // namespace peltrix::engine
