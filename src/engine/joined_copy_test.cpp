#include "engine/joined_copy.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

#include "engine/test_support.h"
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
  if (records::output_takes_eof_unit(records::end_of_file_for(o.oe), ends)) records::append_eof_unit(data.data(), length, units.eof);

  std::vector<uint8_t> conversion(records::conversion_capacity_for(length));
  records::TransformSettings settings;
  settings.newlines = records::newlines_for(o.or_value);
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
  d.newlines = records::newlines_for(o.or_value);
  d.end_of_file = records::end_of_file_for(o.oe);
  copy.run.settings.count_records = o.message_type == 3;
  copy.choose_units(code, code);
  EXPECT_TRUE(joined_copy(copy.sources, copy.destinations, copy.run));
  return {copy.get("out"), d.records_written};
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
    // Appended, not literal + temporary: GCC 12 takes that for overlapping copies (-Wrestrict).
    std::string source = "x";
    source += random_bytes(size - 1, ++seed, "abcdefgh\r\n\r\n\x1A"s);
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

TEST(JoinedCopyTest, RecordsCountedBesideTheSystemsCopyMatchOnePass) {
  // Long enough for a stretch of blocks that the system copies while a
  // second thread counts them; units straddle the block boundaries and stand
  // off their alignment in every width.
  const size_t sizes[] = {3 * kBlock + 1, 4 * kBlock + 1030};
  const int32_t codes[] = {records::kCodeNone, records::kCodeUtf16Le, records::kCodeUtf32Be};
  unsigned seed = 70;
  for (size_t size : sizes) {
    for (int32_t code : codes) {
      SCOPED_TRACE("size " + std::to_string(size) + " code " + std::to_string(code));
      const std::string source = "xxxx" + random_bytes(size - 4, ++seed, "ab\n\n\0\0\r\x1A"s);
      const auto expected = whole_source(source, {.message_type = 3}, code);
      const auto actual = copied(source, {.message_type = 3}, code);
      EXPECT_TRUE(actual.first == expected.first);
      EXPECT_EQ(actual.second, expected.second);
    }
  }

  // A later source whose mark is cut, placed so that the rest of it still
  // stands alike with the output: the system copies it while it is counted.
  const std::string bom = "\xEF\xBB\xBF";
  const std::string lines = testing::numbered_lines(200000, "\n");
  CopyFixture copy;
  copy.put("a", bom + std::string(4095, 'a') + "\n");
  copy.put("b", bom + lines);
  copy.source("a");
  copy.source("b");
  paths::DestinationEntry& out = copy.destination("out");
  copy.run.settings.count_records = true;
  copy.choose_units(records::kCodeUtf8, 0);
  ASSERT_TRUE(joined_copy(copy.sources, copy.destinations, copy.run));
  EXPECT_TRUE(copy.get("out") == bom + std::string(4095, 'a') + "\n" + lines);
  EXPECT_EQ(out.records_written, 200001u);
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
  out.newlines = records::Newlines::kToLf;
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
  copy.destination("one").mark = records::mark_for(1);
  copy.destination("two").mark = records::mark_for(1);
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

TEST(JoinedCopyTest, AppendingReplacesATrailingEndOfFileUnitWhole) {
  CopyFixture copy;
  copy.put("a", "new\n");
  copy.put("old", "old\n\x1A");
  copy.put("kept", "old");
  copy.source("a");
  copy.destination("old").existing = paths::Existing::kAppend;
  copy.destination("kept").existing = paths::Existing::kAppend;
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
  wide.destination("unit").existing = paths::Existing::kAppend;
  wide.destination("half").existing = paths::Existing::kAppend;
  wide.choose_units(records::kCodeUndecided, 4);
  ASSERT_TRUE(joined_copy(wide.sources, wide.destinations, wide.run));
  EXPECT_EQ(wide.get("unit"), "a\0b\0"s);
  EXPECT_EQ(wide.get("half"), "\x1A\x30" "b\0"s);

  // Plain bytes follow the existing bytes whatever they are.
  CopyFixture plain;
  plain.put("a", "z");
  plain.put("old", "x\x1A");
  plain.source("a").plain_bytes = true;
  plain.destination("old").existing = paths::Existing::kAppend;
  plain.choose_units(0, 0);
  ASSERT_TRUE(joined_copy(plain.sources, plain.destinations, plain.run));
  EXPECT_EQ(plain.get("old"), "x\x1Az");
}

TEST(JoinedCopyTest, ASourceWhosePlannedSizeIsStaleIsCopiedAsItIsNow) {
  CopyFixture copy;
  const std::string source = std::string(kBlock, 'q') + "end\n\x1A";
  copy.put("a", source);
  copy.source("a").size = 10;  // recorded before the file grew
  copy.destination("out").newlines = records::Newlines::kToCrLf;
  copy.choose_units(0, 0);
  ASSERT_TRUE(joined_copy(copy.sources, copy.destinations, copy.run));
  EXPECT_TRUE(copy.get("out") == std::string(kBlock, 'q') + "end\r\n\x1A");
}

TEST(JoinedCopyTest, EachWayOfCopyingRunsWhereItShouldAndGivesTheSameBytes) {
  const std::string source = testing::numbered_lines(400000, "\n").substr(0, 3 * kBlock + 5);
  struct Case {
    const char* name;
    Options options;
    bool appending_second;  // a second destination that appends behind one byte: it cannot stand alike
    FastPathCounts expected;
  };
  const Case cases[] = {
      {"plain", {}, false, {.system_copied_bytes = 2 * kBlock, .blocks_written_behind = 1}},
      {"counted", {.message_type = 3}, false, {.system_copied_bytes = 2 * kBlock, .blocks_counted_beside = 2}},
      {"window off the pages", {.it = 1000}, false, {.blocks_written_behind = 3, .system_copy_refusals = 1}},
      {"converted", {.or_value = 2}, false, {}},
      {"relayed", {}, true,
       {.system_copied_bytes = 2 * kBlock, .relayed_bytes = 2 * kBlock, .blocks_written_behind = 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CopyFixture copy;
    copy.put("in", source);
    paths::SourceEntry& s = copy.source("in");
    s.it = c.options.it;
    copy.destination("out").newlines = records::newlines_for(c.options.or_value);
    if (c.appending_second) {
      copy.put("second", "x");
      copy.destination("second").existing = paths::Existing::kAppend;
    }
    copy.run.settings.count_records = c.options.message_type == 3;
    copy.choose_units(0, 0);
    ASSERT_TRUE(joined_copy(copy.sources, copy.destinations, copy.run));
    EXPECT_TRUE(copy.get("out") == whole_source(source, c.options, 0).first);
    if (c.appending_second) {
      EXPECT_TRUE(copy.get("second") == "x" + source);
    }
    const FastPathCounts& took = copy.run.fast_paths;
    EXPECT_EQ(took.system_copied_bytes, c.expected.system_copied_bytes);
    EXPECT_EQ(took.relayed_bytes, c.expected.relayed_bytes);
    EXPECT_EQ(took.blocks_counted_beside, c.expected.blocks_counted_beside);
    EXPECT_EQ(took.blocks_written_behind, c.expected.blocks_written_behind);
    EXPECT_EQ(took.system_copy_refusals, c.expected.system_copy_refusals);
  }
}

TEST(JoinedCopyTest, TheClosingUnitIsJudgedOnlyWhereTheLastBlockHoldsItWhole) {
  // UTF-16 of odd length: its 1A 00 straddles the block boundary, so the
  // last block (one byte) holds no whole unit, whatever the loop.
  const std::string source = "\x01" + testing::widen(std::string(kBlock / 2 - 2, 'y') + "\n", 2, false) + "\x1A\0"s;
  ASSERT_EQ(source.size(), kBlock + 1);
  for (const Options& options : {Options{.oe = 1}, Options{.oe = 1, .message_type = 3}}) {
    CopyFixture copy;
    copy.put("in", source);
    copy.source("in").ic = 4;
    paths::DestinationEntry& d = copy.destination("out");
    d.end_of_file = records::end_of_file_for(options.oe);
    copy.run.settings.count_records = options.message_type == 3;
    copy.choose_units(records::kCodeUndecided, 4);
    ASSERT_TRUE(joined_copy(copy.sources, copy.destinations, copy.run));
    EXPECT_TRUE(copy.get("out") == source);
  }
}

}  // namespace
}  // namespace peltrix::engine
