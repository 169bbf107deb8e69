// The command line's syntax as data: the top-level option table with its
// eight switches and the group tables of /I, /O and /M. The scanner and the
// group parsers read only these tables and store every parsed value back
// into them, so later stages read the command line from here.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace peltrix::cli {

// Most values one file-list option may hold.
inline constexpr int kMaxValues = 256;

enum class OptionKind : uint32_t { kNumber = 1, kFileList = 2, kFolder = 3 };

// What the path check found for one value of a file list or folder.
struct ValueSlot {
  uint32_t flags = 0;  // paths::value_flag bits
  int64_t size = 0;
  std::string given_text;  // the value exactly as typed
  std::string full_path;   // absolute long path, at most 260 bytes
  std::optional<platform::FileInformation> file_information;
};

// One sub-option of a group. Conflicts name other definitions of the same
// table by number (1-based); their order decides the message.
struct OptionDefinition {
  char name[8] = {};
  OptionKind kind = OptionKind::kNumber;
  uint32_t specified = 0;
  int32_t conflicts[4] = {};
  uint32_t minimum = 0;
  uint32_t maximum = 0;
  uint32_t value = 0;
  int32_t value_count = 0;
  std::vector<ValueSlot> slots;  // one per stored value, in the order given
};

using GroupTable = std::vector<OptionDefinition>;

// Definition numbers of the group tables.
enum InputOption : int { kIF = 1, kID, kIC, kIL, kIP, kIT, kIA, kIB, kIM, kIY, kIU };
enum OutputOption : int { kOF = 1, kOD, kOR, kOJ, kOE, kOU };
enum MessageOption : int { kMT = 1 };

// The definition with the given number (1-based) of a group table.
OptionDefinition& definition(GroupTable& table, int number);
const OptionDefinition& definition(const GroupTable& table, int number);
// The stored value of a number option, 0 when it was not given.
int32_t value_of(const GroupTable& table, int number);

// The switches /N, /S, /T, /W and /C: 1 when given. /T changes nothing.
struct RunFlags {
  uint32_t n = 0;
  uint32_t s = 0;
  uint32_t t = 0;
  uint32_t w = 0;
  uint32_t c = 0;
};

// Counts kept by the group parsers for the driver, the rules and planning.
struct ValueCounts {
  int32_t input_files = 0;          // names taken from /IF values
  int32_t input_folders = 0;        // /ID values
  int32_t output_files = 0;         // names taken from /OF values
  int32_t output_folders = 0;       // /OD values
  int32_t stdout_options = 0;       // /O groups naming neither /OF nor /OD that carry sub-options
  int32_t message_type = 0;         // /MT, 0 without /M
};

struct CommandLine;

// Parses one group argument into the definition_count definitions of its
// occurrence (0-based); 0 on success, 1 after its messages are printed.
using GroupParser = int (*)(CommandLine& command_line, const char* argument,
                            OptionDefinition* definitions, int definition_count, int occurrence);

// One switch of the top-level option table.
struct TopLevelEntry {
  char name[8] = {};
  uint32_t group = 0;
  uint32_t RunFlags::*flag_target = nullptr;  // plain switches only
  int32_t present_count = 0;
  int32_t sub_option_count = 0;
  GroupTable* group_table = nullptr;
  GroupParser group_parser = nullptr;
};

// Everything the command line says, for the whole run.
struct CommandLine {
  GroupTable input;
  GroupTable output;
  GroupTable message;
  std::array<TopLevelEntry, 8> top_level{};
  RunFlags flags;
  ValueCounts counts;
  char input_folder_path[platform::kMaxPath + 1] = {};   // full path of the /ID value
  char output_folder_path[platform::kMaxPath + 1] = {};  // full path of the /OD value

  CommandLine() = default;
  CommandLine(const CommandLine&) = delete;
  CommandLine& operator=(const CommandLine&) = delete;
};

// The read-only group templates.
const GroupTable& input_template();
const GroupTable& output_template();
const GroupTable& message_template();

// Start-up: copies the group templates into the working tables and builds
// the top-level table that points at them and at their parsers.
void prepare_working_tables(CommandLine& command_line);

}  // namespace peltrix::cli
