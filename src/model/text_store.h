// The texts that planning makes and entries point at: names and paths found
// by the folder scan, destination names built in the destination folder.
#pragma once

#include <deque>
#include <string>
#include <string_view>

#include "messages/catalogue_memory.h"

namespace peltrix::model {

class TextStore {
 public:
  // A copy of text that stays in place for the whole run; nullptr after the
  // out-of-memory messages of memory_code (requested: length plus one).
  const char* keep(std::string_view text, messages::MemoryCode memory_code);

 private:
  std::deque<std::string> texts_;
};

}  // namespace peltrix::model
