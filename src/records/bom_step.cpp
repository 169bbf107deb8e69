#include "records/bom_step.h"

#include <cstring>

#include "records/code_table.h"

namespace peltrix::records {

namespace {

void put_mark(const CodeRow& row, BomEdit& edit) {
  std::memcpy(edit.prefix, row.bom, row.bom_length);
  edit.prefix_length = row.bom_length;
}

// The sources' mark, undecided counting as none.
int32_t sources_code(const BomSettings& settings) {
  return settings.detected_code == kCodeUndecided ? kCodeNone : settings.detected_code;
}

}  // namespace

bool names_mark_for_marked_sources(const BomSettings& settings) {
  return !settings.plain_bytes && settings.mark.handling == MarkHandling::kAdd && sources_code(settings) != kCodeNone;
}

BomEdit plan_bom_edit(const uint8_t* output, uint32_t length, const BomSettings& settings) {
  BomEdit edit;
  if (settings.plain_bytes || names_mark_for_marked_sources(settings)) return edit;
  const int32_t detected = sources_code(settings);
  switch (settings.mark.handling) {
    case MarkHandling::kKeepSources:
      if (settings.skips_records) put_mark(kCodeTable[detected], edit);
      break;
    case MarkHandling::kAdd: put_mark(kCodeTable[settings.mark.added_code], edit); break;
    case MarkHandling::kAsRecords: break;
    case MarkHandling::kRemove: edit.drop_length = leading_mark_length(output, length, detected); break;
  }
  return edit;
}

uint32_t leading_mark_length(const uint8_t* data, uint32_t length, int32_t detected_code) {
  if (detected_code < kCodeUtf8 || detected_code >= kCodeCount) return 0;
  const CodeRow& row = kCodeTable[detected_code];
  return length >= row.bom_length && std::memcmp(data, row.bom, row.bom_length) == 0 ? row.bom_length : 0;
}

BomEdit edit_for_appending(const uint8_t* output, uint32_t length, int32_t detected_code) {
  BomEdit edit;
  edit.drop_length = leading_mark_length(output, length, detected_code);
  return edit;
}

}  // namespace peltrix::records
