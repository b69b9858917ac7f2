// Opening the CAT port: the handshake names, the port's settings, re-opening
// after the CAT setup was applied, and the start-up step that reads
// "CATSetup.txt" and opens the port only when it is present.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "cat_fixture.h"

namespace qd::test {
namespace {

namespace fs = std::filesystem;

TEST(CatSetup, HandshakeNamesMatchExactly) {
  struct Case {
    const char* name;
    Handshake handshake;
  };
  const Case cases[] = {
      {"comRTS", Handshake::RtsCts},   {"comRTSXOnXOff", Handshake::RtsCts},
      {"comNone", Handshake::None},    {"comXOnXOff", Handshake::None},
      {"comXonXoff", Handshake::None}, {"comRTSXonXoff", Handshake::None},
      {"COMRTS", Handshake::None},     {"", Handshake::None},
  };
  for (const Case& c : cases) {
    CatScenario s;
    s.p.cat.CatHandshake = c.name;
    SetUpCatPort(s.p);
    ASSERT_TRUE(s.cat.IsOpen()) << c.name;
    EXPECT_EQ(s.cat.GetHandshake(), c.handshake) << c.name;
  }
}

TEST(CatSetup, OpensWithItsSettingsRtsOnAndStaleInputDiscarded) {
  CatScenario s;
  s.p.status[vocab::Item::Freq].text = "F1420000";
  EXPECT_EQ(s.cat.PortNumber(), kCatPort);
  EXPECT_EQ(s.cat.Settings(), "4800,N, 8, 1");
  EXPECT_TRUE(s.cat.Rts());
  EXPECT_FALSE(s.cat.Dtr());

  // Applied again (the CAT setup dialog): closed, reopened on the new port,
  // and neither the old port's unread bytes nor a kept piece of a command survive.
  s.LoggerSends("FA;FA00");
  s.Pass();
  s.LoggerSends("FA;");  // still unread when the port closes
  s.p.cat.CatPortNumber = "5";
  s.p.cat.CatSetupChanged = true;
  SetUpCatPort(s.p);
  EXPECT_EQ(s.cat.closeCount, 1);
  EXPECT_EQ(s.cat.PortNumber(), 5);
  EXPECT_FALSE(s.p.cat.CatSetupChanged);
  EXPECT_EQ(s.p.cat.CatBuffer, "");
  s.cat.ClearWire();
  EXPECT_EQ(s.Exchange("FA;"), "FA00014200000;");
}

TEST(CatSetup, APortThatCannotBeUsedShowsNoCatPort) {
  struct Case {
    const char* number;
    const char* settings;
    const char* info;  // txtInfo afterwards
  };
  const Case cases[] = {
      {"7", "4800,N,8,1", ""},  // does not open
      {"", "4800,N,8,1", ""},   // no port chosen
      {"x", "4800,N,8,1", ""},
      {"17", "4800,N,8,1", ""},
      {"2", "4800,N", "SetUpCatPort: Err 380. Invalid property value"},
  };
  for (const Case& c : cases) {
    CatScenario s;
    s.cat.SetOpenablePorts({kCatPort});
    s.p.cat.CatPortNumber = c.number;
    s.p.cat.CatPortSettings = c.settings;
    SetUpCatPort(s.p);
    EXPECT_FALSE(s.cat.IsOpen()) << c.number << " " << c.settings;
    EXPECT_EQ(s.p.main.txtInCat.text, kNoCatPort) << c.number;
    EXPECT_EQ(s.p.main.txtOutCAT.text, kNoCatPort) << c.number;
    EXPECT_EQ(s.p.main.txtInfo.text, c.info) << c.number;
  }
  // A later setup that works clears the notice.
  CatScenario s;
  s.p.cat.CatPortNumber = "";
  SetUpCatPort(s.p);
  s.p.cat.CatPortNumber = "3";
  SetUpCatPort(s.p);
  EXPECT_TRUE(s.cat.IsOpen());
  EXPECT_EQ(s.p.main.txtInCat.text, "");
  EXPECT_EQ(s.p.main.txtOutCAT.text, "");
}

// Runs a test in a fresh working directory.
class InTempDir : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = fs::current_path();
    dir_ = fs::temp_directory_path() / ("cat_setup_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
  }
  void TearDown() override {
    fs::current_path(old_);
    fs::remove_all(dir_);
  }
  static void WriteFile(const std::string& text) { std::ofstream("CATSetup.txt") << text; }

 private:
  fs::path old_;
  fs::path dir_;
};

using CatStartUp = InTempDir;

TEST_F(CatStartUp, OpensThePortTheFileNamesWhenPresent) {
  WriteFile(
      "4\r\n9600,E, 7, 1\r\ncomRTS\r\nElecraft\r\n"
      "Line 1: Port Number, COM1 = 1, COM2 = 2, etc..\r\n");
  Scenario s;
  s.p.portPresent = [](int n) { return n == 4; };
  OpenCatPortAtStartUp(s.p);
  ASSERT_TRUE(s.cat.IsOpen());
  EXPECT_EQ(s.cat.PortNumber(), 4);
  EXPECT_EQ(s.cat.Settings(), "9600,E, 7, 1");
  EXPECT_EQ(s.cat.GetHandshake(), Handshake::RtsCts);
  EXPECT_EQ(s.p.cat.CatRigType, "Elecraft");
  EXPECT_EQ(s.p.main.txtInfo.text, "CATSetup.txt Opened");
  EXPECT_EQ(s.p.main.txtInCat.text, "");
}

TEST_F(CatStartUp, APortNotPresentIsNotOpenedAndSaysSo) {
  WriteFile("4\r\n9600,N,8,1\r\ncomNone\r\nKenwood\r\n");
  Scenario s;
  s.p.portPresent = [](int n) { return n == 3; };
  OpenCatPortAtStartUp(s.p);
  EXPECT_FALSE(s.cat.IsOpen());
  EXPECT_EQ(s.cat.openCount, 0);
  EXPECT_EQ(s.p.main.txtInCat.text, kNoCatPort);
  EXPECT_EQ(s.p.main.txtOutCAT.text, kNoCatPort);
}

TEST_F(CatStartUp, WithoutTheFileNothingHappens) {
  Scenario s;
  s.p.portPresent = [](int) { return true; };
  OpenCatPortAtStartUp(s.p);
  EXPECT_EQ(s.cat.openCount, 0);
  EXPECT_EQ(s.p.main.txtInCat.text, "");
  EXPECT_EQ(s.p.main.txtInfo.text, "");
}

TEST_F(CatStartUp, AShortFileLeavesTheMissingSettingsAsTheyWere) {
  WriteFile("2\n9600,N,8,1\n");  // LF-only, two lines
  Scenario s;
  s.p.portPresent = [](int n) { return n == 2; };
  s.p.cat.CatRigType = "Kenwood";
  OpenCatPortAtStartUp(s.p);
  ASSERT_TRUE(s.cat.IsOpen());
  EXPECT_EQ(s.cat.GetHandshake(), Handshake::None);
  EXPECT_EQ(s.p.cat.CatRigType, "Kenwood");
}

}  // namespace
}  // namespace qd::test
