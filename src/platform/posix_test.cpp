#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "platform/platform.h"

namespace peltrix::platform {
namespace {

class PosixTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = std::filesystem::temp_directory_path() / ("peltrix-posix-" + std::to_string(getpid()));
    std::filesystem::remove_all(root_);
    std::filesystem::create_directories(root_ / "sub");
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  std::string at(const std::string& name) const { return (root_ / name).string(); }

  static void put(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  static std::string get(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

  std::filesystem::path root_;
};

TEST_F(PosixTest, MissingFileAndMissingFolderAreToldApart) {
  PathStatus status;
  EXPECT_FALSE(path_status(at("sub/none.txt").c_str(), &status));
  EXPECT_EQ(last_error(), kErrorFileNotFound);
  EXPECT_FALSE(path_status(at("nofolder/none.txt").c_str(), &status));
  EXPECT_EQ(last_error(), kErrorPathNotFound);
  // A file on the way is a missing folder too.
  put(at("plain"), "x");
  EXPECT_FALSE(path_status(at("plain/none.txt").c_str(), &status));
  EXPECT_EQ(last_error(), kErrorPathNotFound);

  char out[kMaxPath + 1];
  EXPECT_EQ(long_path(at("sub/none.txt").c_str(), out, sizeof out), 0u);
  EXPECT_EQ(last_error(), kErrorFileNotFound);
  EXPECT_EQ(open_file(at("nofolder/x").c_str(), kGenericRead, 0, kOpenExisting, kAttributeNormal), kInvalidFile);
  EXPECT_EQ(last_error(), kErrorPathNotFound);
}

TEST_F(PosixTest, BackslashesSeparateFoldersAndKindsAreReported) {
  put(at("sub/a.txt"), "hello");
  const std::string typed = root_.string() + "\\sub\\a.txt";
  PathStatus status;
  ASSERT_TRUE(path_status(typed.c_str(), &status));
  EXPECT_EQ(status.kind, PathKind::kFile);
  EXPECT_EQ(status.size, 5);
  ASSERT_TRUE(path_status(at("sub").c_str(), &status));
  EXPECT_EQ(status.kind, PathKind::kFolder);
  ASSERT_TRUE(path_status("/dev/null", &status));
  EXPECT_EQ(status.kind, PathKind::kOther);
}

TEST_F(PosixTest, SecondExclusiveOpenFailsAndLeavesTheFileUntouched) {
  put(at("held.txt"), "original bytes");
  const FileHandle holder = open_file(at("held.txt").c_str(), kGenericRead, 0, kOpenExisting, kAttributeNormal);
  ASSERT_NE(holder, kInvalidFile);

  for (uint32_t disposition : {kOpenExisting, kOpenAlways, kCreateAlways}) {
    SCOPED_TRACE(disposition);
    EXPECT_EQ(open_file(at("held.txt").c_str(), kGenericRead | kGenericWrite, 0, disposition, kAttributeNormal),
              kInvalidFile);
    EXPECT_EQ(last_error(), kErrorSharingViolation);
    EXPECT_EQ(get(at("held.txt")), "original bytes");
  }
  ASSERT_TRUE(close_file(holder));

  // Once released, the truncating open succeeds and truncates.
  const FileHandle writer = open_file(at("held.txt").c_str(), kGenericRead | kGenericWrite, 0, kCreateAlways,
                                      kAttributeNormal);
  ASSERT_NE(writer, kInvalidFile);
  EXPECT_EQ(get(at("held.txt")), "");
  ASSERT_TRUE(close_file(writer));
}

TEST_F(PosixTest, DispositionsFollowCreateFile) {
  put(at("exists.txt"), "abc");
  EXPECT_EQ(open_file(at("exists.txt").c_str(), kGenericRead | kGenericWrite, 0, kCreateNew, kAttributeNormal),
            kInvalidFile);
  EXPECT_EQ(last_error(), kErrorFileExists);
  EXPECT_EQ(get(at("exists.txt")), "abc");

  const FileHandle appended = open_file(at("exists.txt").c_str(), kGenericRead | kGenericWrite, 0, kOpenAlways,
                                        kAttributeNormal);
  ASSERT_NE(appended, kInvalidFile);
  int64_t position = -1;
  ASSERT_TRUE(seek_file(appended, 0, SeekFrom::kEnd, &position));
  EXPECT_EQ(position, 3);
  uint32_t written = 0;
  ASSERT_TRUE(write_file(appended, "de", 2, &written));
  EXPECT_EQ(written, 2u);
  ASSERT_TRUE(close_file(appended));
  EXPECT_EQ(get(at("exists.txt")), "abcde");

  const FileHandle created = open_file(at("new.txt").c_str(), kGenericRead | kGenericWrite, 0, kOpenAlways,
                                       kFlagWriteThrough);
  ASSERT_NE(created, kInvalidFile);
  ASSERT_TRUE(close_file(created));
  EXPECT_TRUE(std::filesystem::exists(at("new.txt")));

  // A folder is never opened as a file.
  EXPECT_EQ(open_file(at("sub").c_str(), kGenericRead, 0, kOpenExisting, kAttributeNormal), kInvalidFile);
  EXPECT_EQ(last_error(), kErrorAccessDenied);
}

TEST_F(PosixTest, PermissionsGoOverWithoutTheOwnerAProcessMayNotGive) {
  if (geteuid() != 0) GTEST_SKIP() << "a file of another owner needs root to make";
  put(at("original"), "x");
  ASSERT_EQ(chown(at("original").c_str(), 4321, 4321), 0);
  ASSERT_EQ(chmod(at("original").c_str(), 06751), 0);
  ASSERT_EQ(chmod(root_.c_str(), 0777), 0);
  // An unprivileged process: the refused owner and group are no failure, and
  // the set-id bits, which were for them, do not come along.
  EXPECT_EXIT(
      {
        if (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0) std::_Exit(2);
        const FileHandle copy = open_file(at("copy").c_str(), kGenericRead | kGenericWrite, 0, kCreateNew, 0);
        struct stat st {};
        const bool given = copy_permissions(at("original").c_str(), copy) && fstat(static_cast<int>(copy), &st) == 0;
        std::_Exit(given && (st.st_mode & 07777) == 0751 && st.st_uid == 65534 ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(PosixTest, ReadFillsTheBufferUntilTheEnd) {
  put(at("data.bin"), std::string(5000, 'x'));
  const FileHandle file = open_file(at("data.bin").c_str(), kGenericRead, 0, kOpenExisting, kAttributeNormal);
  ASSERT_NE(file, kInvalidFile);
  char buffer[4096];
  uint32_t count = 0;
  ASSERT_TRUE(read_file(file, buffer, sizeof buffer, &count));
  EXPECT_EQ(count, 4096u);
  ASSERT_TRUE(read_file(file, buffer, sizeof buffer, &count));
  EXPECT_EQ(count, 904u);
  ASSERT_TRUE(read_file(file, buffer, sizeof buffer, &count));
  EXPECT_EQ(count, 0u);
  ASSERT_TRUE(close_file(file));
}

TEST_F(PosixTest, TwoNamesOfOneFileHaveOneIdentity) {
  put(at("a.txt"), "one");
  put(at("b.txt"), "one");
  std::filesystem::create_hard_link(at("a.txt"), at("sub/link.txt"));

  auto identity_of = [](const std::string& path) {
    const FileHandle file = open_file(path.c_str(), kGenericRead, 0, kOpenExisting, kAttributeNormal);
    EXPECT_NE(file, kInvalidFile);
    FileInformation info;
    EXPECT_TRUE(file_information(file, &info));
    EXPECT_TRUE(close_file(file));
    return info;
  };
  const FileInformation a = identity_of(at("a.txt"));
  EXPECT_EQ(a.identity, identity_of(at("sub/link.txt")).identity);
  EXPECT_EQ(a.links, 2u);
  EXPECT_EQ(a.size, 3u);
  EXPECT_NE(a.identity, identity_of(at("b.txt")).identity);
}

TEST_F(PosixTest, FullPathIsAbsoluteAndLexicallyNormal) {
  char out[kMaxPath + 1];
  ASSERT_TRUE(full_path("\\tmp\\x\\..\\y\\.\\\\z.txt", out, sizeof out));
  EXPECT_STREQ(out, "/tmp/y/z.txt");
  ASSERT_TRUE(full_path("/../..", out, sizeof out));
  EXPECT_STREQ(out, "/");

  const std::string cwd = std::filesystem::current_path().string();
  ASSERT_TRUE(full_path("a\\b\\..\\c.txt", out, sizeof out));
  EXPECT_EQ(std::string(out), cwd + "/a/c.txt");
  ASSERT_TRUE(full_path(".", out, sizeof out));
  EXPECT_EQ(std::string(out), cwd);

  // Too long for the buffer: refused, never cut short.
  const std::string long_name = "\\" + std::string(kMaxPath, 'n');
  EXPECT_FALSE(full_path(long_name.c_str(), out, sizeof out));
  ASSERT_TRUE(full_path(long_name.substr(0, kMaxPath).c_str(), out, sizeof out));
  EXPECT_EQ(std::strlen(out), kMaxPath);

  // The long form of an existing path is the path as typed.
  put(at("sub/long.txt"), "");
  const std::string typed = root_.string() + "\\sub\\long.txt";
  EXPECT_EQ(long_path(typed.c_str(), out, sizeof out), typed.size());
  EXPECT_EQ(std::string(out), typed);
  char tiny[4];
  EXPECT_EQ(long_path(typed.c_str(), tiny, sizeof tiny), typed.size() + 1);
}

TEST_F(PosixTest, RenameNeverReplacesAnExistingName) {
  put(at("from.txt"), "from");
  put(at("to.txt"), "to");
  EXPECT_NE(rename_path(at("from.txt").c_str(), at("to.txt").c_str()), 0);
  EXPECT_EQ(last_error(), kErrorAlreadyExists);
  EXPECT_EQ(get(at("from.txt")), "from");
  EXPECT_EQ(get(at("to.txt")), "to");

  EXPECT_EQ(rename_path(at("from.txt").c_str(), at("sub/moved.txt").c_str()), 0);
  EXPECT_EQ(get(at("sub/moved.txt")), "from");
  EXPECT_FALSE(std::filesystem::exists(at("from.txt")));

  EXPECT_NE(rename_path(at("from.txt").c_str(), at("again.txt").c_str()), 0);
  EXPECT_EQ(last_error(), kErrorFileNotFound);
}

TEST_F(PosixTest, FoldersAreMadeOneLevelAtATime) {
  EXPECT_NE(make_folder(at("x/y").c_str()), 0);
  EXPECT_EQ(last_error(), kErrorPathNotFound);
  EXPECT_EQ(make_folder(at("x").c_str()), 0);
  EXPECT_EQ(make_folder(at("x/y").c_str()), 0);
  EXPECT_NE(make_folder(at("x").c_str()), 0);
  EXPECT_EQ(last_error(), kErrorAlreadyExists);

  put(at("x/y/f.txt"), "");
  EXPECT_EQ(remove_file(at("x/y/f.txt").c_str()), 0);
  EXPECT_NE(remove_file(at("x/y/f.txt").c_str()), 0);
  EXPECT_EQ(last_error(), kErrorFileNotFound);
}

TEST_F(PosixTest, ListingIsSortedAndTellsFoldersFromFiles) {
  put(at("sub/b.txt"), "bb");
  put(at("sub/a.txt"), "a");
  std::filesystem::create_directory(at("sub/c"));
  const std::string pattern = at("sub") + "\\*";
  FindItem item;
  FindSearch* search = find_first(pattern.c_str(), &item);
  ASSERT_NE(search, nullptr);
  std::vector<std::string> names{item.name};
  std::vector<bool> folders{item.is_folder};
  while (find_next(search, &item)) {
    names.push_back(item.name);
    folders.push_back(item.is_folder);
    if (names.back() == "b.txt") {
      EXPECT_EQ(item.size, 2u);
    }
  }
  EXPECT_EQ(last_error(), kErrorNoMoreFiles);
  EXPECT_TRUE(find_close(search));
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", "a.txt", "b.txt", "c"}));
  EXPECT_EQ(folders, (std::vector<bool>{true, true, false, false, true}));

  EXPECT_EQ(find_first((at("none") + "\\*").c_str(), &item), nullptr);
}

TEST_F(PosixTest, SystemTextsEndWithCrLfAndUnknownCodesHaveNone) {
  char text[1024];
  const uint32_t length = system_message(kErrorFileNotFound, text, sizeof text);
  ASSERT_GT(length, 2u);
  EXPECT_EQ(std::string(text), "指定されたファイルが見つかりません。\r\n");
  for (uint32_t code : {kErrorPathNotFound, kErrorAccessDenied, kErrorSharingViolation, kErrorFileExists,
                        kErrorBrokenPipe, kErrorDiskFull, kErrorAlreadyExists, kErrorFilenameTooLong}) {
    EXPECT_GT(system_message(code, text, sizeof text), 0u) << code;
  }
  EXPECT_EQ(system_message(0x20000000u | 9999u, text, sizeof text), 0u);
  EXPECT_EQ(last_error(), 317u);
}

TEST(PosixSeparators, TheLastSeparatorIsFoundWhateverItsKind) {
  const char* path = "a\\b/c\\d.txt";
  EXPECT_EQ(last_folder_separator(path), path + 5);
  EXPECT_EQ(last_folder_separator("plain.txt"), nullptr);
  EXPECT_TRUE(is_folder_separator('\\'));
  EXPECT_TRUE(is_folder_separator('/'));
  EXPECT_FALSE(is_folder_separator(':'));
}

}  // namespace
}  // namespace peltrix::platform
