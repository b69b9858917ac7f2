// Opening the CAT port: the handshake names, the port's settings, re-opening
// after the CAT setup was applied, and ports that cannot be used.
#include <gtest/gtest.h>

#include "cat_fixture.h"

namespace qd::test {
namespace {

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

}  // namespace
}  // namespace qd::test
