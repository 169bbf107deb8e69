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
