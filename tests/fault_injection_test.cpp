// Every kind of run, failed at every call of every platform operation in
// turn: each failure must be reported with its system error, end the run
// with status 1 and leave every source's bytes where they can be found.

#include <unistd.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/fault_injection.h"
#include "support/files.h"
#include "support/in_process.h"

namespace peltrix::testing {
namespace {

namespace fs = std::filesystem;
using platform::faults::Operation;

constexpr uint32_t kInjectedError = 1117;  // an I/O device error, with a system text
const char* const kOperationNames[] = {"open", "read", "write", "close", "seek", "rename",
                                       "remove", "mkdir", "find", "status", "information"};

// Every file below root with its bytes, by relative path.
std::map<std::string, std::string> snapshot(const std::string& root) {
  std::map<std::string, std::string> files;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(root)) {
    const std::string name = fs::relative(e.path(), root).string();
    files[name] = e.is_regular_file() ? read_file(e.path().string()) : std::string("<folder>");
  }
  return files;
}

struct Scenario {
  std::string name;
  std::map<std::string, std::string> files;  // made before the run; "<folder>" makes a folder
  std::vector<std::string> args;             // "@" stands for the run's folder as typed
  std::vector<std::string> sources;          // files whose bytes must survive
  bool in_place = false;                     // a source may survive under its backup name
};

class FaultMatrix {
 public:
  // Runs the scenario once without a fault, then once for every call of every
  // operation, failing that call.
  void cover(const Scenario& scenario) {
    SCOPED_TRACE(scenario.name);
    platform::faults::disarm();
    TempFolder clean;
    prepare(scenario, clean.path());
    const RunResult dry = run_in_process(arguments(scenario, clean.path()));
    ASSERT_EQ(dry.status, 0) << dry.err;
    const std::map<std::string, std::string> expected = snapshot(clean.path());
    std::vector<uint64_t> calls;
    for (int op = 0; op < platform::faults::kOperationCount; ++op) {
      calls.push_back(platform::faults::calls(static_cast<Operation>(op)));
    }

    for (int op = 0; op < platform::faults::kOperationCount; ++op) {
      for (uint64_t nth = 1; nth <= calls[static_cast<size_t>(op)]; ++nth) {
        SCOPED_TRACE(std::string(kOperationNames[op]) + " call " + std::to_string(nth));
        TempFolder folder;
        prepare(scenario, folder.path());
        platform::faults::arm(static_cast<Operation>(op), nth, kInjectedError);
        const RunResult outcome = run_in_process(arguments(scenario, folder.path()));
        // The call was really made to fail: a run without it proves nothing.
        EXPECT_EQ(platform::faults::failed_calls(), 1u);
        platform::faults::disarm();
        ++runs_;
        check(scenario, folder.path(), outcome, expected);
      }
    }
  }

  int runs() const { return runs_; }

 private:
  static void prepare(const Scenario& scenario, const std::string& root) {
    for (const auto& [name, bytes] : scenario.files) {
      const fs::path path = fs::path(root) / name;
      if (bytes == "<folder>") {
        fs::create_directories(path);
      } else {
        fs::create_directories(path.parent_path());
        write_file(path.string(), bytes);
      }
    }
  }

  static std::vector<std::string> arguments(const Scenario& scenario, const std::string& root) {
    std::vector<std::string> args;
    for (std::string arg : scenario.args) {
      for (size_t at = arg.find('@'); at != std::string::npos; at = arg.find('@')) arg.replace(at, 1, typed(root));
      args.push_back(arg);
    }
    return args;
  }

  // A failed call either leaves the result a run without it gives, or is
  // reported with its system error; no source byte is ever lost.
  static void check(const Scenario& scenario, const std::string& root, const RunResult& outcome,
                    const std::map<std::string, std::string>& expected) {
    if (outcome.status == 0) {
      EXPECT_EQ(snapshot(root), expected) << "a failure passed unreported";
      return;
    }
    EXPECT_EQ(outcome.status, 1);
    EXPECT_NE(outcome.err.find("システムエラーコード=1117\n"), std::string::npos) << outcome.err;
    for (const std::string& source : scenario.sources) {
      const std::string& original = scenario.files.at(source);
      const fs::path path = fs::path(root) / source;
      if (fs::exists(path) && read_file(path.string()) == original) continue;
      if (scenario.in_place) {
        const fs::path backup = path.parent_path() / (path.stem().string() + run_date_stamp() + "0001" +
                                                      path.extension().string());
        if (fs::exists(backup) && read_file(backup.string()) == original) continue;
      }
      std::string files;
      for (const auto& [name, bytes] : snapshot(root)) files += name + " (" + std::to_string(bytes.size()) + ") ";
      ADD_FAILURE() << source << " lost its bytes; status " << outcome.status << "; files: " << files << "\n"
                    << outcome.err;
    }
  }

  int runs_ = 0;
};

const std::string kText = "first\r\nsecond\r\nthird";
const std::string kMarked = "\xEF\xBB\xBF" "one\ntwo\n\x1A";

TEST(FaultInjectionTest, EveryFailureIsReportedAndNoSourceByteIsLost) {
  const std::vector<Scenario> scenarios = {
      {"joined copy into files",
       {{"a.txt", kText}, {"b.txt", "b\n"}, {"o1.txt", "old"}},
       {"/I/IF@\\a.txt;@\\b.txt", "/O/OF@\\o1.txt;@\\o2.txt/OU2", "/M/MT3"},
       {"a.txt", "b.txt"}},
      {"joined copy to standard output", {{"a.txt", kText}}, {"/I/IF@\\a.txt/IL1", "/M/MT2"}, {"a.txt"}},
      {"in-place copy", {{"a.txt", kText}}, {"/I/IF@\\a.txt", "/O/OF@\\a.txt/OU2/OR1"}, {"a.txt"}, true},
      {"in-place copy keeping its backup",
       {{"a.txt", kMarked}},
       {"/I/IF@\\a.txt/IU1", "/O/OF@\\a.txt/OU3"},
       {"a.txt"},
       true},
      {"large joined copy through the system",
       {{"big.bin", std::string(3 * 1048576 + 5, 'q')}},
       {"/I/IF@\\big.bin/IT7/IB3000000", "/O/OF@\\w1.bin;@\\w2.bin"},
       {"big.bin"}},
      {"large window written while the next block is read",
       {{"big.bin", std::string(3 * 1048576 + 5, 'w')}},
       {"/I/IF@\\big.bin/IT1000", "/O/OF@\\window.bin"},
       {"big.bin"}},
      {"records counted beside the system's copy",
       {{"lines.txt", std::string(3 * 1048576 + 5, '\n')}},
       {"/I/IF@\\lines.txt", "/O/OF@\\counted.txt", "/M/MT3"},
       {"lines.txt"}},
      {"append", {{"a.txt", kText}, {"log.txt", "old\n\x1A"}}, {"/I/IF@\\a.txt", "/O/OF@\\log.txt/OU3"}, {"a.txt"}},
      {"tree copy",
       {{"src/x.txt", kText}, {"src/sub/y.txt", "one\ntwo\n\x1A"}, {"src/sub/deep/z.txt", "z"},
        {"src/empty", "<folder>"}},
       {"/I/ID@\\src", "/S", "/N", "/O/OD@\\dst"},
       {"src/x.txt", "src/sub/y.txt", "src/sub/deep/z.txt"}},
      {"repeated sources",
       {{"a.txt", kText}, {"b.txt", "b"}},
       {"/I/IF@\\a.txt;@\\b.txt;@\\a.txt", "/N", "/W", "/O/OD@\\out", "/M/MT3"},
       {"a.txt", "b.txt"}},
  };
  FaultMatrix matrix;
  for (const Scenario& scenario : scenarios) matrix.cover(scenario);
  std::printf("fault injection: %zu kinds of run, %d failed calls\n", scenarios.size(), matrix.runs());
  EXPECT_GT(matrix.runs(), 100);
}

}  // namespace
}  // namespace peltrix::testing
