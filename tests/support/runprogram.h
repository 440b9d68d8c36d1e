// SPDX-License-Identifier: MIT
#pragma once

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace merin::test {

struct ProgramResult {
  int exitCode = -1;
  std::string out, err;
};

// Runs `program` with `args`, feeding `input` on its standard input; for short outputs (under a
// pipe's buffer each).
inline ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                                const std::string& input = "") {
  int in[2], out[2], err[2];
  if (pipe(in) || pipe(out) || pipe(err)) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in[0], 0);
  posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err[1], 2);
  for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) {
    posix_spawn_file_actions_addclose(&actions, fd);
  }
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid;
  const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(in[0]);
  close(out[1]);
  close(err[1]);
  ProgramResult result;
  if (spawned == 0) {
    if (!input.empty() && write(in[1], input.data(), input.size()) < 0) result.exitCode = -2;
  }
  close(in[1]);
  auto drain = [](int fd, std::string& into) {
    char buf[4096];
    for (ssize_t n; (n = read(fd, buf, sizeof buf)) > 0;) into.append(buf, static_cast<size_t>(n));
    close(fd);
  };
  drain(out[0], result.out);
  drain(err[0], result.err);
  if (spawned != 0) return result;
  int status = 0;
  waitpid(pid, &status, 0);
  if (result.exitCode != -2) result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace merin::test
