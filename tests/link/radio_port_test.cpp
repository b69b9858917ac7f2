// Opening the radio port from its settings and acting on the port's events.
#include <gtest/gtest.h>

#include "link/radio_port.h"
#include "link/reply_reader.h"
#include "link/send.h"
#include "link/sync.h"
#include "support/scenario.h"

namespace qd::test {
namespace {

constexpr double kTolerance = 1e-5;

Scenario& WithPortSettings(Scenario& s, std::string number, std::string settings,
                           std::string handshake) {
  s.p.link.RadioPortNumber = std::move(number);
  s.p.link.RadioPortSettings = std::move(settings);
  s.p.link.RadioHandshake = std::move(handshake);
  return s;
}

TEST(SetUpRadioPort, MapsTheHandshakeNameExactly) {
  struct Case {
    std::string name;
    Handshake applied;
  };
  const Case cases[] = {
      {"comRTS", Handshake::RtsCts},
      {"comXOnXOff", Handshake::None},
      {"comRTSXOnXOff", Handshake::RtsCts},
      {"comRTSXonXoff", Handshake::None},
      {"comNone", Handshake::None},
      {"COMRTS", Handshake::None},
      {"", Handshake::None},
  };
  for (const Case& c : cases) {
    Scenario s({.openRadioPort = false});
    WithPortSettings(s, "3", "4800,O,7,1", c.name);
    ASSERT_TRUE(SetUpRadioPort(s.p)) << c.name;
    EXPECT_EQ(s.radio.GetHandshake(), c.applied) << c.name;
    EXPECT_EQ(s.radio.PortNumber(), 3);
    EXPECT_EQ(s.radio.Settings(), "4800,O,7,1");
    EXPECT_TRUE(s.radio.Rts());
    EXPECT_FALSE(s.radio.Dtr());  // raised by opening, lowered again
    EXPECT_EQ(s.Elapsed(), 0);    // a first open does not pause
  }
}

TEST(SetUpRadioPort, ReopensAnOpenPortAfterDiscardingInputAndPausing) {
  Scenario s;
  WithPortSettings(s, "2", "9600,O,7,1", "comRTS");
  s.radio.ArriveNow("M1\nA2\n");
  ASSERT_TRUE(SetUpRadioPort(s.p));
  EXPECT_EQ(s.radio.closeCount, 1);
  EXPECT_EQ(s.radio.openCount, 2);
  EXPECT_NEAR(s.Elapsed(), 0.5, kTolerance);
  EXPECT_EQ(s.radio.PortNumber(), 2);
  EXPECT_EQ(s.radio.GetHandshake(), Handshake::RtsCts);
  EXPECT_EQ(s.radio.InBufferCount(), 0u);
  EXPECT_EQ(s.p.status.Text(vocab::Item::Mode), "");  // discarded, not filed
}

// The fake line as the tests rely on it: nothing is kept for a closed port,
// whether the radio answered or bytes were due then.
TEST(SetUpRadioPort, WhatArrivesWhileThePortIsClosedIsLost) {
  Scenario s;
  ScriptedPeer radio;
  radio.Answer("?\n", "R1\n", 0.2);
  s.AttachRadioPeer(radio);
  WriteRadioPort(s.p, "?\n");
  s.radio.Arrive(s.clock.Now() + 0.3, "M1\n");
  s.radio.Close();
  WaitSeconds(s.p, 1.0);
  ASSERT_TRUE(s.radio.Open(1, "9600,O,7,1", Handshake::None));
  EXPECT_EQ(s.radio.InBufferCount(), 0u);
  WaitSeconds(s.p, 1.0);
  EXPECT_EQ(s.radio.InBufferCount(), 0u);
}

TEST(SetUpRadioPort, FailuresReturnFalseAndOnlyAPortThatStaysShutSaysSo) {
  struct Case {
    std::string number;
    std::string settings;
    bool message;
  };
  const Case cases[] = {
      {"5", "9600,O,7,1", true},   // the device does not open
      {"3", "9600,X,7,1", false},  // the port refuses the settings
      {"", "9600,O,7,1", false},   // no port number
      {"COM3", "9600,O,7,1", false}, {"0", "9600,O,7,1", false}, {"17", "9600,O,7,1", false},
  };
  for (const Case& c : cases) {
    Scenario s({.openRadioPort = false});
    s.radio.SetOpenablePorts({3});
    WithPortSettings(s, c.number, c.settings, "comNone");
    EXPECT_FALSE(SetUpRadioPort(s.p)) << c.number << " " << c.settings;
    EXPECT_FALSE(s.radio.IsOpen());
    EXPECT_EQ(s.p.main.txtInfo.text, c.message ? "Selected port did not open..." : "")
        << c.number << " " << c.settings;
  }
}

TEST(MSComm1_OnComm, LineErrorsSetTheirFlagAndShowComError) {
  struct Case {
    int event;
    bool CommFlags::*flag;
  };
  const Case cases[] = {
      {comm_event::kFrame, &CommFlags::rxFrame},     {comm_event::kOverrun, &CommFlags::rxOverrun},
      {comm_event::kRxOver, &CommFlags::rxOverflow}, {comm_event::kRxParity, &CommFlags::rxParity},
      {comm_event::kTxFull, &CommFlags::txFull},     {comm_event::kDcb, &CommFlags::dcbError},
  };
  for (const Case& c : cases) {
    Scenario s;
    s.p.main.lblComStat.caption = "Com OK";
    MSComm1_OnComm(s.p, c.event);
    EXPECT_TRUE(s.p.main.comm1.*c.flag) << c.event;
    EXPECT_EQ(s.p.main.lblComStat.caption, "Com Error") << c.event;
    EXPECT_FALSE(s.p.link.RadioBreakSeen);
    MSComm1_OnComm(s.p, comm_event::kRing);  // flags are never cleared
    EXPECT_TRUE(s.p.main.comm1.*c.flag) << c.event;
  }
}

TEST(MSComm1_OnComm, ABreakOnlyMarksTheBreakOtherEventsDoNothing) {
  for (int event :
       {comm_event::kBreak, comm_event::kRing, comm_event::kEof, comm_event::kReceive, 4242}) {
    Scenario s;
    s.p.main.lblComStat.caption = "Com OK";
    MSComm1_OnComm(s.p, event);
    EXPECT_EQ(s.p.link.RadioBreakSeen, event == comm_event::kBreak) << event;
    EXPECT_EQ(s.p.main.lblComStat.caption, "Com OK") << event;
    EXPECT_FALSE(s.p.main.comm1.rxFrame || s.p.main.comm1.rxParity) << event;
  }
}

TEST(MSComm1_OnComm, ModemLinesAreReadAtTheirChangeAndDsrIsTheExternalKey) {
  struct Case {
    bool extPttEnabled;
    bool dsr;
    bool extPttState;  // true: released
  };
  const Case cases[] = {
      {true, false, false}, {true, true, true}, {false, false, true}, {false, true, true}};
  for (const Case& c : cases) {
    Scenario s;
    s.p.link.ExtPttEnabled = c.extPttEnabled;
    s.p.main.ExtPttState = !c.extPttState;
    s.radio.SetLine('D', c.dsr, s.clock.Now());
    MSComm1_OnComm(s.p, comm_event::kDsr);
    EXPECT_EQ(s.p.main.comm1.evDsr, c.dsr);
    EXPECT_EQ(s.p.main.ExtPttState, c.extPttState) << c.extPttEnabled << c.dsr;
  }
  Scenario s;
  s.radio.SetLine('C', false, s.clock.Now());
  s.radio.SetLine('T', false, s.clock.Now());
  s.p.main.comm1.evCd = s.p.main.comm1.evCts = true;
  MSComm1_OnComm(s.p, comm_event::kCd);
  EXPECT_FALSE(s.p.main.comm1.evCd);
  EXPECT_TRUE(s.p.main.comm1.evCts);
  MSComm1_OnComm(s.p, comm_event::kCts);
  EXPECT_FALSE(s.p.main.comm1.evCts);
}

TEST(MSComm1_OnComm, ALostDeviceClosesTheLinkQuietlyAndReleasesTheExternalKey) {
  Scenario s;
  s.p.link.ExtPttEnabled = true;
  s.p.main.ExtPttState = false;
  s.p.main.lblComStat.caption = "Com OK";
  MSComm1_OnComm(s.p, comm_event::kDeviceLost);
  EXPECT_FALSE(s.radio.IsOpen());
  EXPECT_EQ(s.p.main.lblComStat.caption, "No Com");
  EXPECT_TRUE(s.p.main.ExtPttState);
  EXPECT_TRUE(s.p.main.txtInfo.visible);
  EXPECT_FALSE(s.p.main.txtInfo.text.empty());

  // The link keeps running on the closed port: nothing is sent, nothing throws.
  s.p.link.SyncChar = "K";
  s.p.link.LastSyncChar = "U";
  EXPECT_NO_THROW(SyncTick(s.p));
  EXPECT_NO_THROW(ReadReply(s.p));
  EXPECT_EQ(s.p.main.lblComStat.caption, "No Com");
  EXPECT_TRUE(s.radio.Writes().empty());
}

}  // namespace
}  // namespace qd::test
