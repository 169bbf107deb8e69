#include "support/process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace peltrix::testing {

namespace {

// Reads both pipes to their end without letting either fill up.
void drain(int out_fd, int err_fd, std::string& out, std::string& err) {
  pollfd fds[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
  int open_count = 2;
  char buffer[65536];
  while (open_count > 0) {
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

}  // namespace

RunResult run_peltrix(const std::vector<std::string>& args, const RunOptions& options) {
  int out_pipe[2];
  int err_pipe[2];
  if (pipe(out_pipe) != 0 || pipe(err_pipe) != 0) throw std::runtime_error("pipe");
  // The reader sets the writing end non-blocking, as some readers do.
  if (options.pipes_non_blocking) {
    for (const int fd : {out_pipe[1], err_pipe[1]}) fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  }

  std::vector<char*> argv;
  std::string program = PELTRIX_EXE;
  argv.push_back(program.data());
  std::vector<std::string> copies(args);
  for (std::string& arg : copies) argv.push_back(arg.data());
  argv.push_back(nullptr);

  const pid_t pid = fork();
  if (pid == 0) {
    if (!options.folder.empty() && chdir(options.folder.c_str()) != 0) _exit(126);
    if (options.stack_limit != 0) {
      const rlimit limit{options.stack_limit, options.stack_limit};
      if (setrlimit(RLIMIT_STACK, &limit) != 0) _exit(125);
    }
    const rlimit size_limit{options.file_size_limit, options.file_size_limit};
    if (options.file_size_limit != 0 && setrlimit(RLIMIT_FSIZE, &size_limit) != 0) _exit(126);
    if (options.stdout_closed) {
      close(STDOUT_FILENO);
    } else if (!options.stdout_file.empty()) {
      const int file = open(options.stdout_file.c_str(), options.stdout_appends ? O_WRONLY | O_APPEND : O_RDWR);
      dup2(file, STDOUT_FILENO);
    } else if (options.stdout_to_dev_full) {
      const int full = open("/dev/full", O_WRONLY);
      dup2(full, STDOUT_FILENO);
    } else {
      dup2(out_pipe[1], STDOUT_FILENO);
    }
    dup2(err_pipe[1], STDERR_FILENO);
    close(out_pipe[0]);
    close(out_pipe[1]);
    close(err_pipe[0]);
    close(err_pipe[1]);
    const int null_in = open("/dev/null", O_RDONLY);
    dup2(null_in, STDIN_FILENO);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(out_pipe[1]);
  close(err_pipe[1]);
  // A slow reader: the program fills the pipe before the first read.
  if (options.pipes_non_blocking) usleep(300000);
  RunResult result;
  drain(out_pipe[0], err_pipe[0], result.out, result.err);
  int wait_status = 0;
  waitpid(pid, &wait_status, 0);
  result.status = WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : -1;
  return result;
}

}  // namespace peltrix::testing
