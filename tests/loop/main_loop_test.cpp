// The main loop against the simulated radio: the serving order of requests,
// the restarts (sync failure, break), the radio changing mode at its front
// panel, the stuck external key at loop start, the tune time-out and keying
// out of band.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "link/events.h"
#include "link/main_loop.h"
#include "loop_rig.h"
#include "platform/errors.h"
#include "platform/serial_port.h"

namespace qd::test {
namespace {

constexpr double kStarted = 12;  // start-up is over well before this

std::size_t CountOf(const std::vector<std::string>& v, const std::string& text) {
  return static_cast<std::size_t>(std::count(v.begin(), v.end(), text));
}

TEST(MainLoop, RequestsRaisedBetweenPassesAreServedInTableOrderInOnePass) {
  LoopRig rig({.firmwareType = 2});
  WritePortSetup();
  // Clicked in the reverse of the serving order, all before the same pass.
  rig.s.windowing.AtTime(rig.s.start + kStarted, Click("cmdVOX"));
  rig.s.windowing.AtTime(rig.s.start + kStarted, Click("cmdClipping"));
  rig.s.windowing.AtTime(rig.s.start + kStarted, ChooseText("cmbSource", "PATCH"));
  rig.Run(kStarted + 5);

  const std::string sent = rig.s.SentSince(kStarted);
  const auto source = sent.find("HH\n");
  const auto clipping = sent.find("I\n");
  const auto vox = sent.find("V\n");
  ASSERT_NE(source, std::string::npos) << Visible(sent);
  ASSERT_NE(clipping, std::string::npos) << Visible(sent);
  ASSERT_NE(vox, std::string::npos) << Visible(sent);
  EXPECT_LT(source, clipping);
  EXPECT_LT(clipping, vox);
  // One pass: no sync between the first and the last.
  EXPECT_EQ(sent.substr(source, vox - source).find('U'), std::string::npos) << Visible(sent);
  // Acted on at once, not a sync interval later.
  EXPECT_LT(*rig.s.WhenSent("HH\n") - kStarted, 0.5);
  EXPECT_EQ(rig.sim.Radio().State().source, 3);
  EXPECT_FALSE(rig.s.p.main.requests.source || rig.s.p.main.requests.clipping ||
               rig.s.p.main.requests.vox);
}

TEST(MainLoop, IdleLoopSleepsBetweenPasses) {
  LoopRig rig({.firmwareType = 1});
  WritePortSetup();
  int yieldsAtStart = 0;
  rig.At(kStarted, [&] { yieldsAtStart = rig.s.windowing.yields; });
  rig.Run(kStarted + 10);
  // At most one idle yield per 50 ms, plus those that wake for a reply.
  EXPECT_LT(rig.s.windowing.yields - yieldsAtStart, 10 * 20 + 40);
  EXPECT_GT(rig.s.windowing.yields - yieldsAtStart, 10);
}

TEST(MainLoop, SixthUnansweredSyncRestartsTheLinkAndRequeries) {
  LoopRig rig({.firmwareType = 3});
  WritePortSetup();
  rig.At(kStarted, [&] { rig.sim.Radio().MutableFaults().silent = true; });
  double restartedAt = 0;
  std::string syncsWhileSilent;
  rig.OnYield([&] {
    if (restartedAt > 0 || rig.s.p.main.txtInfo.text != "No Sync Response: Restarting...") return;
    restartedAt = rig.s.Elapsed();
    double lastHeard = 0;
    for (const WireEntry& w : rig.s.radio.Wire())
      if (!w.fromProgram) lastHeard = w.time;
    for (const WireEntry& w : rig.s.radio.Wire())
      if (w.fromProgram && w.time > lastHeard) syncsWhileSilent += w.bytes;
    rig.sim.Radio().MutableFaults().silent = false;
  });
  rig.Run(kStarted + 40);

  ASSERT_GT(restartedAt, kStarted);
  // About 12 s of syncs every 2 s, every one of them unanswered; then a query.
  EXPECT_EQ(syncsWhileSilent.substr(0, 6), "UUUUUU");
  EXPECT_EQ(std::count(syncsWhileSilent.begin(), syncsWhileSilent.end(), 'U'), 6)
      << Visible(syncsWhileSilent);
  EXPECT_NEAR(restartedAt - kStarted, 12, 2.5);
  // The link restarts with status queries, skips the panel set-up and syncs on.
  const std::vector<std::string> after = rig.CommandsSince(restartedAt);
  ASSERT_FALSE(after.empty());
  EXPECT_EQ(after.front(), "?");
  EXPECT_EQ(CountOf(after, "B100"), 0u);
  EXPECT_GE(CountOf(after, "U"), 5u);
  EXPECT_EQ(rig.s.p.link.SyncFailCount, 0);
  EXPECT_FALSE(rig.s.p.main.RestartFlag);
}

TEST(MainLoop, BreakFromTheRadioRestartsTheLink) {
  LoopRig rig({.firmwareType = 1});
  WritePortSetup();
  rig.At(kStarted, [&] { rig.s.radio.InjectEvent(rig.s.clock.Now(), comm_event::kBreak); });
  rig.Run(kStarted + 20);
  const std::vector<std::string> after = rig.CommandsSince(kStarted);
  ASSERT_FALSE(after.empty());
  const auto query = std::find(after.begin(), after.end(), "?");
  ASSERT_NE(query, after.end());
  // At most the sync in flight goes out before the status query.
  EXPECT_LE(query - after.begin(), 1);
  // The radio answers R1, so the REMOTE set-up runs again and syncing resumes.
  EXPECT_EQ(CountOf(after, "B100"), 2u);
  EXPECT_EQ(after.back(), "U");
  EXPECT_FALSE(rig.s.p.link.RadioBreakSeen);
}

TEST(MainLoop, RadioSwitchedFromLocalToRemoteGetsTheFullRemoteSetUp) {
  LoopRig rig({.firmwareType = 2, .remote = false});
  WritePortSetup();
  // An audio setup applied while LOCAL waits: transmitting stays off.
  rig.At(kStarted, [&] { rig.s.p.link.AudioSetupChanged = true; });
  bool transmitOffWhileLocal = true;
  rig.OnYield([&] {
    if (rig.s.p.main.ModeText == "LOCAL" && rig.s.p.main.cmdXmit.enabled)
      transmitOffWhileLocal = false;
  });
  rig.At(kStarted + 5, [&] { rig.sim.Radio().SetControlState(true, rig.s.clock.Now()); });
  rig.Run(kStarted + 20);

  EXPECT_TRUE(transmitOffWhileLocal);
  for (const WireEntry& w : rig.s.RadioWrites())
    EXPECT_FALSE(w.time >= kStarted && w.time < kStarted + 5)
        << Visible(w.bytes) << " at " << w.time;
  const frmQD6250& f = rig.s.p.main;
  EXPECT_EQ(f.ModeText, "REMOTE");
  EXPECT_EQ(f.lblFWType.caption, "F/W: v604 Adapt");
  EXPECT_TRUE(f.cmdXmit.enabled);
  EXPECT_TRUE(f.vscRFG.enabled);
  EXPECT_FALSE(rig.s.p.link.AudioSetupChanged);
  const std::vector<std::string> after = rig.CommandsSince(kStarted + 5);
  EXPECT_EQ(CountOf(after, "B100"), 2u);
  EXPECT_EQ(CountOf(after, "G00"), 1u);
  EXPECT_GE(CountOf(after, "U"), 3u);
  EXPECT_EQ(CountOf(rig.CommandsSince(0), "G00"), 1u);
}

TEST(MainLoop, AStatusWithoutControlStateWaitsWithoutSpinningForOne) {
  LoopRig rig;
  ScriptedPeer radio;  // a complete status report, but no "R" message
  radio.Answer("?\n", "F1425000\nM1\nA2\nH1\n\"1\n#\n.\n");
  rig.s.AttachRadioPeer(radio);
  WritePortSetup();
  int yieldsBefore = 0;
  rig.At(10, [&] {
    yieldsBefore = rig.s.windowing.yields;
    rig.s.RadioSaysIn(0, "R0\n");  // reported unasked from the radio's front panel
  });
  rig.Run(15);
  EXPECT_LT(yieldsBefore, 10 * 20 + 40);  // idle yields sleep
  EXPECT_EQ(rig.s.p.main.ModeText, "LOCAL");
  EXPECT_EQ(rig.s.p.main.lblREMOTE.caption, "LOCAL");
  EXPECT_FALSE(rig.s.p.main.cmdXmit.enabled);
}

TEST(MainLoop, ARunTimeErrorAbandonsThePassAndStartsOverAtLoopInit) {
  LoopRig rig({.firmwareType = 1});
  WritePortSetup();
  rig.At(kStarted, [&] {
    OnAction(rig.s.p, "cmdTest", "Click", [](Program&, const Action&) {
      throw RuntimeError(kErrTypeMismatch, "Type mismatch");
    });
    rig.s.p.main.lblSplit.caption = "";  // only the loop's initialisation fills this in
    rig.s.p.actions.Post(Click("cmdTest"));
  });
  rig.Run(kStarted + 6);
  EXPECT_EQ(rig.s.p.main.lblSplit.caption, "Split Off");
  EXPECT_TRUE(rig.s.windowing.messageBoxes.empty());
  EXPECT_GE(CountOf(rig.CommandsSince(kStarted), "U"), 2u);
}

TEST(MainLoop, CatQueriesAreAnsweredFromTheLoop) {
  LoopRig rig({.firmwareType = 2});
  WritePortSetup();
  WriteFile("CATSetup.txt", {"2", "4800,N,8,1", "comNone", "Kenwood"});
  rig.s.p.portPresent = [](int n) { return n == 1 || n == 2; };
  rig.At(kStarted, [&] { rig.s.cat.ArriveNow("FA;MD;"); });
  rig.Run(kStarted + 3);
  EXPECT_TRUE(rig.s.cat.IsOpen());
  EXPECT_EQ(rig.s.cat.PortNumber(), 2);
  EXPECT_EQ(rig.s.cat.Sent(), "FA00007125000;MD1;");
  EXPECT_EQ(rig.s.p.main.txtInCat.text, "FA;MD;");
}

TEST(MainLoop, AnAppliedAudioSetupRedoesTheRemotePanelWithTheNewSettings) {
  LoopRig rig({.firmwareType = 2});
  WritePortSetup();
  rig.At(kStarted, [&] {
    rig.s.p.op.audio.PhoneAudioSource = "H2";  // as the audio setup's Apply leaves it
    rig.s.p.link.AudioSetupChanged = true;
  });
  rig.Run(kStarted + 8);
  EXPECT_EQ(rig.sim.Radio().State().source, 2);
  EXPECT_FALSE(rig.s.p.link.AudioSetupChanged);
  const std::vector<std::string> after = rig.CommandsSince(kStarted);
  EXPECT_EQ(CountOf(after, "B100"), 2u);
  EXPECT_EQ(CountOf(after, "G00"), 1u);
  EXPECT_TRUE(rig.s.p.main.cmdXmit.enabled);
  EXPECT_FALSE(rig.s.p.main.txtInfo.visible);
}

TEST(MainLoop, AnAppliedPortSetupReopensThePortAndStartsTheLinkAgain) {
  LoopRig rig({.firmwareType = 1});
  WritePortSetup();
  rig.s.windowing.onShowForm = [&](Form& form) {
    if (form.name != "frmPortSetup") return;
    rig.s.p.actions.Post(PortSetupAction("cmbSelectBaudRate", "Click", "4800 "));
    rig.s.p.actions.Post(PortSetupAction("cmdApply", "Click"));
  };
  rig.s.windowing.AtTime(rig.s.start + kStarted, Click("mnuPortSetup"));
  rig.Run(kStarted + 10);
  EXPECT_EQ(rig.s.radio.openCount, 2);
  EXPECT_EQ(rig.s.radio.Settings(), "4800 ,O,7,1");
  const std::vector<std::string> after = rig.CommandsSince(kStarted);
  ASSERT_FALSE(after.empty());
  EXPECT_EQ(after.front(), "?");
  EXPECT_EQ(CountOf(after, "B100"), 2u);
  EXPECT_FALSE(rig.s.p.link.PortSetupChanged);
  EXPECT_EQ(rig.s.p.main.ModeText, "REMOTE");
}

struct StuckKeyCase {
  const char* name;
  bool releasedOnOk;
  Colour colourAfter;
};

class StuckKey : public ::testing::TestWithParam<StuckKeyCase> {};

TEST_P(StuckKey, LoopStartAsksOnceThenShowsTheKeyState) {
  LoopRig rig({.firmwareType = 1});
  WritePortSetup(/*extPtt=*/true);
  rig.s.radio.SetLine('D', false, rig.s.clock.Now());  // key held down
  rig.s.windowing.onMessageBox = [&](const std::string&) {
    if (GetParam().releasedOnOk) rig.s.radio.SetLine('D', true, rig.s.clock.Now());
  };
  rig.Run(kStarted);
  EXPECT_EQ(rig.s.windowing.messageBoxes,
            std::vector<std::string>{"Check for stuck Push-to-Talk key, then click OK."});
  EXPECT_EQ(rig.s.p.main.lblExtPTT.backColour, GetParam().colourAfter);
  EXPECT_EQ(rig.s.p.main.ExtPttState, GetParam().releasedOnOk);
  EXPECT_EQ(rig.s.radio.Sent().find('K'), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Cases, StuckKey,
                         ::testing::Values(StuckKeyCase{"Released", true, colour::kGreen},
                                           StuckKeyCase{"StillHeld", false, colour::kYellow}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ExternalKey, PressedDuringTheLoopNeverKeysWithoutThePushToTalkProcedure) {
  LoopRig rig({.firmwareType = 2});
  WritePortSetup(/*extPtt=*/true);
  rig.At(kStarted, [&] { rig.s.radio.SetLine('D', false, rig.s.clock.Now()); });
  rig.At(kStarted + 3, [&] { rig.s.radio.SetLine('D', true, rig.s.clock.Now()); });
  rig.Run(kStarted + 6);
  EXPECT_TRUE(rig.s.windowing.messageBoxes.empty());
  EXPECT_EQ(rig.s.radio.Sent().find('K'), std::string::npos);
  EXPECT_FALSE(rig.sim.Radio().State().keyed);
  EXPECT_EQ(rig.s.p.main.lblExtPTT.backColour, colour::kGreen);
}

// Every way of keying, tried while the transmit frequency is out of band: the
// external key, and transmit or tune requests (a click queued before the band
// guard disabled the button).
TEST(BandGuard, OutOfBandNoWayOfKeyingSendsTheKey) {
  struct Case {
    const char* name;
    std::function<void(LoopRig&)> press;
  } cases[] = {
      {"external key", [](LoopRig& rig) { rig.s.radio.SetLine('D', false, rig.s.clock.Now()); }},
      {"transmit request", [](LoopRig& rig) { rig.s.p.main.requests.xmit = true; }},
      {"tune request", [](LoopRig& rig) { rig.s.p.main.requests.tune = true; }},
  };
  for (const Case& c : cases) {
    LoopRig rig({.firmwareType = 2});
    WritePortSetup(/*extPtt=*/true);
    rig.At(kStarted, [&] { rig.sim.Radio().TurnFrequency("0600000", rig.s.clock.Now()); });
    rig.At(kStarted + 2, [&] { c.press(rig); });
    rig.At(kStarted + 4, [&] { rig.s.radio.SetLine('D', true, rig.s.clock.Now()); });
    rig.Run(kStarted + 6);
    EXPECT_EQ(rig.s.p.main.lblInBand.caption, "Out Of Band") << c.name;
    EXPECT_EQ(rig.s.radio.Sent().find('K'), std::string::npos) << c.name;
    EXPECT_FALSE(rig.sim.Radio().State().keyed) << c.name;
  }
}

class TuneTimeOut : public ::testing::TestWithParam<double> {};

TEST_P(TuneTimeOut, ATuneLeftOnIsCancelledAfterTwentySeconds) {
  LoopRig rig({.firmwareType = 3}, GetParam());
  WritePortSetup();
  double keyedAt = 0;
  rig.At(kStarted, [&] {
    keyedAt = rig.s.Elapsed();
    rig.s.p.link.TuneTimerOn = true;
    rig.s.p.link.TuneStartTime = rig.s.clock.TimeOfDay();
    rig.s.p.link.SyncChar = "K";
  });
  rig.Run(kStarted + 30);
  EXPECT_EQ(rig.s.p.main.txtInfo.text, "Timeout: Tune Cancelled");
  EXPECT_FALSE(rig.s.p.link.TuneTimerOn);
  EXPECT_EQ(rig.s.p.link.SyncChar, "U");
  EXPECT_FALSE(rig.sim.Radio().State().keyed);
  // The status refresh that follows the time-out marks when it struck.
  std::optional<double> refreshedAt;
  for (const WireEntry& w : rig.s.RadioWrites())
    if (w.time > keyedAt && w.bytes == "?\n" && !refreshedAt) refreshedAt = w.time;
  ASSERT_TRUE(refreshedAt);
  EXPECT_GT(*refreshedAt - keyedAt, 20.0);
  EXPECT_LT(*refreshedAt - keyedAt, 21.0);
}

INSTANTIATE_TEST_SUITE_P(TimesOfDay, TuneTimeOut,
                         ::testing::Values(test::kNoon, 23 * 3600.0 + 59 * 60 + 45));

}  // namespace
}  // namespace qd::test
