#include "records/bom_step.h"

#include <cstring>

#include "messages/messages.h"
#include "records/code_table.h"

namespace peltrix::records {

namespace {

void put_mark(const CodeRow& row, BomEdit& edit) {
  std::memcpy(edit.prefix, row.bom, row.bom_length);
  edit.prefix_length = row.bom_length;
}

}  // namespace

bool plan_bom_edit(const uint8_t* output, uint32_t length, const BomSettings& settings, BomEdit& edit) {
  edit = BomEdit{};
  const int32_t j = settings.oj;
  if (settings.iy == 2) return true;
  const bool names_mark = j >= 1 && j <= 5;
  if (!names_mark && j != 7 && settings.il <= 0) return true;

  const int32_t detected = settings.detected_code == kCodeUndecided ? kCodeNone : settings.detected_code;
  if (detected != kCodeNone && names_mark) {
    messages::line(116, 1, "コピー元ファイルにBOMが設定されている場合，/OJ%dは指定できません。", detected - 2);
    messages::line(116, 2, "/OJ%dの指定を削除するか，/OJ6，または/OJ7に変更してください。", detected - 2);
    return false;
  }
  if (detected == kCodeNone && j == 7) return true;

  const CodeRow& sources_row = kCodeTable[detected];
  if (j == 0) {
    put_mark(sources_row, edit);
  } else if (names_mark) {
    put_mark(kCodeTable[j + 2], edit);
  } else if (j == 7) {
    const uint32_t n = sources_row.bom_length;
    if (length >= n && std::memcmp(output, sources_row.bom, n) == 0) edit.drop_length = n;
  }
  return true;
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

void apply_bom_edit(uint8_t* buffer, uint32_t& length, const BomEdit& edit) {
  if (!edit.changes()) return;
  const uint32_t kept = length - edit.drop_length;
  std::memmove(buffer + edit.prefix_length, buffer + edit.drop_length, kept);
  std::memcpy(buffer, edit.prefix, edit.prefix_length);
  length = kept + edit.prefix_length;
}

}  // namespace peltrix::records
