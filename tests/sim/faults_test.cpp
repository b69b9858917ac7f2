// Faults on demand: each changes what leaves the simulated radio as named.
#include <gtest/gtest.h>

#include "platform/serial_port.h"
#include "sim_bench.h"
#include "support/fake_serial_port.h"
#include "support/sim_peer.h"
#include "support/virtual_clock.h"

namespace qd::sim {
namespace {

TEST(SimFaults, EachFaultShapesTheBurst) {
  const std::string p("\377\0", 2);
  struct Case {
    const char* name;
    Faults faults;
    std::string answer;  // to "F0712500\n"
  } cases[] = {
      {"none", {}, "F0712500\n"},
      {"silent", {.silent = true}, ""},
      {"garbage", {.garbageLine = true}, "~q@&%z\nF0712500\n"},
      {"unknown code", {.unknownCode = true}, "F0712500\nY42\n"},
      {"parity", {.parityError = true}, p + "F0712500\n"},
      {"malformed F", {.malformedFreq = true}, "F071250\n"},
      {"eight-digit F", {.longFreq = true}, "F07125000\n"},
      {"cut", {.cutBursts = 1}, "F071"},
  };
  for (const Case& c : cases) {
    Bench b;
    b.radio.SetFaults(c.faults);
    EXPECT_EQ(b.Say("F0712500\n"), c.answer) << c.name;
  }
}

TEST(SimFaults, ACutBurstEndsInsideAMessageAndTheNextOneIsWhole) {
  Bench b;
  b.radio.MutableFaults().cutBursts = 1;
  const std::string cut = b.Say("?\n");
  ASSERT_FALSE(cut.empty());
  EXPECT_NE(cut.back(), '\n');
  EXPECT_LT(cut.size(), b.radio.StatusReport().size());
  EXPECT_EQ(b.radio.StatusReport().substr(0, cut.size()), cut);
  EXPECT_EQ(b.Say("?\n"), b.radio.StatusReport());
  // A sync answer and its meter reading lose the reading's digits.
  b.radio.MutableFaults().cutBursts = 1;
  EXPECT_EQ(b.Say("U"), "U\nJ");
}

TEST(SimFaults, SlowAnswersArriveAfterTheReadLimit) {
  Bench b;
  b.radio.MutableFaults().slow = true;
  b.radio.Receive("?\n", b.t);
  ASSERT_TRUE(b.radio.NextDue().has_value());
  EXPECT_GT(*b.radio.NextDue() - b.t, 0.8);
  EXPECT_EQ(b.radio.TakeOutput(b.t + 0.8), "");
  EXPECT_EQ(b.Wait(3.0), b.radio.StatusReport());
}

TEST(SimFaults, DropsTheGivenShareOfBurstsSpreadEvenly) {
  Bench b;
  b.radio.MutableFaults().dropShare = 0.5;
  std::string answers;
  for (int i = 0; i < 6; ++i) answers += b.Say("(1\n").empty() ? "-" : "A";
  EXPECT_EQ(answers, "A-A-A-");
  b.radio.MutableFaults().dropShare = 1.0;
  EXPECT_EQ(b.Say("?\n"), "");
}

TEST(SimFaults, ParityErrorsAndBreaksReachThePortAsEvents) {
  test::VirtualClock clock;
  test::FakeSerialPort port(clock);
  test::SimPeer peer({.firmwareType = 2});
  port.AttachPeer(&peer);
  ASSERT_TRUE(port.Open(1, "9600,O,7,1", Handshake::None));
  peer.Radio().MutableFaults().parityError = true;
  port.Output("F0712500\n");
  port.WaitForInput(1.0);
  clock.Advance(0.1);
  EXPECT_EQ(port.Input(), ":0712500\n");
  std::optional<PortEvent> e = port.TakeEvent();
  ASSERT_TRUE(e.has_value());
  EXPECT_EQ(e->code, comm_event::kRxParity);

  peer.Radio().SendBreak(clock.Now());
  port.WaitForInput(1.0);
  clock.Advance(0.1);
  EXPECT_EQ(port.Input(), "");
  e = port.TakeEvent();
  ASSERT_TRUE(e.has_value());
  EXPECT_EQ(e->code, comm_event::kBreak);
}

TEST(SimPeerOnFakePort, StatusQueryAnswersThroughThePort) {
  test::VirtualClock clock;
  test::FakeSerialPort port(clock);
  test::SimPeer peer({.firmwareType = 3});
  port.AttachPeer(&peer);
  ASSERT_TRUE(port.Open(1, "9600,O,7,1", Handshake::None));
  const double sent = clock.Now();
  port.Output("?\n");
  ASSERT_GT(port.WaitForInput(0.8), 0u);
  // The first byte comes after the two query characters, the latency and one character.
  EXPECT_NEAR(clock.Now() - sent, 3 * peer.Radio().CharacterTime() + kDefaultLatency, 1e-6);
  clock.Advance(0.5);
  EXPECT_EQ(port.Input(), peer.Radio().StatusReport());
  EXPECT_EQ(peer.Radio().CommandTexts(), std::vector<std::string>{"?"});
}

}  // namespace
}  // namespace qd::sim
