#include "engine/joined_copy.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

#include "engine/engine_test_support.h"
#include "platform/platform.h"
#include "records/record_test_reference.h"

namespace peltrix::engine {
namespace {

using records::Newlines;
using records::testing::Case;
using testing::CopyFixture;
using namespace std::string_literals;

constexpr size_t kBlock = kBlockLength;

// Which way through the system the largest source must have gone.
enum class Path { kAny, kSystemCopy, kCountedBeside, kWrittenBehind };

TEST(JoinedCopyTest, EverySizeAroundTheBlocksAndEveryModeGiveWhatTheReferenceGives) {
  struct Row {
    Case c;
    Path path;
  };
  const Row rows[] = {
      {{}, Path::kSystemCopy},
      {{.count = true}, Path::kCountedBeside},
      {{.code = records::kCodeUtf16Le, .count = true}, Path::kCountedBeside},
      {{.newlines = Newlines::kToLf}, Path::kAny},
      {{.newlines = Newlines::kToCrLf}, Path::kAny},
      {{.skip = 40000, .limit = 20000}, Path::kAny},
      {{.limit = 90000}, Path::kAny},
      {{.byte_skip = 1000}, Path::kWrittenBehind},
      {{.byte_skip = 1000000, .byte_limit = 100000}, Path::kAny},
      {{.newlines = Newlines::kToCrLf, .byte_skip = 3}, Path::kAny},
      {{.newlines = Newlines::kToLf, .byte_limit = 1500000}, Path::kAny},
      {{.end_of_file = records::EndOfFile::kNever}, Path::kSystemCopy},
      {{.count = true, .end_of_file = records::EndOfFile::kAlways}, Path::kAny},
  };
  const size_t sizes[] = {kBlock, 2 * kBlock, 3 * kBlock};  // sources of whole blocks
  std::mt19937 random(16);
  for (size_t size : sizes) {
    std::string source(size, '\x1A');  // ends with the end-of-file unit of every code
    for (size_t i = 0; i + 4 < size; ++i) source[i] = "ab\r\n\r\n\0\0\x1A"[random() % 9];
    for (const Row& row : rows) {
      const Case& c = row.c;
      SCOPED_TRACE("size " + std::to_string(size) + " row " + std::to_string(&row - rows));
      CopyFixture copy;
      copy.put("in", source);
      model::SourceEntry& s = copy.source("in");
      s.settings = {.input_code = c.code, .records_to_skip = c.skip, .record_limit = c.limit,
                    .bytes_to_skip = c.byte_skip, .byte_limit = c.byte_limit};
      model::DestinationEntry& d = copy.destination("out");
      d.newlines = c.newlines;
      d.end_of_file = c.end_of_file;
      copy.run.settings.count_records = c.count;
      ASSERT_TRUE(copy.judge_marks());
      ASSERT_TRUE(joined_copy(copy.sources, copy.destinations, copy.run));
      const records::testing::Result expected = records::testing::Reference(c)(source);
      EXPECT_TRUE(peltrix::testing::same_bytes(expected.bytes, copy.get("out")));
      EXPECT_EQ(c.count ? d.records_written : 0, c.count ? expected.records : 0);
      EXPECT_EQ(copy.run.zero_record, expected.zero_record);
      EXPECT_EQ(copy.run.zero_byte, expected.zero_byte);
      const FastPathCounts& took = copy.run.fast_paths;
      // Where the system copies nothing inside itself, the blocks are read
      // (and written behind where no record is counted).
      const uint64_t behind = took.blocks_written_behind;
      const uint64_t went[] = {1, platform::kSystemCopies ? took.ranges_copied_bytes : behind,
                               platform::kSystemCopies ? took.blocks_counted_beside : 1, behind};
      EXPECT_TRUE(size < 3 * kBlock || went[static_cast<int>(row.path)] > 0);
    }
  }
}

TEST(JoinedCopyTest, LaterSourcesLoseTheirMarkOnlyWhereTheyBegin) {
  const std::string bom = "\xEF\xBB\xBF";
  // Later blocks of b begin with the mark bytes: they are data.
  std::string b = bom + std::string(2 * kBlock + 10, 'y');
  b.replace(kBlock, 3, bom);
  b.replace(2 * kBlock, 3, bom);
  CopyFixture copy;
  copy.put("empty", "");
  copy.put("a", bom + "first\r\n");
  copy.put("b", b);
  copy.put("c", bom);
  copy.source("empty");
  copy.source("a");
  copy.source("b");
  copy.source("c");
  copy.source("folder", model::EntryKind::kFolder);  // /S: folders may follow the last file
  copy.destination("out").end_of_file = records::EndOfFile::kAlways;
  ASSERT_TRUE(copy.judge_marks());
  ASSERT_TRUE(joined_copy(copy.sources, copy.destinations, copy.run));
  EXPECT_TRUE(peltrix::testing::same_bytes(bom + "first\r\n" + b.substr(3) + "\x1A", copy.get("out")));
}

}  // namespace
}  // namespace peltrix::engine
