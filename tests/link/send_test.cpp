// Command send, the sync character's change and repeat rules, and the waits,
// in virtual time on the wire log, including across midnight.
#include <gtest/gtest.h>

#include "link/send.h"
#include "link/sync.h"
#include "platform/errors.h"
#include "support/scenario.h"

namespace qd::test {
namespace {

constexpr double kJustBeforeMidnight = kSecondsPerDay - 0.1;
constexpr double kTolerance = 1e-5;  // a wait may overshoot by a microsecond

TEST(WaitSeconds, WaitsTheDurationAtAnyTimeOfDay) {
  for (double start : {kNoon, kJustBeforeMidnight, kSecondsPerDay - 0.5}) {
    Scenario s({.startTimeOfDay = start});
    WaitSeconds(s.p, 0.5);
    EXPECT_NEAR(s.Elapsed(), 0.5, kTolerance) << "start " << start;
    WaitSeconds(s.p, 0);
    EXPECT_NEAR(s.Elapsed(), 0.5, kTolerance) << "start " << start;
  }
}

TEST(SendCommand, WritesTheCommandWithOrWithoutLineFeedThenPauses) {
  struct Case {
    std::string command;
    bool lineFeed;
    double pause;
    std::string wire;
  };
  const Case cases[] = {
      {"U", false, 0.2, "U"},
      {"F1234567", true, 0, "F1234567\n"},
      {"DDDDD", true, 0.3, "DDDDD\n"},
  };
  for (const Case& c : cases) {
    Scenario s;
    SendCommand(s.p, c.command, c.lineFeed, c.pause);
    EXPECT_EQ(s.radio.Writes(), std::vector<std::string>{c.wire}) << c.command;
    EXPECT_NEAR(s.Elapsed(), c.pause, kTolerance) << c.command;
    EXPECT_EQ(s.p.main.shaTrace.fillColour, colour::kGreyText);
  }
}

TEST(SendCommand, DropsTheCommandWhenOutputNeverDrains) {
  Scenario s;
  s.radio.SetOutputStuck(true);
  SendCommand(s.p, "F1234567", true, 0);  // stays in the output buffer
  const double before = s.Elapsed();
  SendCommand(s.p, "M2", true, 0.3);
  EXPECT_NEAR(s.Elapsed() - before, 10 * 0.01, kTolerance);  // ten drain waits, no pause
  EXPECT_EQ(s.radio.OutBufferCount(), std::string("F1234567\n").size());
  EXPECT_EQ(s.p.main.shaTrace.fillColour, colour::kRed);
}

TEST(SendCommand, AClosedPortLosesTheCommandWithoutError) {
  Scenario s({.openRadioPort = false});
  EXPECT_NO_THROW(SendCommand(s.p, "M2", true, 0));
  EXPECT_NO_THROW(WriteRadioPort(s.p, "G00\n"));
  EXPECT_TRUE(s.radio.Writes().empty());
}

// Calls gSendSync every 0.1 s as the main loop does and returns the elapsed
// times at which the sync character went out.
std::vector<double> SyncSendTimes(Scenario& s, const std::string& c, double seconds) {
  while (s.Elapsed() < seconds) {
    gSendSync(s.p, c);
    s.clock.Advance(0.1);
  }
  std::vector<double> times;
  for (const WireEntry& w : s.RadioWrites()) times.push_back(w.time);
  return times;
}

TEST(gSendSync, RepeatsAnUnchangedCharacterOnlyAfterTwoSecondsAtAnyTimeOfDay) {
  // The last two start times put midnight between the first call and the
  // first send, and between two sends.
  for (double start : {kNoon, kSecondsPerDay - 1.0, kSecondsPerDay - 3.0}) {
    Scenario s({.startTimeOfDay = start});
    std::vector<double> sent = SyncSendTimes(s, "U", 10.0);
    ASSERT_EQ(sent.size(), 4u) << "start " << start;
    EXPECT_GT(sent[0], 2.0);
    for (std::size_t i = 1; i < sent.size(); ++i) {
      // More than 2 s after the previous send ended (its 0.2 s pause included).
      EXPECT_GT(sent[i] - sent[i - 1], 2.2) << "start " << start;
      EXPECT_LT(sent[i] - sent[i - 1], 2.2 + 0.1 + 1e-6) << "start " << start;
    }
    EXPECT_EQ(s.p.link.SyncFailCount, 4);
  }
}

TEST(gSendSync, AChangeBetweenUAndKGoesOutAtOnceABlankNever) {
  Scenario s;
  s.p.link.LastSyncChar = "U";
  s.p.link.LastSyncTime = s.clock.TimeOfDay();
  struct Step {
    std::string c;
    bool sent;
  };
  const Step steps[] = {{"U", false}, {"K", true}, {"K", false}, {"U", true},
                        {" ", false}, {"K", true}, {" ", false}};
  for (const Step& step : steps) {
    const std::size_t before = s.radio.Writes().size();
    gSendSync(s.p, step.c);
    const bool sent = s.radio.Writes().size() > before;
    EXPECT_EQ(sent, step.sent) << "'" << step.c << "'";
    if (sent) {
      EXPECT_EQ(s.radio.Writes().back(), step.c);
      EXPECT_EQ(s.p.main.lblU.caption, step.c);
      EXPECT_EQ(s.p.main.lblU.backColour, colour::kWhite);
    }
  }
  // A blank is still repeated every 2 s.
  const std::size_t before = s.radio.Writes().size();
  SyncSendTimes(s, " ", s.Elapsed() + 2.5);
  EXPECT_EQ(s.radio.Writes().size(), before + 1);
  EXPECT_EQ(s.radio.Writes().back(), " ");
}

TEST(gSendSync, BlanksTheSyncCaptionAfterOneSecondWithoutSending) {
  Scenario s;
  s.p.link.LastSyncChar = "U";
  s.p.link.LastSyncTime = s.clock.TimeOfDay();
  s.p.main.lblU.caption = "U";
  s.clock.Advance(0.9);
  gSendSync(s.p, "U");
  EXPECT_EQ(s.p.main.lblU.caption, "U");
  s.clock.Advance(0.2);
  gSendSync(s.p, "U");
  EXPECT_EQ(s.p.main.lblU.caption, "");
}

// A port whose buffer count fails, as a vanished device can.
class FailingPort : public FakeSerialPort {
 public:
  using FakeSerialPort::FakeSerialPort;
  std::size_t OutBufferCount() override {
    throw RuntimeError(8018, "Operation valid only when port is open");
  }
};

TEST(gSendSync, ReportsAnErrorInTheInfoBoxAndCarriesOn) {
  VirtualClock clock(kNoon);
  ScriptedWindowing windowing(clock);
  FailingPort radio(clock);
  FakeSerialPort cat(clock);
  Program p(clock, windowing, radio, cat);
  p.link.LastSyncChar = "U";
  p.link.LastSyncTime = clock.TimeOfDay();
  EXPECT_NO_THROW(gSendSync(p, "K"));
  EXPECT_EQ(p.main.txtInfo.text, "gSendSync: Err 8018. Operation valid only when port is open");
  EXPECT_TRUE(p.main.txtInfo.visible);
}

TEST(SyncTick, CountsUnansweredSyncsAndClearsTheCountOnAnAnswer) {
  Scenario s;
  auto tickFor = [&s](double seconds) {
    const double end = s.Elapsed() + seconds;
    while (s.Elapsed() < end) {
      SyncTick(s.p);
      s.clock.Advance(0.05);  // the rest of a main-loop pass
    }
  };
  tickFor(14.0);  // silent radio: one unanswered sync about every 2.25 s
  EXPECT_EQ(s.p.link.SyncFailCount, 6);
  EXPECT_EQ(s.radio.Writes(), std::vector<std::string>(6, "U"));

  ScriptedPeer radio;
  radio.Answer("U", "U\n");
  s.AttachRadioPeer(radio);
  tickFor(2.3);
  EXPECT_EQ(s.p.link.SyncFailCount, 0);
  EXPECT_EQ(s.p.main.lblU.backColour, colour::kGreen);
  EXPECT_EQ(s.p.main.lblComStat.caption, "Com OK");
}

}  // namespace
}  // namespace qd::test
