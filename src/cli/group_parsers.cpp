#include "cli/group_parsers.h"

#include <array>
#include <cstring>
#include <string>
#include <utility>

#include "cli/name_match.h"
#include "cli/numeric_value.h"
#include "cli/pieces.h"
#include "messages/catalogue_cli.h"
#include "messages/catalogue_memory.h"
#include "paths/destination_file_check.h"
#include "paths/destination_folder_check.h"
#include "paths/heap_text.h"
#include "paths/path_value.h"
#include "paths/source_file_check.h"
#include "paths/source_folder_check.h"

namespace peltrix::cli {

namespace {

constexpr int kAccepted = 0;
constexpr int kRefused = 1;

using FileCheck = bool (*)(const char* name, int occurrence, int accepted, paths::PathValue& value);
using FolderCheck = bool (*)(const char* text, int occurrence, paths::PathValue& value);
using FolderPath = char (CommandLine::*)[platform::kMaxPath + 1];

// What sets the groups apart: their messages, their path checks and what
// they do when the argument is the switch alone or its pieces are used up.
// The parsing itself is the same for every group.
struct GroupStyle {
  const char* label;  // the switch as the table writes it; sub-options follow it
  messages::TextMemoryCode memory_code;
  messages::MissingValueCode no_value_code;                       // a piece that is only a name
  std::array<messages::SubOptionConflictCode, 4> conflict_codes;  // by conflict place
  int conflict_places;                                            // conflict places examined
  FileCheck file_check;
  FolderCheck folder_check;
  int32_t ValueCounts::*file_count;
  int32_t ValueCounts::*folder_count;
  FolderPath folder_path;
  int (*bare)(CommandLine& command_line, int position);
  void (*not_slash)(int position, const char* argument);
  void (*short_piece)(int position, const char* piece);
  void (*unknown_piece)(int position, const char* piece);
  void (*repeated)(int position, const char* name);
  // No piece left; names_path: the group stored a file or folder value.
  int (*finish)(CommandLine& command_line, const OptionDefinition* definitions, int position, bool names_path);
};

const GroupStyle kInputStyle{
    .label = "/I",
    .memory_code = messages::kInputArgumentMemory,
    .no_value_code = messages::kInputValueMissing,
    .conflict_codes = {messages::kInputConflictFirst, messages::kInputConflictSecond, messages::kInputConflictThird,
                       messages::kInputConflictFourth},
    .conflict_places = 4,
    .file_check = paths::check_source_file,
    .folder_check = paths::check_source_folder,
    .file_count = &ValueCounts::input_files,
    .folder_count = &ValueCounts::input_folders,
    .folder_path = &CommandLine::input_folder_path,
    .bare =
        [](CommandLine&, int position) {
          messages::input_group_empty(position);
          return kRefused;
        },
    .not_slash = messages::input_group_invalid,
    .short_piece = messages::input_piece_too_short,
    .unknown_piece = messages::input_piece_unknown,
    .repeated = messages::input_sub_option_repeated,
    .finish =
        [](CommandLine&, const OptionDefinition*, int position, bool names_path) {
          if (names_path) return kAccepted;
          messages::input_group_names_nothing(position);
          return kRefused;
        },
};

// A group that names no file or folder sends the copy to standard output.
const GroupStyle kOutputStyle{
    .label = "/O",
    .memory_code = messages::kOutputArgumentMemory,
    .no_value_code = messages::kOutputValueMissing,
    .conflict_codes = {messages::kOutputConflictFirst, messages::kOutputConflictSecond},
    .conflict_places = 2,
    .file_check = paths::check_destination_file,
    .folder_check = paths::check_destination_folder,
    .file_count = &ValueCounts::output_files,
    .folder_count = &ValueCounts::output_folders,
    .folder_path = &CommandLine::output_folder_path,
    .bare = [](CommandLine&, int) { return kAccepted; },
    .not_slash = messages::output_group_invalid,
    .short_piece = messages::output_piece_too_short,
    .unknown_piece = messages::output_piece_unknown,
    .repeated = [](int, const char* name) { messages::output_sub_option_repeated(name); },
    .finish =
        [](CommandLine& command_line, const OptionDefinition*, int, bool names_path) {
          if (!names_path) ++command_line.counts.stdout_options;
          return kAccepted;
        },
};

const GroupStyle kMessageStyle{
    .label = "/M",
    .memory_code = messages::kMessageArgumentMemory,
    .no_value_code = messages::kMessageValueMissing,
    .conflict_codes = {},
    .conflict_places = 0,
    .file_check = nullptr,
    .folder_check = nullptr,
    .file_count = nullptr,
    .folder_count = nullptr,
    .folder_path = nullptr,
    .bare =
        [](CommandLine&, int) {
          messages::message_group_empty();
          return kRefused;
        },
    .not_slash = [](int, const char*) { messages::message_group_invalid(); },
    .short_piece = [](int, const char* piece) { messages::message_piece_too_short(piece); },
    .unknown_piece = [](int, const char*) { messages::message_piece_unknown(); },
    .repeated = [](int, const char* name) { messages::message_sub_option_repeated(name); },
    .finish =
        [](CommandLine& command_line, const OptionDefinition* definitions, int, bool) {
          const OptionDefinition& message_type = definitions[kMT - 1];
          if (message_type.specified != 0) command_line.counts.message_type = static_cast<int32_t>(message_type.value);
          return kAccepted;
        },
};

// One group argument being parsed.
struct GroupParse {
  const GroupStyle& style;
  CommandLine& command_line;
  OptionDefinition* definitions;
  int definition_count;
  int occurrence;
  int position() const { return occurrence + 1; }
};

// The definition a piece names, tried in table order; nullptr after the
// messages when the piece names none.
OptionDefinition* identify(const GroupParse& parse, const char* piece) {
  const size_t piece_length = std::strlen(piece);
  for (int i = 0; i < parse.definition_count; ++i) {
    OptionDefinition& candidate = parse.definitions[i];
    const size_t name_length = std::strlen(candidate.name);
    if (piece_length < name_length) {
      parse.style.short_piece(parse.position(), piece);
      return nullptr;
    }
    if (starts_with_name(piece, candidate.name, name_length)) return &candidate;
  }
  parse.style.unknown_piece(parse.position(), piece);
  return nullptr;
}

// Refuses a definition given before in this group, or one that a definition
// already given excludes; the conflict places are examined in their order.
bool may_take(const GroupParse& parse, const OptionDefinition& definition) {
  if (definition.specified != 0) {
    parse.style.repeated(parse.position(), definition.name);
    return false;
  }
  for (int place = 0; place < parse.style.conflict_places; ++place) {
    const int32_t number = definition.conflicts[place];
    if (number <= 0 || number > parse.definition_count) continue;
    const OptionDefinition& other = parse.definitions[number - 1];
    if (other.specified == 0) continue;
    const messages::SubOptionConflictCode code = parse.style.conflict_codes[static_cast<size_t>(place)];
    messages::sub_options_conflict(code, parse.position(), parse.style.label, other.name, definition.name);
    return false;
  }
  return true;
}

// The next slot of definition receives what the path check found.
void store(OptionDefinition& definition, paths::PathValue&& value) {
  ValueSlot& slot = definition.slots.emplace_back();
  slot.flags |= value.flags;
  slot.size = value.size;
  slot.given_text = std::move(value.given_text);
  slot.full_path = std::move(value.full_path);
  slot.file_information = value.file_information;
  ++definition.value_count;
}

bool take_file_list(const GroupParse& parse, OptionDefinition& definition, char* value) {
  if (has_no_piece(value, ';')) {
    messages::file_list_empty(parse.position(), parse.style.label + 1, definition.name, value);
    return false;
  }
  char* cursor = value;
  while (char* name = next_piece(cursor, ';')) {
    ++(parse.command_line.counts.*parse.style.file_count);
    paths::PathValue checked;
    if (!parse.style.file_check(name, parse.occurrence, definition.value_count, checked)) return false;
    store(definition, std::move(checked));
  }
  return true;
}

bool take_folder(const GroupParse& parse, OptionDefinition& definition, const char* value) {
  ++(parse.command_line.counts.*parse.style.folder_count);
  paths::PathValue checked;
  if (!parse.style.folder_check(value, parse.occurrence, checked)) return false;
  char (&folder_path)[platform::kMaxPath + 1] = parse.command_line.*parse.style.folder_path;
  std::memset(folder_path, 0, sizeof folder_path);
  checked.full_path.copy(folder_path, platform::kMaxPath);
  store(definition, std::move(checked));
  return true;
}

// Checks and stores the value of one piece; false after the messages.
bool take_piece(const GroupParse& parse, char* piece) {
  OptionDefinition* definition = identify(parse, piece);
  if (definition == nullptr) return false;
  const size_t name_length = std::strlen(definition->name);
  if (piece[name_length] == '\0') {
    messages::value_missing(parse.style.no_value_code, definition->name);
    return false;
  }
  if (!may_take(parse, *definition)) return false;
  definition->specified = 1;

  char* value = piece + name_length;
  switch (definition->kind) {
    case OptionKind::kNumber:
      return check_number(value, std::strlen(value), *definition, definition->minimum, definition->maximum,
                          definition->value, parse.style.label, parse.occurrence);
    case OptionKind::kFileList: return take_file_list(parse, *definition, value);
    case OptionKind::kFolder: return take_folder(parse, *definition, value);
  }
  return false;
}

bool names_path(const OptionDefinition* definitions, int definition_count) {
  for (int i = 0; i < definition_count; ++i) {
    if (definitions[i].kind != OptionKind::kNumber && definitions[i].value_count > 0) return true;
  }
  return false;
}

int parse_group(const GroupParse& parse, const char* argument) {
  const size_t switch_length = std::strlen(parse.style.label);
  const size_t length = std::strlen(argument);
  if (length <= switch_length) return parse.style.bare(parse.command_line, parse.position());

  // Cut in place below, so the argument itself stays as typed for messages.
  std::string copy;
  if (!paths::hold_text(parse.style.memory_code, std::string_view(argument, length), length + 1, copy)) {
    return kRefused;
  }
  if (copy[switch_length] != '/') {
    parse.style.not_slash(parse.position(), argument);
    return kRefused;
  }
  char* cursor = copy.data();
  next_piece(cursor, '/');  // the switch's own letter
  while (char* piece = next_piece(cursor, '/')) {
    if (!take_piece(parse, piece)) return kRefused;
  }
  return parse.style.finish(parse.command_line, parse.definitions, parse.position(),
                            names_path(parse.definitions, parse.definition_count));
}

}  // namespace

int parse_input_group(CommandLine& command_line, const char* argument, OptionDefinition* definitions,
                      int definition_count, int occurrence) {
  return parse_group({kInputStyle, command_line, definitions, definition_count, occurrence}, argument);
}

int parse_output_group(CommandLine& command_line, const char* argument, OptionDefinition* definitions,
                       int definition_count, int occurrence) {
  return parse_group({kOutputStyle, command_line, definitions, definition_count, occurrence}, argument);
}

int parse_message_group(CommandLine& command_line, const char* argument, OptionDefinition* definitions,
                        int definition_count, int occurrence) {
  return parse_group({kMessageStyle, command_line, definitions, definition_count, occurrence}, argument);
}

}  // namespace peltrix::cli
