#include "driver/completion_report.h"

#include <string>

#include <gtest/gtest.h>

#include "support/files.h"

namespace peltrix::driver {
namespace {

testing::Printed report(const ReportInputs& inputs) {
  return testing::printed([&] { print_completion_report(inputs); });
}

model::DestinationEntry& file(model::DestinationList& list, const char* path, uint64_t bytes, uint64_t records) {
  model::DestinationEntry& d = list.entries.emplace_back();
  d.path = path;
  d.bytes_written = bytes;
  d.records_written = records;
  return d;
}

TEST(CompletionReportTest, NothingWithoutMessageTypeUnlessASkipEmptiedTheOutput) {
  model::DestinationList list;
  model::DestinationEntry& out = file(list, "/o", 5, 1);
  EXPECT_EQ(report({.destinations = &list, .zero_record = true}).out, "");

  out.bytes_written = 0;
  EXPECT_EQ(report({.destinations = &list, .zero_record = true, .zero_byte = true}).out,
            "I001-1 次が成り立つため，コピー先への出力レコード件数は0件となります。\n"
            "I001-2 スキップレコード件数 ＞＝ コピー元のレコード件数\n"
            "I001-3 次が成り立つため，コピー先への出力は0バイトとなります。\n"
            "I001-4 スキップバイト数 ＞＝ コピー元のバイト数\n");
  const testing::Printed counted = report({.destinations = &list, .zero_record = true, .report = model::Report::kCounts,
                                   .file_count = 2, .destination_count = 1});
  EXPECT_EQ(counted.out,
            "I001-1 次が成り立つため，コピー先への出力レコード件数は0件となります。\n"
            "I001-2 スキップレコード件数 ＞＝ コピー元のレコード件数\n"
            "I001-3 コピー元2個，コピー先1個のファイルのコピーが完了しました。\n");
}

TEST(CompletionReportTest, DestinationLinesShareOneLineNumberAndTakeNineteenDigitsPast32Bits) {
  model::DestinationList list;
  file(list, "/a.txt", 1, 0x80000000ull);
  file(list, "/b.txt", 1, 0x100000000ull);
  EXPECT_EQ(report({.destinations = &list, .report = model::Report::kRecords, .file_count = 3, .destination_count = 2}).out,
            "I001-1 コピー元3個，コピー先2個のファイルのコピーが完了しました。\n"
            "I001-2 0001 2147483648 /a.txt\n"
            "I001-2 0002 0000000004294967296 /b.txt\n");
}

}  // namespace
}  // namespace peltrix::driver
