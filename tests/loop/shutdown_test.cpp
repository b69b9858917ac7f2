// Shutdown: the settings file, "G00" straight to the radio, the pause, both
// ports closed, the program ended; a keyed transmitter released before anything.
#include <gtest/gtest.h>

#include <filesystem>

#include "link/shutdown.h"
#include "loop_rig.h"
#include "platform/errors.h"

namespace qd::test {
namespace {

struct ShutdownCase {
  const char* name;
  bool keyed;
  bool fileFails;
  bool radioOpen;
  std::vector<std::string> writes;  // to the radio, in order
  bool fileWritten;
  bool radioClosed;
};

class Shutdown : public ::testing::TestWithParam<ShutdownCase> {};

TEST_P(Shutdown, SavesReleasesAndCloses) {
  const ShutdownCase& c = GetParam();
  TempWorkDir dir;
  Scenario s({.openRadioPort = c.radioOpen});
  s.cat.Open(2, "4800,N,8,1", Handshake::None);
  if (c.keyed) s.p.link.SyncChar = "K";
  // A folder where the file should go makes the write fail.
  if (c.fileFails) std::filesystem::create_directory("QD6250ini.txt");
  frmQD6250& f = s.p.main;
  f.left = 1200;
  f.top = -30;
  f.cmdVFOB[6].caption = "";  // a six-digit row is written as it stands
  f.cmbVFOBMode.text = "LSB";
  f.lblSplit.caption = "Split Off";
  f.cmbStepSize.text = "OFF";

  EXPECT_THROW(form_queryUnload(s.p), ProgramEnd);

  EXPECT_EQ(s.radio.Writes(), c.writes);
  EXPECT_EQ(s.p.link.SyncChar, "U");
  if (c.fileWritten) {
    EXPECT_EQ(FileBytes("QD6250ini.txt"), "1200\r\n-30\r\n000000\r\nLSB\r\nSplit Off\r\nOFF\r\n");
  }
  EXPECT_EQ(!s.radio.IsOpen(), c.radioClosed);
  EXPECT_EQ(!s.cat.IsOpen(), !c.fileFails);
  if (c.radioOpen && c.radioClosed) {
    EXPECT_GE(s.Elapsed(), kShutdownPauseSeconds);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Shutdown,
    ::testing::Values(ShutdownCase{"Receiving", false, false, true, {"G00\n"}, true, true},
                      ShutdownCase{"Keyed", true, false, true, {"U", "G00\n"}, true, true},
                      ShutdownCase{"KeyedAndFileFails", true, true, true, {"U"}, false, false},
                      ShutdownCase{"RadioPortClosed", false, false, false, {}, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ShutdownFromTheWindow, CloseBoxAndFileExitBothEndTheRunningProgram) {
  for (const char* how : {"close box", "File > Exit"}) {
    SCOPED_TRACE(how);
    LoopRig rig({.firmwareType = 3});
    WritePortSetup();
    rig.s.windowing.AtTime(rig.s.start + 12,
                           std::string(how) == "close box" ? Unload() : Click("mnuFileExit"));
    EXPECT_TRUE(rig.Run(20));
    EXPECT_EQ(rig.s.radio.Writes().back(), "G00\n");
    EXPECT_TRUE(std::filesystem::exists("QD6250ini.txt"));
    EXPECT_FALSE(rig.s.radio.IsOpen());
  }
}

}  // namespace
}  // namespace qd::test
