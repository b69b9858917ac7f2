// Black box: the real qd6250 (offscreen) against qd6250-sim on a
// pseudo-terminal. The panel takes the radio into REMOTE, keeps it in sync,
// and on SIGTERM saves its settings and hands the radio back before exiting.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "blackbox/child_process.h"

namespace {

using namespace qd::blackbox;

// The commands in qd6250-sim's log, one "<seconds> <command>" a line.
std::vector<std::string> Commands(const std::string& log) {
  std::vector<std::string> commands;
  std::istringstream lines(log);
  std::string time, command;
  while (lines >> time >> command) commands.push_back(command);
  return commands;
}

size_t CountAfter(const std::vector<std::string>& commands, const std::string& after,
                  const std::string& wanted) {
  const auto first = std::find(commands.begin(), commands.end(), after);
  if (first == commands.end()) return 0;
  return std::count(first, commands.end(), wanted);
}

size_t CountOf(const std::string& text, const std::string& wanted) {
  size_t n = 0;
  for (size_t at = text.find(wanted); at != std::string::npos; at = text.find(wanted, at + 1)) ++n;
  return n;
}

class PanelBlackBox : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    bin_ = FindBinDir();
    if (bin_.empty()) GTEST_SKIP() << "QD6250_BIN_DIR does not hold qd6250 and qd6250-sim";
    ASSERT_TRUE(work_.ok());
    work_.WritePortSetup();
    sim_ = Child(bin_ / "qd6250-sim",
                 {"--port-dir", work_.Ports(), "--port", "1", "--firmware",
                  std::to_string(GetParam()), "--log", SimLogPath()},
                 work_.Path());
    ASSERT_TRUE(WaitUntil([&] { return fs::is_symlink(work_.Ports() / "COM1"); }, 10))
        << "qd6250-sim did not publish its port";
    panel_ = Child(bin_ / "qd6250", {"--trace", TracePath()}, work_.Path());
  }

  fs::path SimLogPath() const { return work_.Path() / "sim.log"; }
  fs::path TracePath() const { return work_.Path() / "trace.txt"; }
  std::vector<std::string> SimCommands() const { return Commands(ReadFile(SimLogPath())); }

  fs::path bin_;
  WorkDir work_{"panel_blackbox"};
  Child sim_, panel_;
};

TEST_P(PanelBlackBox, TakesRemoteKeepsSyncAndHandsBackOnSigterm) {
  // REMOTE set-up ends with the control state command after the status request.
  ASSERT_TRUE(WaitUntil(
      [&] {
        const std::vector<std::string> c = SimCommands();
        return std::find(c.begin(), c.end(), "G00") != c.end();
      },
      30))
      << "the radio never received G00:\n"
      << ReadFile(SimLogPath());
  EXPECT_EQ(SimCommands().front(), "?") << "the panel asks for the status first";

  // Syncs keep coming and are answered: three within a generous limit.
  ASSERT_TRUE(WaitUntil([&] { return CountAfter(SimCommands(), "G00", "U") >= 3; }, 30))
      << ReadFile(SimLogPath());
  EXPECT_TRUE(WaitUntil([&] { return CountOf(ReadFile(TracePath()), "RADIO RX U<LF>") >= 3; }, 5))
      << ReadFile(TracePath());
  EXPECT_EQ(CountOf(ReadFile(TracePath()), "RADIO TX G00<LF>"), 1u);

  const std::vector<std::string> before = SimCommands();
  const size_t handBacksBefore = std::count(before.begin(), before.end(), "G00");
  panel_.Signal(SIGTERM);
  const std::optional<int> status = panel_.WaitExit(15);
  ASSERT_TRUE(status) << "the panel did not end within 15 s of SIGTERM";
  EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << "wait status " << *status;

  // The radio is handed back: its last command is another G00.
  const std::vector<std::string> commands = SimCommands();
  EXPECT_EQ(static_cast<size_t>(std::count(commands.begin(), commands.end(), "G00")),
            handBacksBefore + 1);
  EXPECT_EQ(commands.back(), "G00") << ReadFile(SimLogPath());

  // Six settings lines, each ended by CR LF, nothing else.
  const std::string ini = ReadFile(work_.Path() / "QD6250ini.txt");
  EXPECT_EQ(CountOf(ini, "\r\n"), 6u) << ini;
  EXPECT_EQ(CountOf(ini, "\n"), 6u) << ini;
  EXPECT_TRUE(ini.ends_with("\r\n")) << ini;
}

INSTANTIATE_TEST_SUITE_P(FirmwareTypes, PanelBlackBox, ::testing::Values(1, 2, 3),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return "Firmware" + std::to_string(info.param);
                         });

}  // namespace
