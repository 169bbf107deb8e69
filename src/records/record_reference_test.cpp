// The record processing in blocks of random sizes against a plain reference
// written apart from it: what each mode does to a whole text, said as simply
// as possible.

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "records/code_table.h"
#include "records/record_transform.h"

namespace peltrix::records {
namespace {

// The reference: a text cut into records at its newline units.
class Text {
 public:
  Text(const std::string& bytes, int32_t code) : bytes_(bytes), units_(select_active_units(code, code)) {}

  // Start offsets of the units of a pattern: only where a code unit begins,
  // never reaching past the text.
  std::vector<size_t> find(const UnitPattern& unit) const {
    std::vector<size_t> found;
    const size_t width = units_.lf.length;
    for (size_t at = 0; at + unit.length <= bytes_.size(); at += width) {
      if (bytes_.compare(at, unit.length, std::string(reinterpret_cast<const char*>(unit.bytes), unit.length)) == 0) {
        found.push_back(at);
      }
    }
    return found;
  }

  // The records: each ends with its LF unit; bytes after the last one form
  // the final record.
  std::vector<std::string> records() const {
    std::vector<std::string> list;
    size_t from = 0;
    for (size_t at : find(units_.lf)) {
      list.push_back(bytes_.substr(from, at + units_.lf.length - from));
      from = at + units_.lf.length;
    }
    if (from < bytes_.size()) list.push_back(bytes_.substr(from));
    return list;
  }

  // A final record that is only the end-of-file unit (single-byte: starts
  // with 0x1A) is no record when records are counted or get a newline.
  bool is_eof_only(const std::string& record, bool by_first_byte) const {
    const std::string eof(reinterpret_cast<const char*>(units_.eof.bytes), units_.eof.length);
    if (by_first_byte && eof.size() == 1) return record[0] == eof[0];
    return record == eof;
  }

  uint64_t count() const {
    std::vector<std::string> list = records();
    if (!list.empty() && !ends_with_lf(list.back()) && is_eof_only(list.back(), false)) list.pop_back();
    return list.size();
  }

  std::string skip_and_limit(size_t skip, size_t limit) const {
    const std::vector<std::string> list = records();
    std::string out;
    for (size_t i = skip; i < list.size() && (limit == 0 || i < skip + limit); ++i) out += list[i];
    return out;
  }

  // Every `from` unit becomes `to`; a final record without newline gets `to`
  // in front of a closing end-of-file unit.
  std::string convert(const UnitPattern& from, const UnitPattern& to) const {
    const std::string replacement(reinterpret_cast<const char*>(to.bytes), to.length);
    std::string out;
    size_t position = 0;
    for (size_t at : find(from)) {
      out += bytes_.substr(position, at - position) + replacement;
      position = at + from.length;
    }
    std::string tail = bytes_.substr(position);
    if (tail.empty() || is_eof_only(tail, true)) return out + tail;
    std::string closing;
    const std::string eof(reinterpret_cast<const char*>(units_.eof.bytes), units_.eof.length);
    if (tail.size() > eof.size() && ends_aligned(position + tail.size() - eof.size()) &&
        tail.compare(tail.size() - eof.size(), eof.size(), eof) == 0) {
      closing = eof;
      tail.resize(tail.size() - eof.size());
    }
    const bool has_lf = tail.size() >= units_.lf.length && ends_aligned(position + tail.size() - units_.lf.length) &&
                        ends_with_lf(tail);
    return out + tail + (has_lf ? "" : replacement) + closing;
  }

  const ActiveUnits& units() const { return units_; }

 private:
  bool ends_aligned(size_t offset) const { return offset % units_.lf.length == 0; }
  bool ends_with_lf(const std::string& s) const {
    const std::string lf(reinterpret_cast<const char*>(units_.lf.bytes), units_.lf.length);
    return s.size() >= lf.size() && s.compare(s.size() - lf.size(), lf.size(), lf) == 0;
  }

  std::string bytes_;
  ActiveUnits units_;
};

struct Mode {
  int32_t or_value = 0;
  bool count = false;
  int64_t skip = 0;
  int64_t limit = 0;
};

struct Output {
  std::string bytes;
  uint64_t records = 0;
};

// The transform over the text in calls of the given sizes, each followed by
// the bytes the next one begins with, as the copy hands blocks on.
Output in_blocks(const std::string& text, int32_t code, const Mode& mode, const std::vector<size_t>& sizes) {
  std::vector<uint8_t> buffer(text.begin(), text.end());
  buffer.resize(text.size() + 16, 0);
  std::vector<uint8_t> conversion(conversion_capacity_for(text.size() + 16));
  TransformSettings settings;
  settings.newlines = newlines_for(mode.or_value);
  settings.count_records = mode.count;
  settings.units = select_active_units(code, code);
  settings.conversion = conversion.data();
  settings.conversion_capacity = conversion.size();
  RecordCounters counters{mode.skip, mode.limit};
  TransformState state;
  Output out;
  size_t at = 0;
  for (size_t i = 0; at < text.size() && !state.stop; ++i) {
    const size_t size = i < sizes.size() ? sizes[i] : text.size();
    const bool last = at + size + 8 > text.size();
    const auto length = static_cast<uint32_t>(last ? text.size() - at : size);
    state.last_block = last;
    state.rewritten = false;
    state.block_record_count = 0;
    uint32_t t = length;
    record_transform(buffer.data() + at, length, t, counters, state, settings);
    if (t != 0) {
      out.bytes += state.rewritten ? std::string(conversion.begin(), conversion.begin() + t)
                                   : std::string(buffer.begin() + static_cast<int64_t>(at) + state.window_start,
                                                 buffer.begin() + static_cast<int64_t>(at) + state.window_end);
    }
    out.records += state.block_record_count;
    at += length;
  }
  return out;
}

TEST(RecordReferenceTest, BlocksOfAnySizeGiveWhatThePlainReferenceGives) {
  std::mt19937 random(2024);
  const std::string alphabet("ab\r\n\n\0", 6);
  int compared = 0;
  for (int round = 0; round < 400; ++round) {
    const int32_t code = static_cast<int32_t>(random() % kCodeCount);
    const Text probe("", code);
    const size_t width = probe.units().lf.length;
    // Text in whole code units, each unit one character of the alphabet.
    std::string text;
    const size_t characters = random() % 300;
    for (size_t i = 0; i < characters; ++i) {
      std::string unit(width, '\0');
      const char c = alphabet[random() % alphabet.size()];
      unit[code == kCodeUtf16Be || code == kCodeUtf32Be ? width - 1 : 0] = c;
      // Now and then a character whose other bytes look like newline halves.
      if (width > 1 && random() % 4 == 0) {
        for (char& byte : unit) byte = alphabet[random() % alphabet.size()];
      }
      text += unit;
    }
    // Sometimes the text closes with the end-of-file unit.
    if (random() % 3 == 0) text += std::string(reinterpret_cast<const char*>(probe.units().eof.bytes), width);
    std::vector<size_t> sizes;
    for (int i = 0; i < 40; ++i) sizes.push_back(width * (1 + random() % 24));
    const Text reference(text, code);

    const int64_t skip = 1 + static_cast<int64_t>(random() % 12);
    const int64_t limit = 1 + static_cast<int64_t>(random() % 12);
    SCOPED_TRACE("round " + std::to_string(round) + " code " + std::to_string(code));
    const Output counted = in_blocks(text, code, {0, true, 0, 0}, sizes);
    EXPECT_EQ(counted.bytes, text);
    EXPECT_EQ(counted.records, reference.count());
    EXPECT_EQ(in_blocks(text, code, {0, false, skip, 0}, sizes).bytes, reference.skip_and_limit(skip, 0));
    EXPECT_EQ(in_blocks(text, code, {0, false, 0, limit}, sizes).bytes, reference.skip_and_limit(0, limit));
    EXPECT_EQ(in_blocks(text, code, {0, false, skip, limit}, sizes).bytes, reference.skip_and_limit(skip, limit));
    EXPECT_EQ(in_blocks(text, code, {1, false, 0, 0}, sizes).bytes,
              reference.convert(reference.units().crlf, reference.units().lf));
    EXPECT_EQ(in_blocks(text, code, {2, false, 0, 0}, sizes).bytes,
              reference.convert(reference.units().lf, reference.units().crlf));
    ++compared;
  }
  EXPECT_EQ(compared, 400);
}

}  // namespace
}  // namespace peltrix::records
