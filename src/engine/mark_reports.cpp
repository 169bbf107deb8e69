#include "engine/mark_reports.h"

#include "messages/messages.h"

namespace peltrix::engine {

bool leading_bytes_agree(const records::LeadingBytes& found, int32_t input_code) {
  using Finding = records::LeadingBytes::Finding;
  switch (found.finding) {
    case Finding::kAgrees: return true;
    case Finding::kOtherMark:
      messages::line(115, 1, "コピー元ファイルのBOMの値が異なります。");
      messages::line(115, 2, "コピー元ファイルのBOMの値は，同じものに統一してください。");
      return false;
    case Finding::kMarkAgainstCode:
      messages::line(126, 1, "コピー元ファイルのBOMの値と，指定した/IC%dに対応するBOMの値が異なります。", input_code);
      messages::line(126, 2, "コピー元ファイルのBOMの値:%s", found.found_row->bom_description);
      messages::line(126, 3, "指定した/IC%dに対応するBOMの値:%s", input_code, found.ic_row->bom_description);
      messages::line(126, 4, "/ICの値を，コピー元ファイルのBOMに対応する値に変更してください。");
      return false;
    case Finding::kPresenceAgainstCode:
      messages::line(126, 1, "コピー元ファイルのBOMの有無と，指定した/IC%dに対応するBOMの有無が異なります。", input_code);
      messages::line(126, 2, "/ICの値を，コピー元ファイルのBOMの有無に対応する値に変更してください。");
      return false;
  }
  return false;
}

bool mark_handling_accepted(const records::BomSettings& settings) {
  if (!records::names_mark_for_marked_sources(settings)) return true;
  const int32_t detected_code = settings.detected_code;
  messages::line(116, 1, "コピー元ファイルにBOMが設定されている場合，/OJ%dは指定できません。", detected_code - 2);
  messages::line(116, 2, "/OJ%dの指定を削除するか，/OJ6，または/OJ7に変更してください。", detected_code - 2);
  return false;
}

}  // namespace peltrix::engine
