#include "records/leading_bytes.h"

#include <cstring>

#include "messages/messages.h"
#include "records/code_table.h"

namespace peltrix::records {

namespace {

// The row whose mark the bytes begin with, and the row /IC names.
struct Classification {
  int32_t found_code = kCodeNone;
  const CodeRow* found_row = nullptr;
  const CodeRow* ic_row = nullptr;
};

// Later rows overwrite earlier ones, so FF FE 00 00 ends as UTF-32.
Classification classify(const uint8_t* bytes, size_t count, int32_t ic) {
  Classification result;
  for (int32_t code = kCodeUtf8; code <= kCodeUtf32Be; ++code) {
    const CodeRow& row = kCodeTable[code];
    if (row.bom_length > count) continue;
    if (std::memcmp(bytes, row.bom, row.bom_length) == 0) {
      result.found_code = row.bom_code;
      result.found_row = &row;
    }
    if (ic == row.input_code) result.ic_row = &row;
  }
  return result;
}

}  // namespace

int32_t classify_bom(const uint8_t* bytes, size_t count) { return classify(bytes, count, 0).found_code; }

bool check_leading_bytes(const uint8_t* bytes, size_t count, int32_t ic, int32_t iy, int32_t& detected_code) {
  if (count < 2 || iy == 2) return true;
  const Classification found = classify(bytes, count, ic);

  if (detected_code != kCodeUndecided && detected_code != found.found_code) {
    messages::line(115, 1, "コピー元ファイルのBOMの値が異なります。");
    messages::line(115, 2, "コピー元ファイルのBOMの値は，同じものに統一してください。");
    return false;
  }
  if (found.found_code != kCodeNone && ic != 0 && ic != found.found_row->input_code) {
    if (found.ic_row != nullptr) {
      messages::line(126, 1, "コピー元ファイルのBOMの値と，指定した/IC%dに対応するBOMの値が異なります。", ic);
      messages::line(126, 2, "コピー元ファイルのBOMの値:%s", found.found_row->bom_description);
      messages::line(126, 3, "指定した/IC%dに対応するBOMの値:%s", ic, found.ic_row->bom_description);
      messages::line(126, 4, "/ICの値を，コピー元ファイルのBOMに対応する値に変更してください。");
    } else {
      messages::line(126, 1, "コピー元ファイルのBOMの有無と，指定した/IC%dに対応するBOMの有無が異なります。", ic);
      messages::line(126, 2, "/ICの値を，コピー元ファイルのBOMの有無に対応する値に変更してください。");
    }
    return false;
  }
  detected_code = found.found_code;
  return true;
}

}  // namespace peltrix::records
