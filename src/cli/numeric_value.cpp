#include "cli/numeric_value.h"

#include "messages/catalogue_cli.h"

namespace peltrix::cli {

namespace {

constexpr uint64_t kLargest64 = 0x7FFFFFFFFFFFFFFFull;

// The decimal digits as a 64-bit number; beyond the signed 64-bit range the
// largest such value, so that no digit count can wrap round into range.
uint64_t saturated_value(const char* text, size_t length) {
  uint64_t value = 0;
  for (size_t i = 0; i < length; ++i) {
    const uint64_t digit = static_cast<uint64_t>(text[i] - '0');
    if (value > (kLargest64 - digit) / 10) return kLargest64;
    value = value * 10 + digit;
  }
  return value;
}

}  // namespace

bool check_number(const char* text, size_t length, const OptionDefinition& definition, uint32_t minimum,
                  uint32_t maximum, uint32_t& target, const char* group_label, int occurrence) {
  const int position = occurrence + 1;
  for (size_t i = 0; i < length; ++i) {
    if (text[i] < '0' || text[i] > '9') {
      messages::number_not_digits(position, group_label, definition.name, text, length);
      return false;
    }
  }
  const uint64_t value = saturated_value(text, length);
  if ((value >> 32) == 0 && value >= minimum && value <= maximum) {
    target = static_cast<uint32_t>(value);
    return true;
  }
  messages::number_out_of_range(position, group_label, definition.name, text, length, minimum, maximum);
  return false;
}

}  // namespace peltrix::cli
