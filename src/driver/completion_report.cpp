#include "driver/completion_report.h"

#include "messages/messages.h"

namespace peltrix::driver {

namespace {

// One destination line: it names the destination, and adds its record
// count where the report asks for records, in 19 digits when the count
// needs more than 32 bits.
void print_destination(messages::Stream stream, int line, int ordinal, model::Report report, uint64_t records,
                       const char* name) {
  if (report != model::Report::kRecords) {
    messages::print(stream, "I001-%d %04d %s\n", line, ordinal, name);
  } else if ((records >> 32) != 0) {
    messages::print(stream, "I001-%d %04d %019lld %s\n", line, ordinal, static_cast<long long>(records), name);
  } else {
    messages::print(stream, "I001-%d %04d %010lld %s\n", line, ordinal, static_cast<long long>(records), name);
  }
}

// The first destination, or the /OD folder record of a run that made none.
const model::DestinationEntry* first_destination(const model::DestinationList* destinations) {
  if (destinations == nullptr) return nullptr;
  return destinations->entries.empty() ? destinations->folder_record.get() : &destinations->entries.front();
}

}  // namespace

void print_completion_report(const ReportInputs& in) {
  const messages::Stream stream = in.data_on_stdout ? messages::Stream::kErr : messages::Stream::kOut;
  int line = 1;
  const model::DestinationEntry* first = first_destination(in.destinations);
  if (first != nullptr && first->bytes_written == 0) {
    if (in.zero_record) {
      messages::print(stream, "I001-%d 次が成り立つため，コピー先への出力レコード件数は0件となります。\n", line);
      messages::print(stream, "I001-%d スキップレコード件数 ＞＝ コピー元のレコード件数\n", line + 1);
      line += 2;
    }
    if (in.zero_byte) {
      messages::print(stream, "I001-%d 次が成り立つため，コピー先への出力は0バイトとなります。\n", line);
      messages::print(stream, "I001-%d スキップバイト数 ＞＝ コピー元のバイト数\n", line + 1);
      line += 2;
    }
  }
  if (in.report == model::Report::kNone) return;

  const bool by_distinct_source = in.by_distinct_source;
  const int32_t sources = by_distinct_source ? in.distinct_source_count : in.file_count;
  const int32_t destinations = by_distinct_source ? in.distinct_source_count : in.destination_count;
  messages::print(stream, "I001-%d コピー元%d個，コピー先%d個のファイルのコピーが完了しました。\n", line, sources,
                  destinations);
  if (in.report == model::Report::kCounts || in.destinations == nullptr) return;

  const int destination_line = line + 1;
  int ordinal = 0;
  for (size_t row = 0; row < in.destinations->entries.size(); ++row) {
    const model::DestinationEntry& d = in.destinations->entries[row];
    uint64_t records = d.records_written;
    if (by_distinct_source && in.repeats != nullptr && row < in.repeats->size()) {
      const model::RepeatRow& repeat = (*in.repeats)[row];
      if (repeat.is_repeat()) continue;
      records = repeat.record_count;
    }
    if (d.kind == model::EntryKind::kFile) {
      print_destination(stream, destination_line, ++ordinal, in.report, records, d.path);
    } else if (d.kind == model::EntryKind::kStdout) {
      ordinal = 1;
      print_destination(stream, destination_line, ordinal, in.report, records, "STDOUT");
    }
  }
}

}  // namespace peltrix::driver
