#include "cli/scanner.h"

#include <cstring>

#include "cli/name_match.h"
#include "messages/catalogue_cli.h"

namespace peltrix::cli {

namespace {

// What one entry of the table made of an argument.
enum class Match { kNone, kAccepted, kRefused };

// A group switch matches by the prefix of its name: it carries its
// sub-options in the same argument.
Match try_group_entry(CommandLine& command_line, TopLevelEntry& entry, const char* argument) {
  if (!starts_with_name(argument, entry.name, std::strlen(entry.name))) return Match::kNone;
  if (++entry.present_count > 1) {
    messages::group_switch_repeated(entry.name);
    return Match::kRefused;
  }
  const int refused =
      entry.group_parser(command_line, argument, entry.group_table->data(), entry.sub_option_count, 0);
  return refused != 0 ? Match::kRefused : Match::kAccepted;
}

// A plain switch matches only the whole argument.
Match try_plain_entry(CommandLine& command_line, TopLevelEntry& entry, const char* argument) {
  const size_t length = std::strlen(entry.name);
  if (std::strlen(argument) != length || !starts_with_name(argument, entry.name, length)) return Match::kNone;
  if (entry.present_count != 0) {
    messages::switch_repeated(entry.name);
    return Match::kRefused;
  }
  entry.present_count = 1;
  command_line.flags.*entry.flag_target = 1;
  return Match::kAccepted;
}

Match scan_argument(CommandLine& command_line, const char* argument) {
  for (TopLevelEntry& entry : command_line.top_level) {
    const Match match = entry.group != 0 ? try_group_entry(command_line, entry, argument)
                                         : try_plain_entry(command_line, entry, argument);
    if (match != Match::kNone) return match;
  }
  messages::unknown_argument(argument);
  return Match::kRefused;
}

}  // namespace

int scan_command_line(CommandLine& command_line, int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    if (scan_argument(command_line, argv[i]) == Match::kRefused) return 1;
  }
  return 0;
}

}  // namespace peltrix::cli
