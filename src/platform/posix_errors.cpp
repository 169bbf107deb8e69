// POSIX (Linux and other POSIX systems): failures are reported with the
// Windows error numbers that the rest of the program tells apart, and their
// texts are this layer's own, in the wording Windows uses for them.

#include "platform/platform.h"
#include "platform/posix_errors.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/posix_portable.h"

namespace peltrix::platform {

thread_local uint32_t g_last_error = 0;

// ENOENT means 2 when the folder that would hold the name exists, else 3.
uint32_t not_found_code(const std::string& native_path) {
  std::string parent;
  const size_t slash = native_path.find_last_of('/');
  if (slash == std::string::npos) {
    parent.assign(1, '.');
  } else if (slash == 0) {
    parent.assign(1, '.');
  } else {
    parent = native_path.substr(0, slash);
  }
  struct stat st;
  if (stat(parent.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return kErrorFileNotFound;
  return kErrorPathNotFound;
}

// Windows error number for errno after an operation on native_path.
uint32_t map_errno(int error, const std::string& native_path) {
  switch (error) {
    case ENOENT: return not_found_code(native_path);
    case ENOTDIR: return kErrorPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR: return kErrorAccessDenied;
    case EWOULDBLOCK: return kErrorSharingViolation;
    case EEXIST: return kErrorAlreadyExists;
    case EPIPE: return kErrorBrokenPipe;
    case ENOSPC:
    case EDQUOT: return kErrorDiskFull;
    case ENAMETOOLONG: return kErrorFilenameTooLong;
    case EBADF: return kErrorInvalidHandle;
    case EMFILE:
    case ENFILE: return kErrorTooManyOpenFiles;
    case ENOMEM: return kErrorNotEnoughMemory;
    case EXDEV: return kErrorNotSameDevice;
    case EROFS: return kErrorWriteProtect;
    case ENOTSUP: return kErrorNotSupported;
    case EINVAL: return kErrorInvalidParameter;
    case ENOTEMPTY: return kErrorDirNotEmpty;
    case EBUSY:
    case ETXTBSY: return kErrorBusy;
    case EFBIG: return kErrorFileTooLarge;
    case EIO: return kErrorIoDevice;
    case ELOOP: return kErrorCantResolveFilename;
    default: return kCustomerBit | static_cast<uint32_t>(error);
  }
}

bool fail(uint32_t code) {
  g_last_error = code;
  return false;
}

bool fail_errno(const std::string& native_path) {
  return fail(map_errno(errno, native_path));
}

namespace {

struct SystemText {
  uint32_t code;
  const char* text;
};

// The texts that the system-error lines print for the codes this layer
// reports, in the wording Windows uses for them.
constexpr SystemText kSystemTexts[] = {
    {2, "指定されたファイルが見つかりません。"},
    {3, "指定されたパスが見つかりません。"},
    {4, "システムはファイルを開くことができません。"},
    {5, "アクセスが拒否されました。"},
    {6, "ハンドルが無効です。"},
    {8, "このコマンドを実行するのに十分な記憶域がありません。"},
    {17, "システムはファイルを別のディスク ドライブに移動できません。"},
    {18, "これ以上ファイルはありません。"},
    {19, "メディアは書き込み禁止になっています。"},
    {32, "プロセスはファイルにアクセスできません。別のプロセスが使用中です。"},
    {38, "ファイルの終わりに達しました。"},
    {50, "要求はサポートされていません。"},
    {80, "ファイルが存在します。"},
    {87, "パラメーターが間違っています。"},
    {109, "パイプは終了しました。"},
    {112, "ディスクに十分な空き領域がありません。"},
    {122, "システム コール エリアに渡されるデータ領域が小さすぎます。"},
    {131, "ファイル ポインターをファイルの先頭より前に設定しようとしました。"},
    {145, "ディレクトリが空ではありません。"},
    {170, "要求されたリソースは使用中です。"},
    {183, "既に存在するファイルを作成することはできません。"},
    {206, "ファイル名または拡張子が長すぎます。"},
    {223, "ファイルのサイズが制限を超えているため、保存できません。"},
    {995, "スレッドの終了またはアプリケーションの要求によって、I/O 処理は中止されました。"},
    {1117, "I/O デバイス エラーが発生したため、要求を実行できませんでした。"},
    {1921, "ファイル名を解決できません。"},
};

}  // namespace

uint32_t last_error() { return g_last_error; }
void set_last_error(uint32_t code) { g_last_error = code; }

uint32_t system_message(uint32_t code, char* buffer, uint32_t size) {
  for (const SystemText& entry : kSystemTexts) {
    if (entry.code != code) continue;
    const size_t length = std::strlen(entry.text) + 2;
    if (length + 1 > size) {
      fail(kErrorInsufficientBuffer);
      return 0;
    }
    std::snprintf(buffer, size, "%s\r\n", entry.text);
    return static_cast<uint32_t>(length);
  }
  fail(kErrorMessageNotFound);
  return 0;
}

}  // namespace peltrix::platform
