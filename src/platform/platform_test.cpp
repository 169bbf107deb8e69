#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/platform.h"
#include "support/files.h"

// The platform layer's contract, which every system's layer keeps.

namespace peltrix::platform {
namespace {

class PlatformTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::make_folders(root_ / "sub"); }
  std::string at(const std::string& name) const { return root_ / name; }
  static void put(const std::string& path, const std::string& bytes) { testing::write_file(path, bytes); }
  static std::string get(const std::string& path) { return testing::read_file(path); }

  testing::TempFolder root_;
};

TEST_F(PlatformTest, MissingFileAndMissingFolderAreToldApart) {
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

TEST_F(PlatformTest, SecondExclusiveOpenFailsAndLeavesTheFileUntouched) {
  put(at("held.txt"), "original bytes");
  const FileHandle holder = open_file(at("held.txt").c_str(), kGenericRead, 0, kOpenExisting, kAttributeNormal);
  ASSERT_NE(holder, kInvalidFile);

  for (uint32_t disposition : {kOpenExisting, kOpenAlways, kCreateAlways}) {
    SCOPED_TRACE(disposition);
    EXPECT_EQ(open_file(at("held.txt").c_str(), kGenericRead | kGenericWrite, 0, disposition, kAttributeNormal),
              kInvalidFile);
    EXPECT_EQ(last_error(), kErrorSharingViolation);
  }
  ASSERT_TRUE(close_file(holder));
  EXPECT_EQ(get(at("held.txt")), "original bytes");

  // Once released, the truncating open succeeds and truncates.
  const FileHandle writer = open_file(at("held.txt").c_str(), kGenericRead | kGenericWrite, 0, kCreateAlways,
                                      kAttributeNormal);
  ASSERT_NE(writer, kInvalidFile);
  ASSERT_TRUE(close_file(writer));
  EXPECT_EQ(get(at("held.txt")), "");
}

TEST_F(PlatformTest, DispositionsFollowCreateFile) {
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

TEST_F(PlatformTest, FullPathIsAbsoluteAndLexicallyNormal) {
  char out[kMaxPath + 1];
  // The top of the folder tree: "/", or the current drive's root.
  ASSERT_TRUE(full_path("\\", out, sizeof out));
  const std::string top = out;
  const std::string separator(1, kFolderSeparator);
  ASSERT_TRUE(full_path("\\tmp\\x\\..\\y\\.\\\\z.txt", out, sizeof out));
  EXPECT_EQ(out, top + "tmp" + separator + "y" + separator + "z.txt");
  ASSERT_TRUE(full_path("\\..\\..", out, sizeof out));
  EXPECT_EQ(out, top);

  const std::string cwd = std::filesystem::current_path().string();
  ASSERT_TRUE(full_path("a\\b\\..\\c.txt", out, sizeof out));
  EXPECT_EQ(std::string(out), cwd + separator + "a" + separator + "c.txt");
  ASSERT_TRUE(full_path(".", out, sizeof out));
  EXPECT_EQ(std::string(out), cwd);

  // Too long for the buffer: refused, never cut short.
  std::string name(kMaxPath + 2 - top.size(), '\\');
  std::fill(name.begin() + 1, name.end(), 'n');
  EXPECT_FALSE(full_path(name.c_str(), out, sizeof out));
  name.pop_back();
  ASSERT_TRUE(full_path(name.c_str(), out, sizeof out));
  EXPECT_EQ(std::strlen(out), kMaxPath);

  // The long form of an existing path is the path as typed.
  put(at("sub/long.txt"), "");
  const std::string typed = root_.path() + "\\sub\\long.txt";
  EXPECT_EQ(long_path(typed.c_str(), out, sizeof out), typed.size());
  EXPECT_EQ(std::string(out), typed);
  char tiny[4];
  EXPECT_EQ(long_path(typed.c_str(), tiny, sizeof tiny), typed.size() + 1);
}

// The blocks of a source are read at their place: the position stays where
// reads and seeks left it.
TEST_F(PlatformTest, AReadAtAnOffsetLeavesTheFilePositionAlone) {
  put(at("digits"), "0123456789");
  const FileHandle file = open_file(at("digits").c_str(), kGenericRead, 0, kOpenExisting, kAttributeNormal);
  ASSERT_NE(file, kInvalidFile);
  char buffer[8];
  uint32_t read = 0;
  ASSERT_TRUE(read_file(file, buffer, 2, &read));
  ASSERT_TRUE(read_file_at(file, 6, buffer, sizeof buffer, &read));
  EXPECT_EQ(std::string(buffer, read), "6789");
  ASSERT_TRUE(read_file(file, buffer, 1, &read));
  EXPECT_EQ(std::string(buffer, read), "2");
  ASSERT_TRUE(close_file(file));
}

TEST_F(PlatformTest, RenameNeverReplacesAnExistingName) {
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

TEST_F(PlatformTest, ListingIsSortedAndTellsFoldersFromFiles) {
  put(at("sub/b.txt"), "bb");
  put(at("sub/a.txt"), "a");
  testing::make_folders(at("sub/c"));
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

}  // namespace
}  // namespace peltrix::platform
