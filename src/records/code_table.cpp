#include "records/code_table.h"

namespace peltrix::records {

const CodeRow kCodeTable[kCodeCount] = {
    {{0x00, 0x00, 0x00, 0x00}, 0, 0, 0, "未使用領域", "未使用領域"},
    {{0x00, 0x00, 0x00, 0x00}, 0, 0, 0, "未使用領域", "未使用領域"},
    {{0x00, 0x00, 0x00, 0x00}, 0, 0, 0, "未使用領域", "未使用領域"},
    {{0xEF, 0xBB, 0xBF, 0x00}, 3, 3, 3, "0xEFBBBF・・・UTF-8のBOMの値", "/IC3指定・・・UTF-8の文字コード"},
    {{0xFF, 0xFE, 0x00, 0x00}, 2, 4, 4, "0xFFFE・・・UTF-16のリトルエンディアンのBOMの値",
     "/IC4指定・・・UTF-16のリトルエンディアンの文字コード"},
    {{0xFE, 0xFF, 0x00, 0x00}, 2, 5, 5, "0xFEFF・・・UTF-16のビッグエンディアンのBOMの値",
     "/IC5指定・・・UTF-16のビッグエンディアンの文字コード"},
    {{0xFF, 0xFE, 0x00, 0x00}, 4, 6, 6, "0xFFFE0000・・・UTF-32のリトルエンディアンのBOMの値",
     "/IC6指定・・・UTF-32のリトルエンディアンの文字コード"},
    {{0x00, 0x00, 0xFE, 0xFF}, 4, 7, 7, "0x0000FEFF・・・UTF-32のビッグエンディアンのBOMの値",
     "/IC7指定・・・UTF-32のビッグエンディアンの文字コード"},
};

const UnitPattern kLfUnits[kCodeCount] = {
    {{0x0A}, 1, 0},
    {{0x0A}, 1, 0},
    {{0x0A}, 1, 0},
    {{0x0A}, 1, 0},
    {{0x0A, 0x00}, 2, 0},
    {{0x00, 0x0A}, 2, 1},
    {{0x0A, 0x00, 0x00, 0x00}, 4, 0},
    {{0x00, 0x00, 0x00, 0x0A}, 4, 3},
};

const UnitPattern kCrlfUnits[kCodeCount] = {
    {{0x0D, 0x0A}, 2, 0},
    {{0x0D, 0x0A}, 2, 0},
    {{0x0D, 0x0A}, 2, 0},
    {{0x0D, 0x0A}, 2, 0},
    {{0x0D, 0x00, 0x0A, 0x00}, 4, 0},
    {{0x00, 0x0D, 0x00, 0x0A}, 4, 1},
    {{0x0D, 0x00, 0x00, 0x00, 0x0A, 0x00, 0x00, 0x00}, 8, 0},
    {{0x00, 0x00, 0x00, 0x0D, 0x00, 0x00, 0x00, 0x0A}, 8, 3},
};

const UnitPattern kEofUnits[kCodeCount] = {
    {{0x1A}, 1, 0},
    {{0x1A}, 1, 0},
    {{0x1A}, 1, 0},
    {{0x1A}, 1, 0},
    {{0x1A, 0x00}, 2, 0},
    {{0x00, 0x1A}, 2, 1},
    {{0x1A, 0x00, 0x00, 0x00}, 4, 0},
    {{0x00, 0x00, 0x00, 0x1A}, 4, 3},
};

int32_t effective_code(int32_t detected_code, int32_t first_source_ic) {
  if (detected_code >= kCodeUtf8 && detected_code <= kCodeUtf32Be) return kCodeTable[detected_code].input_code;
  if (first_source_ic >= 0 && first_source_ic < kCodeCount) return first_source_ic;
  return kCodeNone;
}

ActiveUnits select_active_units(int32_t detected_code, int32_t first_source_ic) {
  const int32_t code = effective_code(detected_code, first_source_ic);
  return ActiveUnits{kLfUnits[code], kCrlfUnits[code], kEofUnits[code]};
}

}  // namespace peltrix::records
