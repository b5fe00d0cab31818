#include "app/AppOptions.h"
#include "app/TarvikApp.h"
#include "files/TempDir.h"
#include "forms/DialogTemplate.h"
#include "journal/OrphanJournals.h"
#include "records/SampleStore.h"
#include "support/ChildExit.h"
#include "support/ScriptedPrompts.h"

#include <QPrinter>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

extern char **environ;

namespace {

using namespace std::chrono_literals;

// The real program as a user starts it, on its simulated meter, sampling
// every 0.1 s from the first reading, with its state in `stateHome`.
pid_t StartProgram(const std::string &stateHome) {
  std::vector<std::string> env;
  for (char **e = environ; *e; ++e) {
    const std::string s(*e);
    if (!s.starts_with("XDG_STATE_HOME=") && !s.starts_with("QT_QPA_PLATFORM="))
      env.push_back(s);
  }
  env.push_back("XDG_STATE_HOME=" + stateHome);
  env.push_back("QT_QPA_PLATFORM=offscreen");
  std::vector<char *> envp;
  for (std::string &s : env)
    envp.push_back(s.data());
  envp.push_back(nullptr);
  const char *argv[] = {TARVIK_EXE, "--simulate", "--run", "0.1", nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  const int nErr = posix_spawn(&pid, TARVIK_EXE, &actions, nullptr, const_cast<char **>(argv), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  return nErr == 0 ? pid : -1;
}

// Samples in the program's journal; it is locked by the program, so it is
// read as a file.
std::size_t JournalSamples(const std::string &folder) {
  std::error_code ec;
  for (const auto &e : std::filesystem::directory_iterator(folder, ec))
    if (e.path().extension() == ".journal")
      return journal::ParseJournal(Slurp(e.path().string())).samples.size();
  return 0;
}

} // namespace

TEST(ProgramSignals, SigtermMidRunExitsCleanlyKeepingTheJournal) {
  CTempDir dir;
  const std::string folder = dir.File("tarvik");
  const pid_t pid = StartProgram(dir.Path().string());
  ASSERT_GT(pid, 0);
  ASSERT_TRUE(WaitFor([&] { return JournalSamples(folder) >= 15; }, 60s)) << "the run never sampled";
  ::kill(pid, SIGTERM);
  const int nStatus = WaitExit(pid, 60s);
  ASSERT_TRUE(WIFEXITED(nStatus)) << nStatus;
  EXPECT_EQ(WEXITSTATUS(nStatus), 0);

  std::vector<std::string> problems;
  std::vector<COrphanJournal> left = FindOrphanJournals(folder, problems);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_GE(left[0].content.samples.size(), 15u);
  EXPECT_FALSE(left[0].content.Damaged());
  EXPECT_EQ(left[0].content.header.dRate, 0.1);
}

TEST(ProgramSignals, KilledMidRunTheNextStartRecoversEverySampleWritten) {
  CTempDir dir;
  const std::string folder = dir.File("tarvik");
  const pid_t pid = StartProgram(dir.Path().string());
  ASSERT_GT(pid, 0);
  ASSERT_TRUE(WaitFor([&] { return JournalSamples(folder) >= 15; }, 60s)) << "the run never sampled";
  ::kill(pid, SIGKILL);
  const int nStatus = WaitExit(pid, 60s);
  ASSERT_TRUE(WIFSIGNALED(nStatus));
  const std::size_t nWritten = JournalSamples(folder);

  CScriptedPrompts prompts;
  prompts.m_answers = {IDYES};
  AppOptions options;
  options.strStateFolder = folder;
  CTarvikApp next(options, prompts);
  EXPECT_EQ(next.OfferRecovery(), nWritten);
  EXPECT_EQ(next.Stores().m_live.GetSize(), nWritten);
  ASSERT_EQ(prompts.Messages().size(), 1u);
  EXPECT_TRUE(prompts.Messages()[0].startsWith("Recuperar a medição interrompida?\n"));
  EXPECT_FALSE(prompts.Messages()[0].contains("danificado")); // a kill tears no record
}
