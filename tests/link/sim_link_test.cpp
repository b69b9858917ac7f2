// The link primitives against the simulated radio: a full status report read
// in one burst, meter selection per firmware type, and the sync exchange.
#include <gtest/gtest.h>

#include "link/reply_reader.h"
#include "link/send.h"
#include "link/sync.h"
#include "status/meters.h"
#include "support/scenario.h"
#include "support/sim_peer.h"

namespace qd::test {
namespace {

using vocab::Item;

TEST(SimulatedRadio, AStatusQueryIsReadAsOneCompleteBurst) {
  for (int type : {1, 2, 3}) {
    Scenario s({.firmwareType = type});
    SimPeer radio({.firmwareType = type});
    s.AttachRadioPeer(radio);
    SendCommand(s.p, "?", true, 0.6);
    ReadReply(s.p);
    EXPECT_TRUE(s.p.status.StatusComplete) << "type " << type << ": " << s.p.link.ReplyBuffer;
    EXPECT_EQ(s.p.main.lblComStat.caption, "Com OK");
    EXPECT_TRUE(s.p.status.FreqWellFormed);
    EXPECT_TRUE(s.p.status[Item::MeterSelect].changed);
    EXPECT_EQ(s.p.status.QSeen, type == 3);
  }
}

TEST(SimulatedRadio, EveryFirmwareTypeReachesTheChosenMeter) {
  for (int type : {1, 2, 3}) {
    for (const std::string wanted : {"D5", "D1", "D6", "D6"}) {
      Scenario s({.firmwareType = type});
      SimPeer radio({.firmwareType = type});
      s.AttachRadioPeer(radio);
      SendCommand(s.p, "?", true, 0.6);
      ReadReply(s.p);
      SetMeter(s.p, "D4");
      SetMeter(s.p, wanted);
      EXPECT_EQ(s.p.status.Text(Item::MeterSelect), wanted) << "type " << type;
      EXPECT_EQ(radio.Radio().State().meter, wanted[1] - '0') << "type " << type;
    }
  }
}

TEST(SimulatedRadio, SyncTicksKeepTheLinkAnsweredAndKeyTheTransmitter) {
  Scenario s;
  SimPeer radio({.firmwareType = 3});
  s.AttachRadioPeer(radio);
  auto passes = [&s](int n) {
    for (int i = 0; i < n; ++i) {
      SyncTick(s.p);
      s.clock.Advance(0.05);  // the rest of a main-loop pass
      EXPECT_LE(s.p.link.SyncFailCount, 1);
    }
  };
  passes(200);
  EXPECT_GE(s.radio.Writes().size(), 4u);
  s.p.link.SyncChar = "K";
  passes(1);
  EXPECT_TRUE(s.p.status.TransmitterKeyed);
  EXPECT_TRUE(radio.Radio().State().keyed);
  EXPECT_EQ(s.p.main.lblXMTRCV.caption, "Transmit");
  s.p.link.SyncChar = "U";
  passes(1);
  EXPECT_FALSE(radio.Radio().State().keyed);
  EXPECT_FALSE(s.p.status.TransmitterKeyed);
  EXPECT_EQ(s.p.main.lblXMTRCV.caption, "Receive");
}

}  // namespace
}  // namespace qd::test
