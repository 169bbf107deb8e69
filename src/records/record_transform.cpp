#include "records/record_transform.h"

#include <algorithm>
#include <cassert>
#include <cstring>

#include "records/newline_scan.h"
#include "records/record_selection.h"

namespace peltrix::records {

namespace {

// Builds converted data in the conversion buffer.
class ConvertedData {
 public:
  ConvertedData(const uint8_t* data, const TransformSettings& settings) : data_(data), out_(settings.conversion) {}

  // Copies data[from, to) unchanged.
  void copy(int64_t from, int64_t to) {
    if (to <= from) return;
    std::memcpy(out_ + written_, data_ + from, static_cast<size_t>(to - from));
    written_ += static_cast<size_t>(to - from);
  }
  void append(const UnitPattern& unit) {
    std::memcpy(out_ + written_, unit.bytes, unit.length);
    written_ += unit.length;
  }
  size_t size() const { return written_; }

 private:
  const uint8_t* data_;
  uint8_t* out_;
  size_t written_ = 0;
};

// A final record without newline gets one, unless it is only the end-of-file
// unit (with single-byte units: begins with 0x1A). The record is judged
// whole, from its own first unit, whichever block that lies in.
bool takes_newline(const OpenRecord& record, const UnitPattern& eof) {
  return eof.length == 1 ? !record.begins_with_eof : !is_eof_unit(record, eof);
}

// Whether data[from, to) ends with the unit, standing where a code unit can begin.
bool ends_with(const uint8_t* data, int64_t from, int64_t to, const UnitPattern& unit, Alignment alignment) {
  const int64_t start = to - unit.length;
  return start >= from && (start + alignment.phase) % alignment.width == 0 &&
         std::memcmp(data + start, unit.bytes, unit.length) == 0;
}

void finish_conversion(uint64_t count, const ConvertedData& out, TransformState& state) {
  state.block_record_count = count;
  if (count == 0) return;
  state.rewritten = true;
  state.converted_length = static_cast<uint32_t>(out.size());
}

}  // namespace

TransformMode choose_mode(Newlines newlines, const RecordCounters& counters, bool count_records) {
  const bool skips = counters.records_to_skip != 0 || (count_records && counters.skip_ended);
  const bool limits = counters.record_limit != 0;
  if (skips && limits) return TransformMode::kSkippingAndLimiting;
  if (skips) return TransformMode::kSkipping;
  if (limits) return TransformMode::kLimiting;
  if (newlines == Newlines::kToLf) return TransformMode::kToLf;
  if (newlines == Newlines::kToCrLf) return TransformMode::kToCrlf;
  return count_records ? TransformMode::kCounting : TransformMode::kNone;
}

namespace {

// Replaces every `found` unit of the data by `written`. A unit whose last
// bytes lie past the data waits, when split_unit_waits, for the next block,
// whose data begins with them; its replacement comes from there. The final
// record of a last block gets `written` as its newline unless it ends with
// an LF unit already; a closing end-of-file unit stays the last thing.
void convert(const uint8_t* data, uint32_t length, TransformState& state, const TransformSettings& settings,
             const DataPlace& here, const UnitPattern& found, const UnitPattern& written, bool split_unit_waits) {
  assert(settings.conversion_capacity >= conversion_capacity_for(length));
  const ActiveUnits& units = settings.units;
  const int64_t end_of_data = length;
  const Alignment alignment{units.lf.length, here.phase % units.lf.length};
  ConvertedData out(data, settings);
  uint64_t count = 0;
  int64_t position = 0;
  // The bytes that end a unit of the previous block are no record of this one.
  const int64_t rest = std::min<int64_t>(state.unit_rest, end_of_data);
  state.unit_rest = 0;
  ScanEnd end = scan_units(data, end_of_data, found, alignment, here.beyond,
                           [&](int64_t start, int64_t unit_end) {
                             out.copy(position, start);
                             ++count;
                             if (!split_unit_waits || unit_end <= end_of_data) {
                               out.append(written);
                             } else {
                               state.unit_rest = static_cast<uint32_t>(unit_end - end_of_data);
                             }
                             position = unit_end;
                             return true;
                           });
  if (end.tail_start < rest) {
    end.tail_start = rest;
    end.tail = rest < end_of_data;
  }
  // A final record that began in an earlier block may have its LF there.
  const bool lf_before = state.open.ends_with_lf;
  carry_open_record(state.open, data, end_of_data, end, units.eof, here.beyond);
  const bool final_record = here.ends && end.tail && takes_newline(state.open, units.eof);
  int64_t record_end = end_of_data;
  if (final_record && state.open.length > units.eof.length &&
      ends_with(data, end.tail_start, record_end, units.eof, alignment)) {
    record_end -= units.eof.length;
  }
  out.copy(position, record_end);
  if (final_record) {
    ++count;
    const bool has_lf =
        record_end > end.tail_start ? ends_with(data, end.tail_start, record_end, units.lf, alignment) : lf_before;
    if (!has_lf) out.append(written);
    out.copy(record_end, end_of_data);
  }
  state.open.ends_with_lf = end.tail && ends_with(data, end.tail_start, end_of_data, units.lf, alignment);
  finish_conversion(count, out, state);
}

}  // namespace

void convert_to_lf(const uint8_t* data, uint32_t length, TransformState& state, const TransformSettings& settings,
                   const DataPlace& place) {
  convert(data, length, state, settings, place, settings.units.crlf, settings.units.lf, true);
}

void convert_to_crlf(const uint8_t* data, uint32_t length, TransformState& state, const TransformSettings& settings,
                     const DataPlace& place) {
  convert(data, length, state, settings, place, settings.units.lf, settings.units.crlf, false);
}

void record_transform(const uint8_t* data, uint32_t length, RecordCounters& counters, TransformState& state,
                      const TransformSettings& settings) {
  state.window_start = 0;
  state.window_end = length;
  // A whole block stands on a code unit boundary and ends for good when it is the last.
  const DataPlace place{0, state.last_block ? 0 : kBytesBeyondBlock, state.last_block};
  switch (choose_mode(settings.newlines, counters, settings.count_records)) {
    case TransformMode::kNone: break;
    case TransformMode::kCounting: count_records(data, length, settings.units, state); break;
    case TransformMode::kSkipping: skip_records(data, length, settings.units, counters, state); break;
    case TransformMode::kLimiting: limit_records(data, length, settings.units, counters, state); break;
    case TransformMode::kSkippingAndLimiting: skip_and_limit_records(data, length, settings.units, counters, state); break;
    case TransformMode::kToLf: convert_to_lf(data, length, state, settings, place); break;
    case TransformMode::kToCrlf: convert_to_crlf(data, length, state, settings, place); break;
  }
}

}  // namespace peltrix::records
