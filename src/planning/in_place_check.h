// In-place copies: a file named both as a source (/IF) and as a destination
// (/OF) is read from a dated backup that the copy moves it to.
#pragma once

#include <cstdint>

#include "cli/option_tables.h"
#include "model/entries.h"

namespace peltrix::planning {

// The advice that follows a refusal of one file or folder as both source and
// destination.
inline constexpr char kInPlaceAdvice[] =
    "異なるものを指定するか，上書き指定の/OU2，または追加書き指定の/OU3を指定してください。";

// Destination handling that may change an existing file: /OU2 overwrites,
// /OU3 appends.
inline model::Existing existing_for(int32_t ou_value) {
  return ou_value == 2 ? model::Existing::kOverwrite : ou_value == 3 ? model::Existing::kAppend : model::Existing::kRefuse;
}

// Judges every pair of an /IF name and an /OF name on its own. A pair that
// names one file is refused without /OU2 or /OU3 (E084); otherwise both
// values get the in-place flag and the source a backup name with a free
// number in its backup-path slot. False after the messages.
bool check_in_place(cli::CommandLine& command_line, const char* run_date_stamp);

}  // namespace peltrix::planning
