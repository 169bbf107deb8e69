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
  void SetUp() override { std::filesystem::create_directories(root_ / "sub"); }
  std::string at(const std::string& name) const { return root_ / name; }
  static void put(const std::string& path, const std::string& bytes) { testing::write_file(path, bytes); }
  static std::string get(const std::string& path) { return testing::read_file(path); }

  testing::TempFolder root_;
};

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
  // A read at an offset (the blocks of a source) leaves the position where it was.
  char bytes[8];
  uint32_t read = 0;
  ASSERT_TRUE(seek_file(appended, 1, SeekFrom::kBegin, &position));
  ASSERT_TRUE(read_file_at(appended, 3, bytes, sizeof bytes, &read));
  EXPECT_EQ(std::string(bytes, read), "de");
  ASSERT_TRUE(read_file(appended, bytes, sizeof bytes, &read));
  EXPECT_EQ(std::string(bytes, read), "bcde");
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

  // The long form of an existing path is the path as typed.
  put(at("sub/long.txt"), "");
  const std::string typed = root_.path() + "\\sub\\long.txt";
  EXPECT_EQ(long_path(typed.c_str(), out, sizeof out), typed.size());
  EXPECT_EQ(std::string(out), typed);
  char tiny[4];
  EXPECT_EQ(long_path(typed.c_str(), tiny, sizeof tiny), typed.size() + 1);
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

}  // namespace
}  // namespace peltrix::platform
