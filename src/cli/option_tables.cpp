#include "cli/option_tables.h"

#include <cstring>

#include "cli/group_parsers.h"

namespace peltrix::cli {

namespace {

constexpr uint32_t kMaxInt32 = 2147483647u;
constexpr uint32_t kMaxMegabytes = 131072u;

OptionDefinition number(const char* name, uint32_t minimum, uint32_t maximum,
                        std::array<int32_t, 4> conflicts = {}) {
  OptionDefinition d;
  std::strncpy(d.name, name, sizeof d.name - 1);
  d.kind = OptionKind::kNumber;
  for (int i = 0; i < 4; ++i) d.conflicts[i] = conflicts[static_cast<size_t>(i)];
  d.minimum = minimum;
  d.maximum = maximum;
  return d;
}

OptionDefinition path(const char* name, OptionKind kind, int32_t conflict) {
  OptionDefinition d;
  std::strncpy(d.name, name, sizeof d.name - 1);
  d.kind = kind;
  d.conflicts[0] = conflict;
  return d;
}

GroupTable make_input_template() {
  return {
      path("IF", OptionKind::kFileList, kID),
      path("ID", OptionKind::kFolder, kIF),
      number("IC", 1, 7),
      number("IL", 1, kMaxInt32, {kIT, kIB, kIM, kIA}),
      number("IP", 1, kMaxInt32, {kIM, kIB, kIT, kIA}),
      number("IT", 1, kMaxInt32, {kIL, kIP, kIA}),
      number("IA", 1, kMaxMegabytes, {kIT, kIP, kIL}),
      number("IB", 1, kMaxInt32, {kIM, kIP, kIL}),
      number("IM", 1, kMaxMegabytes, {kIB, kIP, kIL}),
      number("IY", 1, 2),
      number("IU", 1, 2),
  };
}

GroupTable make_output_template() {
  return {
      path("OF", OptionKind::kFileList, kOD),
      path("OD", OptionKind::kFolder, kOF),
      number("OR", 1, 2),
      number("OJ", 1, 7),
      number("OE", 1, 3),
      number("OU", 1, 3),
  };
}

GroupTable make_message_template() { return {number("MT", 1, 3)}; }

TopLevelEntry group_switch(const char* name, GroupTable* table, GroupParser parser) {
  TopLevelEntry e;
  std::strncpy(e.name, name, sizeof e.name - 1);
  e.group = 1;
  e.sub_option_count = static_cast<int32_t>(table->size());
  e.group_table = table;
  e.group_parser = parser;
  return e;
}

TopLevelEntry plain_switch(const char* name, uint32_t RunFlags::*flag) {
  TopLevelEntry e;
  std::strncpy(e.name, name, sizeof e.name - 1);
  e.flag_target = flag;
  return e;
}

}  // namespace

OptionDefinition& definition(GroupTable& table, int number) { return table[static_cast<size_t>(number - 1)]; }

const OptionDefinition& definition(const GroupTable& table, int number) {
  return table[static_cast<size_t>(number - 1)];
}

int32_t value_of(const GroupTable& table, int number) {
  const OptionDefinition& d = definition(table, number);
  return d.specified != 0 ? static_cast<int32_t>(d.value) : 0;
}

const GroupTable& input_template() {
  static const GroupTable table = make_input_template();
  return table;
}

const GroupTable& output_template() {
  static const GroupTable table = make_output_template();
  return table;
}

const GroupTable& message_template() {
  static const GroupTable table = make_message_template();
  return table;
}

namespace {

// Room for every value up front: the entries made in planning point into
// the slots, so the slots must never move.
void reserve_slots(GroupTable& table) {
  for (OptionDefinition& d : table) {
    if (d.kind == OptionKind::kFileList) d.slots.reserve(kMaxValues);
    if (d.kind == OptionKind::kFolder) d.slots.reserve(1);
  }
}

}  // namespace

void prepare_working_tables(CommandLine& command_line) {
  command_line.input = input_template();
  command_line.output = output_template();
  command_line.message = message_template();
  reserve_slots(command_line.input);
  reserve_slots(command_line.output);
  command_line.top_level = {
      group_switch("/I", &command_line.input, parse_input_group),
      group_switch("/O", &command_line.output, parse_output_group),
      group_switch("/M", &command_line.message, parse_message_group),
      plain_switch("/N", &RunFlags::n),
      plain_switch("/S", &RunFlags::s),
      plain_switch("/T", &RunFlags::t),
      plain_switch("/W", &RunFlags::w),
      plain_switch("/C", &RunFlags::c),
  };
}

}  // namespace peltrix::cli
