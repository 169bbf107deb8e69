// The temporary folder every end-to-end test runs the program in: filled
// from a table of files, read back as one, and the program's words with the
// folder's path in them.
#pragma once

#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/files.h"
#include "support/in_process.h"
#include "support/process.h"
#include "support/system.h"

namespace peltrix::testing {

using Args = std::vector<std::string>;
// Names relative to the folder, with '/'. A name ending in '/' is an empty
// folder; contents "-> target" make a symbolic link, "=> name" a hard link
// to the folder's file name; anything else is a file's bytes.
using Files = std::map<std::string, std::string>;

// The lines of message code, given without their "Exxx-n " prefix.
std::string message(int code, const std::vector<std::string>& lines);
// E130: destination is also a source read without a backup.
std::string same_file(const std::string& destination);
// The message of code that another program holds the file path (what:
// "コピー元" or "コピー先").
std::string in_use(int code, const std::string& what, const std::string& path);
// Whether a row of a table, with its files and options, is left out on
// this system, which the tests cannot set up so; says so where it is.
bool left_out(const std::string& row, const Files& files, const RunOptions& options = {});
// Every line a message's: "E123-" or "I001-", each message's lines numbered from 1 without a gap.
::testing::AssertionResult numbered(const std::string& text);
// The same names with the same contents; a mismatch names what differs.
::testing::AssertionResult same_files(const Files& expected, const Files& actual);
// 3.6 MB of numbered records of every length, made once a test needs them.
const std::string& big();
// Pointers to the rows of tables, the parameters of their tests: no test copies a row.
template <typename Row, typename... More>
std::vector<const Row*> rows_of(const std::vector<Row>& table, const More&... more) {
  std::vector<const Row*> rows;
  for (const std::vector<Row>* each : {&table, &more...}) {
    for (const Row& row : *each) rows.push_back(&row);
  }
  return rows;
}
// A table row's name as a test's name: letters and digits, '_' between words.
std::string test_name(const std::string& text);

// Bytes that names below a run folder have in a full path of length bytes,
// beside others taken already; at least 1, whatever the system's
// temporary folder (a run folder that long cannot hold such a path).
size_t room(size_t length, size_t beside);
// "folder/file" below a run folder whose full path has length bytes, the
// file's name ending in tail: the folder name of up to folder bytes, less
// where the run folder leaves no room for it.
std::string sized_path(size_t length, size_t folder, const std::string& tail = "");

class RunFolderTest : public ::testing::Test {
 protected:
  // The built program, run in the folder; a '$' in an argument is the folder, typed.
  RunResult run(Args args, RunOptions options = {}) const;
  // The program's driver, run in this process in the folder.
  RunResult run_here(const Args& args) const { return run_in_process(args, folder_.path()); }

  void put(const Files& files) const;
  void put(const std::string& name, const std::string& bytes) const { put(Files{{name, bytes}}); }
  std::string get(const std::string& name) const { return read_file(folder_ / name); }
  // Everything below the folder, as put() takes it (files, empty folders, links).
  Files snapshot() const;
  // Empties the folder.
  void clear() const;
  // The folder as the program prints it (links resolved), joined with name.
  std::string real(const std::string& name = "") const;
  // text with every '$' turned into real(): a byte that no CP932 character
  // holds. The '/' of the path that follows it, up to a space, a newline or
  // a double quote, becomes the system's separator.
  std::string at(std::string text) const;

  const std::string stamp_ = run_date_stamp();
  TempFolder folder_;
};

}  // namespace peltrix::testing
