#include "driver/completion_report.h"

#include <string>

#include <gtest/gtest.h>

namespace peltrix::driver {
namespace {

struct Captured {
  std::string out;
  std::string err;
};

Captured report(const ReportInputs& inputs) {
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  print_completion_report(inputs);
  Captured c;
  c.out = ::testing::internal::GetCapturedStdout();
  c.err = ::testing::internal::GetCapturedStderr();
  return c;
}

paths::DestinationEntry file(const char* path, uint64_t bytes, uint64_t records) {
  paths::DestinationEntry d;
  d.kind = paths::kKindFile;
  d.path = path;
  d.bytes_written = bytes;
  d.records_written = records;
  return d;
}

TEST(CompletionReportTest, NothingWithoutMessageTypeUnlessASkipEmptiedTheOutput) {
  paths::DestinationEntry out = file("/o", 5, 1);
  EXPECT_EQ(report({.first_destination = &out, .zero_record = true}).out, "");

  out.bytes_written = 0;
  EXPECT_EQ(report({.first_destination = &out, .zero_record = true, .zero_byte = true}).out,
            "I001-1 次が成り立つため，コピー先への出力レコード件数は0件となります。\n"
            "I001-2 スキップレコード件数 ＞＝ コピー元のレコード件数\n"
            "I001-3 次が成り立つため，コピー先への出力は0バイトとなります。\n"
            "I001-4 スキップバイト数 ＞＝ コピー元のバイト数\n");
  const Captured counted = report({.first_destination = &out, .zero_record = true, .message_type = 1,
                                   .file_count = 2, .destination_count = 1});
  EXPECT_EQ(counted.out,
            "I001-1 次が成り立つため，コピー先への出力レコード件数は0件となります。\n"
            "I001-2 スキップレコード件数 ＞＝ コピー元のレコード件数\n"
            "I001-3 コピー元2個，コピー先1個のファイルのコピーが完了しました。\n");
}

TEST(CompletionReportTest, DestinationLinesShareOneLineNumber) {
  paths::DestinationEntry a = file("/a.txt", 1, 42);
  paths::DestinationEntry b = file("/b.txt", 1, 0x100000000ull);
  a.next = &b;
  EXPECT_EQ(report({.first_destination = &a, .message_type = 2, .file_count = 3, .destination_count = 2}).out,
            "I001-1 コピー元3個，コピー先2個のファイルのコピーが完了しました。\n"
            "I001-2 0001 /a.txt\n"
            "I001-2 0002 /b.txt\n");
  EXPECT_EQ(report({.first_destination = &a, .message_type = 3, .file_count = 3, .destination_count = 2}).out,
            "I001-1 コピー元3個，コピー先2個のファイルのコピーが完了しました。\n"
            "I001-2 0001 0000000042 /a.txt\n"
            "I001-2 0002 0000000004294967296 /b.txt\n");
}

TEST(CompletionReportTest, StandardOutputReportGoesToStandardError) {
  paths::DestinationEntry out;
  out.kind = paths::kKindStdout;
  out.bytes_written = 3;
  out.records_written = 7;
  const Captured c = report({.data_on_stdout = true, .first_destination = &out, .message_type = 3,
                             .file_count = 1, .destination_count = 1});
  EXPECT_EQ(c.out, "");
  EXPECT_EQ(c.err,
            "I001-1 コピー元1個，コピー先1個のファイルのコピーが完了しました。\n"
            "I001-2 0001 0000000007 STDOUT\n");
}

TEST(CompletionReportTest, RepeatedSourcesCountOnceWithTheirRecordsAdded) {
  paths::DestinationEntry a = file("/o/a.txt", 1, 2);
  paths::DestinationEntry folder;
  folder.kind = paths::kKindFolder;
  paths::DestinationEntry again = file("/o/a.txt", 1, 2);
  a.next = &folder;
  folder.next = &again;
  planning::RepeatTable repeats(3);
  repeats[0].record_count = 4;
  repeats[2].repeat_mark = planning::kRepeatMark;
  EXPECT_EQ(report({.first_destination = &a, .message_type = 3, .file_count = 2, .destination_count = 2,
                    .distinct_source_count = 1, .repeats = &repeats, .repeats_allowed = true, .per_file = true})
                .out,
            "I001-1 コピー元1個，コピー先1個のファイルのコピーが完了しました。\n"
            "I001-2 0001 0000000004 /o/a.txt\n");
}

}  // namespace
}  // namespace peltrix::driver
