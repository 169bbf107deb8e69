#include "planning/backup_name.h"

#include <cstring>
#include <new>

#include "messages/catalogue_memory.h"
#include "messages/catalogue_planning.h"
#include "messages/messages.h"
#include "platform/platform.h"

namespace peltrix::planning {

namespace {

constexpr int kLastNumber = 9999;
constexpr size_t kNumberLength = 4;

// Where the stamp and number go: before the last '.' of the file name, or
// at the end when the file name has none.
size_t insertion_point(const std::string& full_path) {
  const char* separator = platform::last_folder_separator(full_path.c_str());
  const size_t name_start = separator == nullptr ? 0 : static_cast<size_t>(separator - full_path.c_str()) + 1;
  const size_t dot = full_path.rfind('.');
  return dot == std::string::npos || dot < name_start ? full_path.size() : dot;
}

void write_number(BackupName& name, int number) {
  char digits[kNumberLength + 1] = {};
  messages::format_bounded(digits, sizeof digits, "%04d", number);
  name.text.replace(name.number_position, kNumberLength, digits, kNumberLength);
}

bool is_taken_by_destination(const std::string& text, const std::vector<cli::ValueSlot>& taken) {
  for (const cli::ValueSlot& destination : taken) {
    if (destination.full_path == text) return true;
  }
  return false;
}

}  // namespace

bool make_backup_name(const std::string& full_path, const char* run_date_stamp, BackupName& name) {
  const size_t stamp_length = std::strlen(run_date_stamp);
  const size_t at = insertion_point(full_path);
  try {
    name.text.reserve(full_path.size() + stamp_length + kNumberLength);
    name.text.assign(full_path, 0, at);
    name.text.append(run_date_stamp);
    name.number_position = name.text.size();
    name.text.append("0001");
    name.text.append(full_path, at);
  } catch (const std::bad_alloc&) {
    messages::memory_refused(messages::kBackupNameMemory, full_path.size() + stamp_length + 11,
                             platform::kErrorNotEnoughMemory);
    return false;
  }
  if (name.text.size() > platform::kMaxPath) {
    messages::backup_name_too_long();
    return false;
  }
  return true;
}

bool choose_backup_number(BackupName& name, int input_position, const std::vector<cli::ValueSlot>& taken) {
  for (int number = 1; number <= kLastNumber; ++number) {
    write_number(name, number);
    if (is_taken_by_destination(name.text, taken)) continue;
    // A name held in any form, even by a link that leads nowhere, is taken.
    platform::PathStatus status;
    if (platform::name_status(name.text.c_str(), &status)) continue;
    const uint32_t error = platform::last_error();
    if (error == platform::kErrorFileNotFound) return true;
    messages::backup_io_error(input_position, name.text.c_str(), error);
    return false;
  }
  messages::backup_numbers_used_up(name.text.c_str());
  return false;
}

}  // namespace peltrix::planning
