#include "engine/joined_copy.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

#include "engine/test_support.h"
#include "paths/value_flags.h"
#include "records/byte_window.h"
#include "records/end_of_file.h"
#include "records/record_transform.h"
#include "records/windowed_conversion.h"

namespace peltrix::engine {
namespace {

using testing::CopyFixture;
using namespace std::string_literals;

constexpr size_t kBlock = 1048576;

std::string random_bytes(size_t size, unsigned seed, const std::string& alphabet) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = alphabet[random() % alphabet.size()];
  return bytes;
}

// Options of one source and its single destination.
struct Options {
  int32_t il = 0, ip = 0, it = 0, ia = 0, ib = 0, im = 0;
  int32_t or_value = 0, oe = 0;
  int32_t message_type = 0;
};

// What one call over the whole source gives: the output a copy in blocks
// must equal, whatever the block boundaries.
std::pair<std::string, uint64_t> whole_source(const std::string& source, const Options& o, int32_t code) {
  if (source.empty()) return {"", 0};
  const records::ActiveUnits units = records::select_active_units(code, code);
  std::vector<uint8_t> data(source.begin(), source.end());
  data.resize(source.size() + 16, 0);
  uint32_t length = static_cast<uint32_t>(source.size());
  const bool ends = records::ends_with_eof_unit(data.data(), length, units.eof);
  records::strip_eof_unit(data.data(), length, units.eof);
  if (records::output_takes_eof_unit(o.oe, ends)) records::append_eof_unit(data.data(), length, units.eof);

  std::vector<uint8_t> conversion(records::conversion_capacity_for(length));
  records::TransformSettings settings;
  settings.or_value = o.or_value;
  settings.count_records = o.message_type == 3;
  settings.units = units;
  settings.conversion = conversion.data();
  settings.conversion_capacity = conversion.size();
  records::TransformState state;
  state.last_block = true;
  state.window_end = length;
  records::RecordCounters counters{o.il, o.ip};
  records::ByteCounters bytes = records::byte_counters_for(o.it, o.ia, o.ib, o.im);
  const bool record_processing = o.message_type == 3 || o.il || o.ip || o.or_value;
  const bool byte_limits = o.it || o.ia || o.ib || o.im;
  uint32_t t = length;
  if (record_processing && byte_limits) {
    records::window_then_convert(data.data(), length, t, bytes, state, settings);
  } else if (record_processing) {
    records::record_transform(data.data(), length, t, counters, state, settings);
  } else if (byte_limits) {
    records::byte_window(length, t, bytes, state);
  }
  if (t == 0) return {"", 0};
  if (state.rewritten) return {std::string(conversion.begin(), conversion.begin() + t), state.block_record_count};
  return {std::string(data.begin() + state.window_start, data.begin() + state.window_end), state.block_record_count};
}

std::pair<std::string, uint64_t> copied(const std::string& source, const Options& o, int32_t code) {
  CopyFixture copy;
  copy.put("in", source);
  paths::SourceEntry& s = copy.source("in");
  s.il = o.il, s.ip = o.ip, s.it = o.it, s.ia = o.ia, s.ib = o.ib, s.im = o.im, s.ic = code;
  paths::DestinationEntry& d = copy.destination("out");
  d.or_value = o.or_value;
  d.oe_value = o.oe;
  copy.run.settings.message_type = o.message_type;
  copy.choose_units(code, code);
  EXPECT_TRUE(joined_copy(copy.sources, copy.destinations, copy.run));
  return {copy.get("out"), d.records_written};
}

TEST(JoinedCopyTest, ThreeSourcesJoinIntoEveryDestination) {
  CopyFixture copy;
  const std::string a = random_bytes(kBlock + kBlock / 2, 1, "ab\r\n\x1A\0"s) + "x";
  const std::string b = "short\n";
  const std::string c = random_bytes(2 * kBlock + 7, 2, "xyz\n"s);
  copy.put("a", a);
  copy.put("b", b);
  copy.put("c", c);
  copy.source("a");
  copy.source("b");
  copy.source("c");
  paths::DestinationEntry& one = copy.destination("one");
  paths::DestinationEntry& two = copy.destination("two");
  copy.choose_units(0, 0);
  ASSERT_TRUE(joined_copy(copy.sources, copy.destinations, copy.run));
  EXPECT_EQ(copy.get("one"), a + b + c);
  EXPECT_EQ(copy.get("two"), a + b + c);
  EXPECT_EQ(one.bytes_written, (a + b + c).size());
  EXPECT_EQ(two.bytes_written, one.bytes_written);
  EXPECT_EQ(copy.run.destination_count, 2);
}

TEST(JoinedCopyTest, BlocksGiveWhatOneCallOverTheWholeSourceGives) {
  // Sizes around the block boundaries, where records and units straddle them.
  const size_t sizes[] = {1, 1023, kBlock - 1, kBlock, kBlock + 1, kBlock + 1025, 2 * kBlock, 2 * kBlock + 513};
  const Options modes[] = {
      {.message_type = 3}, {.or_value = 1}, {.or_value = 2}, {.il = 7}, {.il = 40000},
      {.ip = 3}, {.ip = 90000}, {.il = 20000, .ip = 20000}, {.it = 1000000, .ib = 100000},
      {.ia = 1, .im = 1}, {.it = 3, .or_value = 2}, {.ib = 1500000, .or_value = 1}, {.or_value = 2, .oe = 2},
  };
  unsigned seed = 10;
  for (size_t size : sizes) {
    const std::string source = "x" + random_bytes(size - 1, ++seed, "abcdefgh\r\n\r\n\x1A"s);
    for (const Options& options : modes) {
      SCOPED_TRACE("size " + std::to_string(size) + " or " + std::to_string(options.or_value) + " il " +
                   std::to_string(options.il) + " ip " + std::to_string(options.ip) + " it " +
                   std::to_string(options.it));
      const auto expected = whole_source(source, options, 0);
      const auto actual = copied(source, options, 0);
      EXPECT_EQ(actual.first.size(), expected.first.size());
      EXPECT_TRUE(actual.first == expected.first);
      EXPECT_EQ(actual.second, expected.second);
    }
  }
}

TEST(JoinedCopyTest, WideUnitsStraddlingTheBoundaryConvertOnce) {
  const std::string text = testing::numbered_lines(120000, "\r\n");
  for (int32_t code : {records::kCodeUtf16Le, records::kCodeUtf16Be, records::kCodeUtf32Le, records::kCodeUtf32Be}) {
    SCOPED_TRACE(code);
    const int width = code <= records::kCodeUtf16Be ? 2 : 4;
    const bool big = code == records::kCodeUtf16Be || code == records::kCodeUtf32Be;
    const std::string source = testing::widen(text, width, big);
    ASSERT_GT(source.size(), 2 * kBlock);
    const auto lf = copied(source, {.or_value = 1}, code);
    EXPECT_TRUE(lf.first == testing::widen(testing::numbered_lines(120000, "\n"), width, big));
    EXPECT_EQ(lf.second, 120000u);
  }
}

TEST(JoinedCopyTest, BlocksFullOfNewlinesDoubleIntoCrLf) {
  for (size_t size : {2 * kBlock, 3 * kBlock}) {
    const std::string source(size, '\n');
    const auto crlf = copied(source, {.or_value = 2}, 0);
    ASSERT_EQ(crlf.first.size(), 2 * size);
    EXPECT_EQ(crlf.first.find_first_not_of("\r\n"), std::string::npos);
    EXPECT_EQ(crlf.first.find("\n\n"), std::string::npos);
    EXPECT_EQ(crlf.second, size);
  }
}

TEST(JoinedCopyTest, LaterSourcesLoseTheirMarkAndTheOutputGetsOne) {
  const std::string bom = "\xEF\xBB\xBF";
  CopyFixture copy;
  copy.put("a", bom + "first\r\n");
  // A later source whose first block is full: the mark is cut, and a CR LF
  // that straddles the block boundary is still converted once.
  std::string big = bom + std::string(kBlock - 4, 'y') + "\r\n" + "tail\r\n";
  copy.put("b", big);
  copy.put("c", bom);
  copy.source("a").ic = 0;
  copy.source("b");
  copy.source("c");
  paths::DestinationEntry& out = copy.destination("out");
  out.or_value = 1;
  copy.choose_units(records::kCodeUtf8, 0);
  ASSERT_TRUE(joined_copy(copy.sources, copy.destinations, copy.run));
  EXPECT_TRUE(copy.get("out") == bom + "first\n" + std::string(kBlock - 4, 'y') + "\ntail\n");
  EXPECT_EQ(out.records_written, 3u);
}

TEST(JoinedCopyTest, MarkStepRunsOnceForTheWholeOutput) {
  CopyFixture copy;
  copy.put("a", "a\n");
  copy.put("b", "b\n");
  copy.put("c", "c\n");
  copy.source("a");
  copy.source("b");
  copy.source("c");
  copy.destination("one").oj_value = 1;
  copy.destination("two").oj_value = 1;
  copy.choose_units(0, 0);
  ASSERT_TRUE(joined_copy(copy.sources, copy.destinations, copy.run));
  EXPECT_EQ(copy.get("one"), "\xEF\xBB\xBF" "a\nb\nc\n");
  EXPECT_EQ(copy.get("two"), "\xEF\xBB\xBF" "a\nb\nc\n");

  // A skip that drops the first record puts the sources' mark back, once.
  CopyFixture skip;
  skip.put("a", "\xFF\xFE" "h\0\n\0x\0\n\0"s);
  skip.put("b", "\xFF\xFE" "h\0\n\0y\0\n\0"s);
  skip.source("a").il = 1;
  skip.source("b").il = 1;
  skip.destination("out");
  skip.choose_units(records::kCodeUtf16Le, 0);
  ASSERT_TRUE(joined_copy(skip.sources, skip.destinations, skip.run));
  EXPECT_EQ(skip.get("out"), "\xFF\xFE" "x\0\n\0y\0\n\0"s);
}

TEST(JoinedCopyTest, EndOfFileCharacterFollowsTheFirstSourceAndTheSetting) {
  struct Case {
    int32_t oe;
    std::string first;
    std::string last;
    std::string expected;
  };
  const Case cases[] = {
      {0, "a\x1A", "b", "ab\x1A"}, {0, "a", "b\x1A", "ab"},   {3, "a\x1A", "b\x1A", "ab\x1A"},
      {1, "a\x1A", "b\x1A", "ab"}, {2, "a", "b", "ab\x1A"},    {2, "a", "", "a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.oe);
    CopyFixture copy;
    copy.put("a", c.first);
    copy.put("b", c.last);
    copy.source("a");
    copy.source("b");
    copy.destination("out").oe_value = c.oe;
    copy.choose_units(0, 0);
    ASSERT_TRUE(joined_copy(copy.sources, copy.destinations, copy.run));
    EXPECT_EQ(copy.get("out"), c.expected);
  }
  // In UTF-16 the unit is two bytes, removed and put back whole.
  CopyFixture wide;
  wide.put("a", "a\0\x1A\0"s);
  wide.source("a").ic = 4;
  wide.destination("out");
  wide.choose_units(records::kCodeUndecided, 4);
  ASSERT_TRUE(joined_copy(wide.sources, wide.destinations, wide.run));
  EXPECT_EQ(wide.get("out"), "a\0\x1A\0"s);
}

TEST(JoinedCopyTest, AppendingReplacesATrailingEndOfFileUnitWhole) {
  CopyFixture copy;
  copy.put("a", "new\n");
  copy.put("old", "old\n\x1A");
  copy.put("kept", "old");
  copy.source("a");
  copy.destination("old").ou_value = 3;
  copy.destination("kept").ou_value = 3;
  copy.choose_units(0, 0);
  ASSERT_TRUE(joined_copy(copy.sources, copy.destinations, copy.run));
  EXPECT_EQ(copy.get("old"), "old\nnew\n");
  EXPECT_EQ(copy.get("kept"), "oldnew\n");

  // UTF-16: a trailing 1A 00 is replaced, a lone byte 1A of another unit is not.
  CopyFixture wide;
  wide.put("a", "b\0"s);
  wide.put("unit", "a\0\x1A\0"s);
  wide.put("half", "\x1A\x30"s);
  wide.source("a").ic = 4;
  wide.destination("unit").ou_value = 3;
  wide.destination("half").ou_value = 3;
  wide.choose_units(records::kCodeUndecided, 4);
  ASSERT_TRUE(joined_copy(wide.sources, wide.destinations, wide.run));
  EXPECT_EQ(wide.get("unit"), "a\0b\0"s);
  EXPECT_EQ(wide.get("half"), "\x1A\x30" "b\0"s);

  // Plain bytes follow the existing bytes whatever they are.
  CopyFixture plain;
  plain.put("a", "z");
  plain.put("old", "x\x1A");
  plain.source("a").iy = 2;
  plain.destination("old").ou_value = 3;
  plain.choose_units(0, 0);
  ASSERT_TRUE(joined_copy(plain.sources, plain.destinations, plain.run));
  EXPECT_EQ(plain.get("old"), "x\x1Az");
}

TEST(JoinedCopyTest, InPlaceCopyReadsTheBackupAndDeletesItUnlessKept) {
  for (int32_t iu : {0, 1}) {
    SCOPED_TRACE(iu);
    CopyFixture copy;
    copy.put("data.txt", "a\r\nb\r\n");
    paths::SourceEntry& s = copy.source("data.txt");
    const std::string backup = copy.at("data_20261206_0001.txt");
    s.backup_path = backup.c_str();
    s.flags = paths::value_flag::kInPlace;
    s.iu = iu;
    paths::DestinationEntry& d = copy.destination("data.txt");
    d.ou_value = 2;
    d.or_value = 1;
    copy.choose_units(0, 0);
    ASSERT_TRUE(joined_copy(copy.sources, copy.destinations, copy.run));
    EXPECT_EQ(copy.get("data.txt"), "a\nb\n");
    EXPECT_EQ(std::filesystem::exists(backup), iu == 1);
    if (iu == 1) {
      EXPECT_EQ(copy.get("data_20261206_0001.txt"), "a\r\nb\r\n");
    }
  }
}

TEST(JoinedCopyTest, ASourceWhosePlannedSizeIsStaleIsCopiedAsItIsNow) {
  CopyFixture copy;
  const std::string source = std::string(kBlock, 'q') + "end\n\x1A";
  copy.put("a", source);
  copy.source("a").size = 10;  // recorded before the file grew
  copy.destination("out").or_value = 2;
  copy.choose_units(0, 0);
  ASSERT_TRUE(joined_copy(copy.sources, copy.destinations, copy.run));
  EXPECT_TRUE(copy.get("out") == std::string(kBlock, 'q') + "end\r\n\x1A");
}

}  // namespace
}  // namespace peltrix::engine
