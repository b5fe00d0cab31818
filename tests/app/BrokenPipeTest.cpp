#include "files/TempDir.h"
#include "support/ChildExit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

using namespace std::chrono_literals;

// Starts `argv` with standard output (and, with `bBoth`, standard error)
// going into a pipe nobody reads any more, SIGPIPE at its default as a
// shell gives it, and the rest of standard error in `errPath`.
pid_t StartIntoClosedPipe(std::vector<std::string> argv, const std::string &errPath, bool bBoth,
                          const std::vector<std::string> &extraEnv = {}) {
  int fds[2];
  if (::pipe(fds) != 0)
    return -1;
  ::close(fds[0]);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  if (bBoth)
    posix_spawn_file_actions_adddup2(&actions, fds[1], 2);
  else
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t def;
  sigemptyset(&def);
  sigaddset(&def, SIGPIPE);
  posix_spawnattr_setsigdefault(&attr, &def);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF);
  std::vector<std::string> env;
  for (char **e = environ; *e; ++e)
    env.emplace_back(*e);
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());
  std::vector<char *> envp, args;
  for (std::string &s : env)
    envp.push_back(s.data());
  envp.push_back(nullptr);
  for (std::string &s : argv)
    args.push_back(s.data());
  args.push_back(nullptr);
  pid_t pid = -1;
  const int nErr = posix_spawn(&pid, args[0], &actions, &attr, args.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  ::close(fds[1]);
  return nErr == 0 ? pid : -1;
}

} // namespace

// `tarvik --help | true` and the like: no program dies of the closed pipe,
// each says what it could not write and ends with an error code.
TEST(BrokenPipe, EveryProgramReportsAnOutputNobodyReads) {
  CTempDir dir;
  const std::string err = dir.File("stderr");
  const std::vector<std::vector<std::string>> commands = {
      {TARVIK_PROGRAM, "--help"},           {TARVIK_PROGRAM, "--version"},  {TARVIK_LOGGER_PROGRAM, "--help"},
      {TARVIK_LOGGER_PROGRAM, "--version"}, {TARVIK_SIM_PROGRAM, "--help"},
  };
  for (const auto &command : commands) {
    const std::string what = command[0] + " " + command[1];
    const pid_t pid = StartIntoClosedPipe(command, err, false);
    ASSERT_GT(pid, 0) << what;
    const int nStatus = WaitExit(pid, 30s);
    ASSERT_TRUE(WIFEXITED(nStatus)) << what << " ended by signal " << WTERMSIG(nStatus);
    EXPECT_NE(WEXITSTATUS(nStatus), 0) << what;
    EXPECT_NE(Slurp(err).find("cannot write the output: Broken pipe"), std::string::npos) << what;
  }
}

// The simulated meter whose path nobody reads goes on, and so does the
// window program whose warnings go into a closed pipe, mid-run.
TEST(BrokenPipe, RunningProgramsOutliveAClosedPipe) {
  CTempDir dir;
  const std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> programs = {
      {{TARVIK_SIM_PROGRAM, "--interval", "50"}, {}},
      {{TARVIK_PROGRAM, "--simulate", "--run", "0.1"},
       {"QT_QPA_PLATFORM=offscreen", "XDG_STATE_HOME=" + dir.File("state"), "QT_LOGGING_RULES=*.debug=true"}},
  };
  for (const auto &[command, env] : programs) {
    const pid_t pid = StartIntoClosedPipe(command, {}, true, env);
    ASSERT_GT(pid, 0) << command[0];
    EXPECT_EQ(WaitExit(pid, 3s), -1) << command[0] << " ended early"; // still running: killed by the wait
  }
}
