// The meters: the reading on the bar, the chosen quantity and its scale (which
// follows receive and transmit), and the commands that move the selection.
#include <gtest/gtest.h>

#include "link/sync.h"
#include "status/meters.h"
#include "support/scenario.h"

namespace qd::test {
namespace {

using vocab::Item;

constexpr const char* kLevel = " -20       -10          0         +10 ";
constexpr const char* kSUnits = "  S3    S6     S9      +30      +60   ";
constexpr const char* kWatts = "0            25          50   100  150";
constexpr const char* kVswr = "1               2             3      4";

TEST(gDisplayMeterData, ShowsAReadingOnlyWithinTheBarsRange) {
  struct Case {
    std::string message;
    std::int32_t value;
    int bar;  // the bar starts at 3
  };
  const Case cases[] = {
      {"J07", 7, 7}, {"J00", 0, 0}, {"J21", 21, 21}, {"J25", 25, 3},   {"J", 0, 0},
      {"J7", 7, 7},  {"J1x", 1, 1}, {"Jxx", 0, 0},   {"J123", 12, 12}, {"J-1", -1, 3},
  };
  for (const Case& c : cases) {
    Scenario s;
    s.p.main.pbMeter.value = 3;
    gDisplayMeterData(s.p, c.message);
    EXPECT_EQ(s.p.status.MeterValue, c.value) << c.message;
    EXPECT_EQ(s.p.main.pbMeter.value, c.bar) << c.message;
  }
}

TEST(ShowMeterSelect, MarksTheQuantityAndWritesItsScaleForReceiveOrTransmit) {
  struct Case {
    std::string selected;
    const char* receiving;
    const char* transmitting;
  };
  const Case cases[] = {
      {"D1", kLevel, kLevel},  {"D2", kLevel, kLevel},  {"D3", kLevel, kLevel},
      {"D4", kSUnits, kWatts}, {"D5", kSUnits, kWatts}, {"D6", kSUnits, kVswr},
  };
  for (const Case& c : cases) {
    for (bool keyed : {false, true}) {
      Scenario s;
      s.p.status[Item::MeterSelect].text = c.selected;
      s.p.status.TransmitterKeyed = keyed;
      SelectOption(s.p.main.optMeter, 0);
      ShowMeterSelect(s.p);
      const int index = c.selected[1] - '1';
      EXPECT_EQ(SelectedOption(s.p.main.optMeter), index) << c.selected;
      for (int i = 0; i < 6; ++i)
        EXPECT_EQ(s.p.main.lblMeter[i].foreColour,
                  i == index ? colour::kButtonText : colour::kGreyText);
      EXPECT_EQ(s.p.main.lblMeterScale.caption, keyed ? c.transmitting : c.receiving)
          << c.selected << keyed;
    }
  }
  for (const std::string other : {"", "D7", "D0", "D ", "M1"}) {
    Scenario s;
    s.p.status[Item::MeterSelect].text = other;
    SelectOption(s.p.main.optMeter, 2);
    s.p.main.lblMeterScale.caption = kLevel;
    ShowMeterSelect(s.p);
    EXPECT_EQ(SelectedOption(s.p.main.optMeter), -1) << other;
    EXPECT_EQ(s.p.main.lblMeterScale.caption, kLevel) << other;
  }
}

TEST(SetMeter, StepsForwardWithTheFirmwaresStepCharacterOrNamesTheValue) {
  struct Case {
    int firmware;
    std::string current;
    std::string wanted;
    std::string sent;
  };
  const Case cases[] = {
      {3, "D6", "D5", "DDDDD\n"},                         // wraps from D6 to D1
      {3, "D1", "D4", "DDD\n"},   {3, "", "D3", "DD\n"},  // nothing reported yet counts as D1
      {1, "D2", "D1", "ddddd\n"}, {1, "D3", "D4", "d\n"},
      {0, "D1", "D2", "d\n"},  // not yet known: the type 1 form
      {2, "D1", "D6", "D6\n"},    {2, "D5", "D2", "D2\n"},
      {3, "D4", "D4", ""},        {1, "D6", "D6", ""},
      {2, "D3", "D3", ""},        {3, "D1", "D7", ""},
      {3, "D1", "X", ""},
  };
  for (const Case& c : cases) {
    Scenario s({.firmwareType = c.firmware});
    ScriptedPeer radio;
    radio.AnswerAny(c.wanted + "\n");
    s.AttachRadioPeer(radio);
    s.p.status[Item::MeterSelect].text = c.current;
    SetMeter(s.p, c.wanted);
    const std::string where =
        "type " + std::to_string(c.firmware) + " " + c.current + "->" + c.wanted;
    EXPECT_EQ(s.radio.Sent(), c.sent) << where;
    for (const Label& label : s.p.main.lblMeter)
      EXPECT_EQ(label.foreColour, colour::kGreyText) << where;
    if (!c.sent.empty()) {
      EXPECT_EQ(s.p.status.Text(Item::MeterSelect), c.wanted) << where;  // the answer was read
      EXPECT_TRUE(s.p.status[Item::MeterSelect].changed);
    } else {
      EXPECT_EQ(s.Elapsed(), 0) << where;
    }
  }
}

TEST(SelectMeter, SendsTheChosenQuantityAndNothingWhenItIsAlreadySelected) {
  Scenario s;
  s.p.status[Item::MeterSelect].text = "D6";
  s.p.main.chosenMeterIndex = 4;  // REF
  s.p.main.requests.meter = true;
  SelectMeter(s.p);
  EXPECT_FALSE(s.p.main.requests.meter);
  EXPECT_EQ(s.radio.Sent(), "DDDDD\n");

  // The display's own selection raising the request finds nothing to do.
  s.radio.ClearWire();
  s.p.status[Item::MeterSelect].text = "D5";
  ShowMeterSelect(s.p);
  s.p.main.chosenMeterIndex = SelectedOption(s.p.main.optMeter);
  s.p.main.requests.meter = true;
  SelectMeter(s.p);
  EXPECT_FALSE(s.p.main.requests.meter);
  EXPECT_EQ(s.radio.Sent(), "");
}

TEST(SyncTick, TheScaleAndTransmitIndicatorsFollowTheSyncAnswer) {
  Scenario s;
  ScriptedPeer radio;
  radio.Answer("K", "K\n");
  radio.Answer("U", "U\n");
  s.AttachRadioPeer(radio);
  s.p.status[Item::MeterSelect].text = "D6";
  ShowMeterSelect(s.p);
  s.p.link.LastSyncChar = "U";
  s.p.link.LastSyncTime = s.clock.TimeOfDay();
  frmQD6250& f = s.p.main;

  s.p.link.SyncChar = "K";
  SyncTick(s.p);
  EXPECT_EQ(s.radio.Sent(), "K");
  EXPECT_EQ(f.lblXMTRCV.caption, "Transmit");
  EXPECT_EQ(f.lblXMTRCV.backColour, colour::kRed);
  EXPECT_EQ(f.lblU.backColour, colour::kRed);
  EXPECT_TRUE(f.FreqEntryLocked);
  EXPECT_EQ(f.lblMeterScale.caption, kVswr);
  EXPECT_FALSE(s.p.status.SyncAnswered);

  s.p.link.SyncChar = "U";
  SyncTick(s.p);
  EXPECT_EQ(s.radio.Sent(), "KU");
  EXPECT_EQ(f.lblXMTRCV.caption, "Receive");
  EXPECT_EQ(f.lblXMTRCV.backColour, colour::kGreen);
  EXPECT_EQ(f.lblU.backColour, colour::kGreen);
  EXPECT_FALSE(f.FreqEntryLocked);
  EXPECT_EQ(f.lblMeterScale.caption, kSUnits);
}

TEST(SyncTick, AReleaseTheRadioDoesNotConfirmShowsRed) {
  Scenario s;
  ScriptedPeer radio;
  radio.Answer("U", "K\n");  // still transmitting
  s.AttachRadioPeer(radio);
  s.p.link.LastSyncChar = "K";
  s.p.link.LastSyncTime = s.clock.TimeOfDay();
  s.p.link.SyncChar = "U";
  SyncTick(s.p);
  EXPECT_EQ(s.p.main.lblU.backColour, colour::kRed);
  EXPECT_EQ(s.p.main.lblXMTRCV.caption, "Transmit");
  EXPECT_EQ(s.p.link.SyncFailCount, 0);
}

}  // namespace
}  // namespace qd::test
