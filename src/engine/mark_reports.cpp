#include "engine/mark_reports.h"

#include "messages/catalogue_copy.h"

namespace peltrix::engine {

bool leading_bytes_agree(const records::LeadingBytes& found, int32_t input_code) {
  using Finding = records::LeadingBytes::Finding;
  switch (found.finding) {
    case Finding::kAgrees: return true;
    case Finding::kOtherMark:
      messages::source_marks_differ();
      return false;
    case Finding::kMarkAgainstCode:
      messages::source_mark_against_input_code(input_code, found.found_row->bom_description,
                                               found.ic_row->bom_description);
      return false;
    case Finding::kPresenceAgainstCode:
      messages::source_mark_presence_against_input_code(input_code);
      return false;
  }
  return false;
}

bool mark_handling_accepted(const records::BomSettings& settings) {
  if (!records::names_mark_for_marked_sources(settings)) return true;
  // The /OJ value that names the sources' own mark.
  messages::mark_option_for_marked_sources(settings.detected_code - 2);
  return false;
}

}  // namespace peltrix::engine
