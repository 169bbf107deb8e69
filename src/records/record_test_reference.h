// The plain reference for record processing: what the steps do to one
// whole source, said as plainly as possible and apart from the code that
// does it block by block. Shared by the record and the copy tests.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "records/code_table.h"
#include "records/output_settings.h"

namespace peltrix::records::testing {

inline std::string text_of(const UnitPattern& unit) { return std::string(reinterpret_cast<const char*>(unit.bytes), unit.length); }
inline std::string mark_of(int32_t code) {
  return std::string(reinterpret_cast<const char*>(kCodeTable[code].bom), kCodeTable[code].bom_length);
}

// One source on its way to an output, as planning allows the options together.
struct Case {
  int32_t code = kCodeNone;  // the run's units
  int32_t marked = kCodeNone;  // the sources' mark (the code, or none)
  Newlines newlines = Newlines::kUnchanged;
  bool count = false;  // /MT3
  int64_t skip = 0, limit = 0;  // /IL, /IP
  uint64_t byte_skip = 0, byte_limit = 0;  // /IT, /IB
  EndOfFile end_of_file = EndOfFile::kLikeFirstSource;
  Mark mark = {};
  bool later = false;  // a later source of its output: its mark is cut, the output has begun
};

struct Result {
  std::string bytes;
  uint64_t records = 0;
  bool zero_record = false, zero_byte = false;
};

// The reference: the whole text at once, said as plainly as possible.
class Reference {
 public:
  explicit Reference(const Case& c)
      : c_(c), width_(kLfUnits[c.code].length), lf_(text_of(kLfUnits[c.code])), crlf_(text_of(kCrlfUnits[c.code])),
        eof_(text_of(kEofUnits[c.code])), mark_(mark_of(c.marked)) {}

  Result operator()(const std::string& text) const {
    std::string body = text;
    const bool ended = body.size() >= eof_.size() && body.compare(body.size() - eof_.size(), eof_.size(), eof_) == 0;
    if (ended) body.resize(body.size() - eof_.size());
    if (c_.end_of_file == EndOfFile::kAlways || (c_.end_of_file == EndOfFile::kLikeFirstSource && ended)) body += eof_;
    if (c_.later && !mark_.empty() && body.compare(0, mark_.size(), mark_) == 0) body.erase(0, mark_.size());

    Result r;
    if (c_.byte_skip != 0 || c_.byte_limit != 0) {
      r.zero_byte = c_.byte_skip != 0 && c_.byte_skip >= body.size();
      body = c_.byte_skip >= body.size() ? "" : body.substr(c_.byte_skip, c_.byte_limit ? c_.byte_limit : body.size());
    }
    const auto phase = static_cast<size_t>(c_.byte_skip % width_);
    if (c_.newlines == Newlines::kToLf) {
      body = convert(body, crlf_, lf_, phase);
    } else if (c_.newlines == Newlines::kToCrLf) {
      body = convert(body, lf_, crlf_, phase);
    } else if (c_.skip != 0 || c_.limit != 0 || c_.count) {
      const std::vector<size_t> ends = record_ends(body);
      const size_t n = ends.size();
      auto start = [&](size_t i) { return i == 0 ? size_t{0} : ends[i - 1]; };
      if (c_.skip == 0 && c_.limit == 0) {
        r.records = n - (n != 0 && body.compare(start(n - 1), std::string::npos, eof_) == 0 ? 1 : 0);
      } else {
        const size_t first = std::min(static_cast<size_t>(c_.skip), n);
        const size_t last = c_.limit == 0 ? n : std::min(first + static_cast<size_t>(c_.limit), n);
        r.zero_record = c_.skip != 0 && first == n;
        r.records = last - first;
        body = body.substr(start(first), start(last) - start(first));
      }
    }
    r.bytes = c_.later || body.empty() ? body : marked(body);
    return r;
  }

 private:
  bool aligned(size_t at, size_t phase) const { return (at + phase) % width_ == 0; }
  bool unit_at(const std::string& s, size_t at, const std::string& unit, size_t phase) const {
    return aligned(at, phase) && at + unit.size() <= s.size() && s.compare(at, unit.size(), unit) == 0;
  }

  // Where each record ends: behind its LF unit, or the final record at the end.
  std::vector<size_t> record_ends(const std::string& s) const {
    std::vector<size_t> ends;
    for (size_t at = 0; at < s.size(); at += width_) {
      if (unit_at(s, at, lf_, 0)) ends.push_back(at + width_);
    }
    if (ends.empty() ? !s.empty() : ends.back() < s.size()) ends.push_back(s.size());
    return ends;
  }

  // Every `from` unit becomes `to`; a final record gets `to` unless it ends
  // with LF, in front of a closing end-of-file unit, and none when it is the
  // end-of-file unit (single-byte: begins with 0x1A).
  std::string convert(const std::string& s, const std::string& from, const std::string& to, size_t phase) const {
    std::string out;
    size_t position = 0;
    for (size_t at = 0; at < s.size(); ++at) {
      if (at >= position && unit_at(s, at, from, phase)) {
        out += s.substr(position, at - position) + to;
        position = at + from.size();
      }
    }
    std::string tail = s.substr(position);
    if (tail.empty() || (width_ == 1 ? tail[0] == eof_[0] : tail == eof_)) return out + tail;
    std::string closing;
    const size_t end = s.size();
    if (tail.size() > eof_.size() && unit_at(s, end - eof_.size(), eof_, phase)) {
      closing = eof_;
      tail.resize(tail.size() - eof_.size());
    }
    const bool has_lf = tail.size() >= width_ && unit_at(s, position + tail.size() - width_, lf_, phase);
    return out + tail + (has_lf ? "" : to) + closing;
  }

  std::string marked(const std::string& out) const {
    switch (c_.mark.handling) {
      case MarkHandling::kKeepSources: return (c_.skip != 0 ? mark_ : "") + out;
      case MarkHandling::kAdd: return mark_of(c_.mark.added_code) + out;
      case MarkHandling::kAsRecords: return out;
      case MarkHandling::kRemove:
        return !mark_.empty() && out.compare(0, mark_.size(), mark_) == 0 ? out.substr(mark_.size()) : out;
    }
    return out;
  }

  Case c_;
  size_t width_;
  std::string lf_, crlf_, eof_, mark_;
};

inline std::string shown(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string s;
  for (unsigned char byte : text) s += std::string{kHex[byte >> 4], kHex[byte & 15], ' '};
  return s;
}

}  // namespace peltrix::records::testing
