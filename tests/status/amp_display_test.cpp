#include "status/amp_display.h"

#include "status/display_pass.h"
#include "status_fixture.h"

namespace qd::test {
namespace {

struct LabelState {
  std::string caption;
  Colour back;
};

class AmpDisplay : public StatusTest {
 protected:
  AmpDisplay() { Report({"F1425000"}); }
};

TEST_F(AmpDisplay, PowerAndOperateStates) {
  struct Case {
    const char* state;
    LabelState pwr, opStby, tuned;
    bool tuneEnabled;
  } cases[] = {
      {"O1", {"OFF", colour::kWhite}, {"", colour::kWhite}, {"", colour::kWhite}, false},
      {"O2", {"ON", colour::kRed}, {"Warmup", colour::kYellow}, {"", colour::kWhite}, false},
      {"O3", {"ON", colour::kRed}, {"Standby", colour::kGreen}, {"", colour::kWhite}, false},
      {"O4", {"ON", colour::kRed}, {"Operate", colour::kRed}, {"was", colour::kYellow}, true},
      {"O5", {"was", colour::kBlack}, {"was", colour::kBlack}, {"was", colour::kBlack}, false},
  };
  for (const Case& c : cases) {
    Scenario fresh;
    frmQD6250& f = fresh.p.main;
    for (Label* l : {&f.lblAmpPwr, &f.lblAmpOpStby, &f.lblAmpTuned}) {
      l->caption = "was";
      l->backColour = colour::kBlack;
    }
    f.cmdTuneAmp.enabled = false;
    FileMessage(fresh.p, c.state);
    ShowAmpState(fresh.p);
    EXPECT_EQ(f.lblAmpPwr.caption, c.pwr.caption) << c.state;
    EXPECT_EQ(f.lblAmpPwr.backColour, c.pwr.back) << c.state;
    EXPECT_EQ(f.lblAmpOpStby.caption, c.opStby.caption) << c.state;
    EXPECT_EQ(f.lblAmpOpStby.backColour, c.opStby.back) << c.state;
    EXPECT_EQ(f.lblAmpTuned.caption, c.tuned.caption) << c.state;
    EXPECT_EQ(f.lblAmpTuned.backColour, c.tuned.back) << c.state;
    EXPECT_EQ(f.cmdTuneAmp.enabled, c.tuneEnabled) << c.state;
  }
}

TEST_F(AmpDisplay, TuningProgressInOperate) {
  struct Case {
    const char* tune;
    bool tuneRunning;
    LabelState tuned;
  } cases[] = {
      {"T1", false, {"", colour::kWhite}},       {"T2", false, {"Start Tune", colour::kGreen}},
      {"T1", true, {" >> ", colour::kBlack}},  // the panel's tune keeps its own display
      {"T2", true, {" >> ", colour::kBlack}},    {"T3", false, {"Tuning", colour::kYellow}},
      {"T3", true, {"Tuning", colour::kYellow}}, {"T9", false, {" >> ", colour::kBlack}},
  };
  for (const Case& c : cases) {
    Scenario fresh;
    FileMessage(fresh.p, "O4");
    FileMessage(fresh.p, c.tune);
    fresh.p.link.TuneTimerOn = c.tuneRunning;
    fresh.p.main.lblAmpTuned.caption = " >> ";
    fresh.p.main.lblAmpTuned.backColour = colour::kBlack;
    ShowAmpTune(fresh.p);
    EXPECT_EQ(fresh.p.main.lblAmpTuned.caption, c.tuned.caption) << c.tune << " " << c.tuneRunning;
    EXPECT_EQ(fresh.p.main.lblAmpTuned.backColour, c.tuned.back) << c.tune << " " << c.tuneRunning;
    EXPECT_EQ(fresh.p.link.TuneTimerOn, c.tuneRunning);
  }
}

TEST_F(AmpDisplay, TuningIsNotShownOutsideOperate) {
  Report({"O3", "T3"});
  p.main.lblAmpTuned.caption = "";
  gUpdateDisplay(p);
  EXPECT_EQ(p.main.lblAmpTuned.caption, "");
  EXPECT_EQ(Sent(), "");
}

TEST_F(AmpDisplay, OffAfterOperateClearsTheTuningLabel) {
  Report({"O4", "T4"});
  gUpdateDisplay(p);
  ASSERT_EQ(p.main.lblAmpTuned.caption, "Tuned");
  Report({"O1"});
  gUpdateDisplay(p);
  EXPECT_EQ(p.main.lblAmpTuned.caption, "");
  EXPECT_EQ(p.main.lblAmpTuned.backColour, colour::kWhite);
  EXPECT_FALSE(p.main.cmdTuneAmp.enabled);
}

TEST_F(AmpDisplay, TunedInOperateUnkeysAtOnceEvenWithoutAPanelTune) {
  // Both items in one pass: the state step shows the tune too; one "U" leaves.
  Report({"O4", "T4"});
  gUpdateDisplay(p);
  EXPECT_EQ(p.main.lblAmpOpStby.caption, "Operate");
  EXPECT_EQ(p.main.lblAmpTuned.caption, "Tuned");
  EXPECT_EQ(p.main.lblAmpTuned.backColour, colour::kRed);
  EXPECT_EQ(Sent(), "U");
  EXPECT_EQ(s.WhenSent("U"), 0.0);
  EXPECT_EQ(p.link.SyncChar, "U");
}

TEST_F(AmpDisplay, TunedEndsAPanelTuneKeyedByADirectK) {
  // The tune was keyed by a direct "K"; the sync exchange last sent "U" a moment ago.
  p.link.LastSyncChar = "U";
  p.link.LastSyncTime = p.clock.TimeOfDay();
  p.link.SyncChar = "K";
  p.link.TuneTimerOn = true;
  Report({"O4"});
  gUpdateDisplay(p);
  p.main.lblAmpTuned.caption = "Tuning";
  s.clock.Advance(0.5);

  Report({"T4"});
  gUpdateDisplay(p);
  EXPECT_EQ(Sent(), "U");
  EXPECT_EQ(s.WhenSent("U"), 0.5);
  EXPECT_FALSE(p.link.TuneTimerOn);
  EXPECT_EQ(p.link.SyncChar, "U");
  EXPECT_EQ(p.link.LastSyncChar, "U");

  // A repeated report does not unkey again within the keep-alive time.
  s.clock.Advance(0.5);
  Report({"T4"});
  gUpdateDisplay(p);
  EXPECT_EQ(Sent(), "U");
}

}  // namespace
}  // namespace qd::test
