// The parts of the test support that POSIX systems do their own way.

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>

#include "support/files.h"
#include "support/process.h"
#include "support/system.h"

namespace peltrix::testing {

namespace {

// Reads both pipes to their end without letting either fill up.
void drain(int out_fd, int err_fd, std::string& out, std::string& err) {
  pollfd fds[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
  char buffer[65536];
  for (int open_count = 2; open_count > 0;) {
    if (poll(fds, 2, -1) < 0) continue;
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        (i == 0 ? out : err).append(buffer, static_cast<size_t>(n));
      } else {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open_count;
      }
    }
  }
}

// The program as another user can start it: the build folder may lie in a
// folder only the test's user can enter (a fresh clone under mktemp -d), so
// a copy is made once in a folder open to all and removed at exit.
const std::string& program_for_others() {
  static const TempFolder folder;
  static const std::string program = [] {
    const std::filesystem::path copy = folder / "peltrix";
    std::filesystem::copy_file(PELTRIX_EXE, copy);
    std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all |
                                                    std::filesystem::perms::group_read | std::filesystem::perms::group_exec |
                                                    std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
    return copy.string();
  }();
  return program;
}

void limit(int resource, uint64_t value) {
  const rlimit limit{value, value};
  if (value != 0 && setrlimit(resource, &limit) != 0) _exit(125);
}

}  // namespace

RunResult run_peltrix(const std::vector<std::string>& args, const RunOptions& options) {
  int out_pipe[2];
  int err_pipe[2];
  if (pipe(out_pipe) != 0 || pipe(err_pipe) != 0) throw std::runtime_error("pipe");
  // The reader sets the writing ends non-blocking, as some readers do.
  for (const int fd : {out_pipe[1], err_pipe[1]}) {
    if (options.pipes_non_blocking) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  }
  std::vector<std::string> copies{options.user != 0 ? program_for_others() : std::string(PELTRIX_EXE)};
  copies.insert(copies.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);

  const std::vector<gid_t> groups(options.groups.begin(), options.groups.end());
  const pid_t pid = fork();
  if (pid == 0) {
    if (!options.folder.empty() && chdir(options.folder.c_str()) != 0) _exit(126);
    limit(RLIMIT_STACK, options.stack_limit);
    limit(RLIMIT_FSIZE, options.file_size_limit);
    if (options.user != 0 &&
        (setgroups(groups.size(), groups.data()) != 0 || setgid(options.group) != 0 || setuid(options.user) != 0)) {
      _exit(124);
    }
    if (options.stdout_path == "-") {
      close(STDOUT_FILENO);
    } else if (!options.stdout_path.empty()) {
      dup2(open(options.stdout_path.c_str(), options.stdout_appends ? O_WRONLY | O_APPEND : O_RDWR), STDOUT_FILENO);
    } else {
      dup2(out_pipe[1], STDOUT_FILENO);
    }
    dup2(err_pipe[1], STDERR_FILENO);
    for (const int fd : {out_pipe[0], out_pipe[1], err_pipe[0], err_pipe[1]}) close(fd);
    dup2(open("/dev/null", O_RDONLY), STDIN_FILENO);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(out_pipe[1]);
  close(err_pipe[1]);
  // A slow reader: the program fills the pipe before the first read.
  if (options.pipes_non_blocking) usleep(300000);
  int wait_status = 0;
  bool ended = false;
  if (options.stop_signal != 0) {
    // The program is copying and about to wait on the full pipe; it must
    // end while the pipe stays full, or it is killed.
    pollfd first_output{out_pipe[0], POLLIN, 0};
    poll(&first_output, 1, 10000);
    usleep(200000);
    kill(pid, options.stop_signal);
    for (int tries = 0; tries < 50 && !ended; ++tries) {
      usleep(100000);
      ended = waitpid(pid, &wait_status, WNOHANG) == pid;
    }
    if (!ended) kill(pid, SIGKILL);
  }
  RunResult result;
  drain(out_pipe[0], err_pipe[0], result.out, result.err);
  if (!ended) waitpid(pid, &wait_status, 0);
  result.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
  return result;
}

std::string system_text(uint32_t, const std::string& posix_text) { return posix_text; }

bool one_file_system(const std::string& a, const std::string& b) {
  struct stat first {}, second {};
  return stat(a.c_str(), &first) != 0 || stat(b.c_str(), &second) != 0 || first.st_dev == second.st_dev;
}

bool held_writing_through(const std::string& file_name) {
  std::error_code unreadable;
  for (const std::filesystem::directory_entry& e : std::filesystem::directory_iterator("/proc/self/fd", unreadable)) {
    if (std::filesystem::read_symlink(e.path(), unreadable).filename() != file_name) continue;
    if ((fcntl(std::stoi(e.path().filename()), F_GETFL) & O_DSYNC) != 0) return true;
  }
  return false;
}

Owners owners_of(const std::string& path) {
  struct stat st {};
  if (path.empty()) return {geteuid(), getegid()};
  return stat(path.c_str(), &st) == 0 ? Owners{st.st_uid, st.st_gid} : Owners{};
}

void give_owners(const std::string& path, const Owners& owners) {
  if (chown(path.c_str(), owners.first, owners.second) != 0) throw std::runtime_error("cannot chown " + path);
}

std::string attribute(const std::string& path, const std::string& name) {
  char value[4096];
  const ssize_t size = getxattr(path.c_str(), name.c_str(), value, sizeof value);
  return size < 0 ? "-" : std::string(value, static_cast<size_t>(size));
}

void set_attribute(const std::string& path, const std::string& name, const std::string& value) {
  if (setxattr(path.c_str(), name.c_str(), value.data(), value.size(), 0) != 0) {
    throw std::runtime_error("cannot set " + name + " on " + path);
  }
}

void pause_milliseconds(unsigned milliseconds) { usleep(milliseconds * 1000); }

std::vector<std::intptr_t> open_files() {
  std::vector<std::intptr_t> fds;
  for (const auto& e : std::filesystem::directory_iterator("/dev/fd")) fds.push_back(std::stoi(e.path().filename()));
  return fds;
}

void close_open_file(std::intptr_t file) { close(static_cast<int>(file)); }

}  // namespace peltrix::testing
