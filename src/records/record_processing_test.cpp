// Record processing of one source, run over blocks as the copy runs it,
// against a plain whole-text reference written apart from the code: counts,
// skips and limits of records and bytes, newline conversion, the end-of-file
// unit and the byte-order mark, in every unit width and byte order.

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "records/bom_step.h"
#include "records/byte_window.h"
#include "records/code_table.h"
#include "records/end_of_file.h"
#include "records/leading_bytes.h"
#include "records/record_transform.h"
#include "records/record_test_reference.h"
#include "records/windowed_conversion.h"

namespace peltrix::records {
namespace {

using namespace std::string_literals;
using namespace testing;

// The source in blocks of the given sizes (each block followed by at least
// 8 bytes of the next, which the steps may read), through the steps the
// copy runs on each block.
Result in_blocks(const std::string& text, const Case& c, const std::vector<size_t>& sizes) {
  const ActiveUnits units = select_active_units(c.code, c.code);
  std::vector<uint8_t> buffer(text.begin(), text.end());
  buffer.resize(text.size() + 16, 0);
  uint32_t total = static_cast<uint32_t>(text.size());
  const bool ends = ends_with_eof_unit(buffer.data(), total, units.eof);
  if (ends) strip_eof_unit(buffer.data(), total, units.eof);
  if (output_takes_eof_unit(c.end_of_file, ends)) append_eof_unit(buffer.data(), total, units.eof);
  uint32_t at = c.later ? leading_mark_length(buffer.data(), total, c.marked) : 0;

  std::vector<uint8_t> conversion(conversion_capacity_for(total + 16));
  TransformSettings settings{c.newlines, c.count, units, conversion.data(), conversion.size()};
  RecordCounters counters{c.skip, c.limit};
  ByteCounters bytes{c.byte_skip, c.byte_limit};
  TransformState state;
  const bool record_steps = c.count || c.skip != 0 || c.limit != 0 || c.newlines != Newlines::kUnchanged;
  const bool windowed = c.byte_skip != 0 || c.byte_limit != 0;
  Result result;
  bool first_output = !c.later;
  size_t i = 0;
  do {
    const size_t size = sizes[i++ % sizes.size()];
    const bool last = at + size + 8 > total;
    const uint32_t length = last ? total - at : static_cast<uint32_t>(size);
    uint8_t* data = buffer.data() + at;
    state.begin_block(last, length);
    if (record_steps && windowed) {
      window_then_convert(data, length, bytes, state, settings);
    } else if (record_steps) {
      record_transform(data, length, counters, state, settings);
    } else if (windowed) {
      byte_window(length, bytes, state);
    }
    const uint8_t* out = state.rewritten ? conversion.data() : data + state.window_start;
    const auto n = static_cast<uint32_t>(state.rewritten ? state.converted_length : state.window_end - state.window_start);
    if (n != 0) {
      BomEdit edit;
      if (first_output) edit = plan_bom_edit(out, n, {c.mark, c.skip > 0, false, c.marked});
      first_output = false;
      if (edit.drop_length > n) return {"mark cut longer than the output"};
      result.bytes += std::string(reinterpret_cast<const char*>(edit.prefix), edit.prefix_length) +
                      std::string(reinterpret_cast<const char*>(out) + edit.drop_length, n - edit.drop_length);
    }
    result.records += state.block_record_count;
    at += length;
  } while (at < total && !state.stop);
  result.zero_record = state.zero_record;
  result.zero_byte = state.zero_byte;
  return result;
}

// The same result in one call, split at every code unit boundary (short
// texts) or at a few random ones, as the reference gives. Blocks hold whole
// code units, and the first holds at least a mark, as the copy's blocks do.
void check(const std::string& text, const Case& c, std::mt19937& random, int& runs) {
  const Result expected = Reference(c)(text);
  const size_t w = kLfUnits[c.code].length;
  std::vector<std::vector<size_t>> splits{{text.size() + 8}};
  if (text.size() <= 80) {
    for (size_t k = 4; k < text.size(); k += w) splits.push_back({k, text.size()});
  }
  for (int i = 0; i < 3; ++i) {
    splits.push_back({w * (1 + (3 + random() % 16) / w), w * (1 + random() % 9), w * (1 + random() % 30)});
  }
  for (const std::vector<size_t>& sizes : splits) {
    const Result actual = in_blocks(text, c, sizes);
    ++runs;
    const bool same = actual.bytes == expected.bytes && (!c.count || actual.records == expected.records) &&
                      actual.zero_record == expected.zero_record && actual.zero_byte == expected.zero_byte;
    if (!same) {
      ADD_FAILURE() << "text " << shown(text) << "\nfirst block " << sizes[0] << "\nexpected " << shown(expected.bytes)
                    << " records " << expected.records << " zero " << expected.zero_record << expected.zero_byte
                    << "\nactual   " << shown(actual.bytes) << " records " << actual.records << " zero "
                    << actual.zero_record << actual.zero_byte;
      return;
    }
  }
}

TEST(RecordProcessingTest, BlocksGiveWhatThePlainReferenceGivesInEveryMode) {
  std::mt19937 random(16);
  int runs = 0;
  for (int round = 0; round < 1500; ++round) {
    Case c;
    c.code = static_cast<int32_t>(random() % kCodeCount);
    const ActiveUnits units = select_active_units(c.code, c.code);
    const size_t width = units.lf.length;
    // Every fourth round has long runs of plain units: records longer than a block.
    const std::string pieces[] = {text_of(units.lf), text_of(units.crlf), text_of(units.eof),
                                  text_of(units.crlf).substr(0, width), std::string(width * (round % 4 ? 1 : 24), 'a')};
    std::string text;
    if (!mark_of(c.code).empty() && random() % 2 == 0) {
      c.marked = c.code;
      text = mark_of(c.code);
    }
    const size_t count = random() % 14;
    for (size_t i = 0; i < count; ++i) {
      if (random() % 4 != 0) {
        text += pieces[random() % 5];
      } else {  // a unit of bytes that may look like halves of newlines
        for (size_t b = 0; b < width; ++b) text += "\n\r\x1A\0a"[random() % 5];
      }
    }
    if (width > 1 && random() % 3 == 0) text += std::string("\n\x1A\0\r", 1 + random() % (width - 1));
    if (random() % 4 == 0) text += text_of(units.eof);
    if (text.empty()) continue;

    switch (random() % 7) {
      case 0: c.count = true; break;
      case 1: c.skip = 1 + random() % 5; break;
      case 2: c.limit = 1 + random() % 5; break;
      case 3: c.skip = 1 + random() % 4, c.limit = 1 + random() % 4; break;
      case 4: c.newlines = Newlines::kToLf; break;
      case 5: c.newlines = Newlines::kToCrLf; break;
      case 6: break;
    }
    if (c.skip != 0 || c.limit != 0) c.count = random() % 2 == 0;
    if (!c.count && c.skip == 0 && c.limit == 0 && random() % 3 != 0) {
      c.byte_skip = random() % 3 == 0 ? text.size() - random() % 2 : random() % (text.size() + 2);
      c.byte_limit = random() % 2 == 0 ? 0 : 1 + random() % (text.size() + 1);
    }
    c.end_of_file = static_cast<EndOfFile>(random() % 3);
    const int32_t oj = static_cast<int32_t>(random() % 8);
    c.mark = mark_for(c.marked != kCodeNone && oj >= 1 && oj <= 5 ? 0 : oj);
    c.later = random() % 5 == 0;
    // The round reproduces the case: the generator's seed is fixed.
    SCOPED_TRACE(::testing::Message() << "round " << round << " code " << c.code << " oj " << oj);
    check(text, c, random, runs);
  }
  // Output shorter than the mark it begins with.
  for (int32_t code = kCodeUtf8; code < kCodeCount; ++code) {
    for (uint64_t limit = 1; limit < mark_of(code).size(); ++limit) {
      const Case cut{.code = code, .marked = code, .byte_limit = limit, .mark = mark_for(7)};
      check(mark_of(code) + std::string(8, 'a'), cut, random, runs);
    }
  }
  // A limit that ends a long final record on its closing end-of-file
  // character, alone in its block: the LF in front of it lies a block before.
  check("xxx\n\x1A" + std::string(8, 'y'), Case{.newlines = Newlines::kToLf, .byte_limit = 5}, random, runs);
  // A long run of empty lines: counted in one pass over wide stretches.
  Case lines;
  lines.count = true;
  check(std::string(40000, '\n') + "x", lines, random, runs);
  EXPECT_GT(runs, 10000);
}

}  // namespace
}  // namespace peltrix::records
