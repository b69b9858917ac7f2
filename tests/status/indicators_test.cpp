#include "status/indicators.h"

#include "status_fixture.h"

namespace qd::test {
namespace {

using Field = std::string& (*)(frmQD6250&);

constexpr const char* kUntouched = "untouched";

struct IndicatorCase {
  std::vector<const char*> reports;
  void (*show)(Program&);
  Field field;
  const char* expected;  // kUntouched: the control keeps what it had
};

std::string& Remote(frmQD6250& f) {
  return f.lblREMOTE.caption;
}
std::string& Agc(frmQD6250& f) {
  return f.cmbAGC.text;
}
std::string& Mode(frmQD6250& f) {
  return f.cmbMode.text;
}
std::string& Source(frmQD6250& f) {
  return f.cmbSource.text;
}
std::string& Clipping(frmQD6250& f) {
  return f.lblClipping.caption;
}
std::string& PttEn(frmQD6250& f) {
  return f.lblPTTEn.caption;
}
std::string& Speaker(frmQD6250& f) {
  return f.lblMute.caption;
}
std::string& SideTone(frmQD6250& f) {
  return f.lblSideTone.caption;
}
std::string& Vox(frmQD6250& f) {
  return f.lblVox.caption;
}

class Indicators : public StatusTest {};

TEST_F(Indicators, EachItemShowsOnlyItsListedValues) {
  const IndicatorCase cases[] = {
      {{"R1"}, ShowControlState, Remote, "REMOTE"},
      {{"R0"}, ShowControlState, Remote, "LOCAL"},
      {{"R2"}, ShowControlState, Remote, kUntouched},
      {{"A1"}, ShowAgc, Agc, "OFF"},
      {{"A2"}, ShowAgc, Agc, "SLOW"},
      {{"A3"}, ShowAgc, Agc, "MED"},
      {{"A4"}, ShowAgc, Agc, "FAST"},
      {{"A5"}, ShowAgc, Agc, kUntouched},
      {{"A"}, ShowAgc, Agc, kUntouched},  // stored padded, "A "
      {{"M1"}, ShowMode, Mode, "USB"},
      {{"M2"}, ShowMode, Mode, "LSB"},
      {{"M3"}, ShowMode, Mode, "AME"},
      {{"M4"}, ShowMode, Mode, "CW"},
      {{"M0"}, ShowMode, Mode, kUntouched},
      {{"\"0"}, ShowAudioRoute, Source, "REMOTE"},
      {{"\"1"}, ShowAudioRoute, Source, kUntouched},
      {{"\"1", "H1"}, ShowAudioSource, Source, "MIC"},
      {{"\"1", "H2"}, ShowAudioSource, Source, "AUDIO2"},
      {{"\"1", "H3"}, ShowAudioSource, Source, "PATCH"},
      {{"\"1", "H4"}, ShowAudioSource, Source, "OFF/CW"},
      {{"\"1", "H5"}, ShowAudioSource, Source, kUntouched},
      {{"\"0", "H2"}, ShowAudioSource, Source, kUntouched},  // remote audio: source not shown
      {{"H2"}, ShowAudioSource, Source, kUntouched},         // routing never reported
      {{"I0"}, ShowClipping, Clipping, "OFF"},
      {{"I1"}, ShowClipping, Clipping, "ON"},
      {{"I2"}, ShowClipping, Clipping, kUntouched},
      {{"'0"}, ShowPttEnable, PttEn, "OFF"},
      {{"'1"}, ShowPttEnable, PttEn, "ON"},
      {{"'"}, ShowPttEnable, PttEn, kUntouched},
      {{"(0"}, ShowSpeaker, Speaker, "OFF"},
      {{"(1"}, ShowSpeaker, Speaker, "ON"},
      {{"(9"}, ShowSpeaker, Speaker, kUntouched},
      {{"S0"}, ShowSideTone, SideTone, "OFF"},
      {{"S1"}, ShowSideTone, SideTone, "ON"},
      {{"s1"}, ShowSideTone, SideTone, kUntouched},  // unknown code, nothing filed
      {{"V0"}, ShowVox, Vox, "OFF"},
      {{"V1"}, ShowVox, Vox, "VOICE"},
      {{"V2"}, ShowVox, Vox, "DATA"},
      {{"V3"}, ShowVox, Vox, kUntouched},
  };
  for (const IndicatorCase& c : cases) {
    Scenario fresh;
    for (const char* m : c.reports) FileMessage(fresh.p, m);
    c.field(fresh.p.main) = kUntouched;
    c.show(fresh.p);
    EXPECT_EQ(c.field(fresh.p.main), c.expected) << "after " << c.reports.back();
  }
}

TEST_F(Indicators, ControlStateColoursTheLabelEvenForAnUnknownValue) {
  p.main.lblREMOTE.foreColour = colour::kRed;
  ShowControlState(p);  // nothing reported yet
  EXPECT_EQ(p.main.lblREMOTE.foreColour, colour::kButtonText);
  EXPECT_EQ(p.main.lblREMOTE.caption, "NoComm");
}

TEST_F(Indicators, FrequencyDigitsFollowOnlyAWellFormedReport) {
  Report({"F1425000"});
  ShowFreq(p);
  std::string shown;
  for (const Button& b : p.main.cmdF) shown += b.caption;
  EXPECT_EQ(shown, "1425000");

  // Eight digits are kept cut to seven; those digits are not the radio's frequency.
  for (const char* bad : {"F14250001", "F142500", "F14a5000"}) {
    Report({bad});
    ShowFreq(p);
    shown.clear();
    for (const Button& b : p.main.cmdF) shown += b.caption;
    EXPECT_EQ(shown, "1425000") << bad;
  }
}

TEST_F(Indicators, ChannelSelectsChannelsOrVfo) {
  Report({"C42"});
  ShowChannel(p);
  EXPECT_EQ(p.main.cmdM[0].caption + p.main.cmdM[1].caption, "42");
  EXPECT_TRUE(p.main.optChan[0].value);
  EXPECT_FALSE(p.main.optChan[1].value);

  for (const char* vfo : {"C", "C4", "C4x", "C-1"}) {
    Report({"C42"});
    ShowChannel(p);
    Report({vfo});
    ShowChannel(p);
    EXPECT_TRUE(p.main.optChan[1].value) << vfo;
    EXPECT_FALSE(p.main.optChan[0].value) << vfo;
    EXPECT_EQ(p.main.cmdM[0].caption + p.main.cmdM[1].caption, "42") << vfo;
  }
}

TEST_F(Indicators, FaultLampAndCaption) {
  Report({"E1"});
  ShowFault(p);
  EXPECT_EQ(p.main.shaFault.fillColour, colour::kRed);
  EXPECT_EQ(p.main.lblFault.caption, "FAULT");
  Report({"E7"});
  ShowFault(p);
  EXPECT_EQ(p.main.lblFault.caption, "FAULT");
  Report({"E0"});
  ShowFault(p);
  EXPECT_EQ(p.main.shaFault.fillColour, colour::kLightGrey);
  EXPECT_EQ(p.main.lblFault.caption, "");
}

TEST_F(Indicators, TestResultOnlyEndsAPanelTest) {
  struct Case {
    const char* before;  // lblTest caption before the result
    const char* fault;
    const char* result;
    const char* expected;
  } cases[] = {
      {"Testing", "E0", "X001", "Passed"},
      {"Testing", "E1", "X001", "Passed"},
      {"Testing", "E1", "X123", "A1A12-3"},
      {"Testing", "E1", "X053", "A1A5-3"},
      {"Testing", "E1", "Xab7", "A1A0-7"},   // a pair that is no number counts as 0
      {"Testing", "E1", "X1", "A1A1- "},     // padded to "X1  "
      {"Testing", "E0", "X123", "Testing"},  // a fault code only with the fault lamp on
      {"", "E1", "X001", ""},                // no test running
      {"Passed", "E1", "X123", "Passed"},
  };
  for (const Case& c : cases) {
    Scenario fresh;
    FileMessage(fresh.p, c.fault);
    FileMessage(fresh.p, c.result);
    fresh.p.main.lblTest.caption = c.before;
    ShowTestResult(fresh.p);
    EXPECT_EQ(fresh.p.main.lblTest.caption, c.expected)
        << c.before << " " << c.fault << " " << c.result;
  }
}

TEST_F(Indicators, TestStateShowsTesting) {
  p.main.lblTest.backColour = colour::kRed;
  Report({"Z0"});
  ShowTestState(p);
  EXPECT_EQ(p.main.lblTest.caption, "");
  Report({"Z1"});
  ShowTestState(p);
  EXPECT_EQ(p.main.lblTest.caption, "Testing");
  EXPECT_EQ(p.main.lblTest.backColour, colour::kButtonFace);
}

TEST_F(Indicators, ChannelDataWritesItsDigitsAndMode) {
  Report({"P0714250002"});
  ShowChannelData(p);
  std::string shown;
  for (const Button& b : p.main.cmdF) shown += b.caption;
  EXPECT_EQ(shown, "1425000");
  EXPECT_EQ(p.main.cmbMode.text, "LSB");

  // Written as it stands; an unknown mode digit leaves the mode box.
  Report({"P07142x0"});
  ShowChannelData(p);
  shown.clear();
  for (const Button& b : p.main.cmdF) shown += b.caption;
  EXPECT_EQ(shown, "142x0  ");
  EXPECT_EQ(p.main.cmbMode.text, "LSB");
}

}  // namespace
}  // namespace qd::test
