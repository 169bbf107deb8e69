#include "paths/path_too_long.h"

#include "messages/messages.h"

namespace peltrix::paths {

void print_path_too_long(const char* given) {
  messages::line(kPathTooLongCode, 1, "次のパスの長さが上限の260バイトを超えています。");
  messages::line(kPathTooLongCode, 2, "%s", given);
  messages::line(kPathTooLongCode, 3, "260バイト以下のパスになるように，フォルダ名またはファイル名を短くしてください。");
}

}  // namespace peltrix::paths
