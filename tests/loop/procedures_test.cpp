// The operator procedures start-up and the loop call: source stepping and
// routing, the BFO and RF gain bars and their commands.
#include <gtest/gtest.h>

#include "panel/audio_source.h"
#include "panel/receiver_adjustments.h"
#include "support/scenario.h"

namespace qd::test {
namespace {

using vocab::Item;

struct SourceCase {
  const char* name;
  int firmware;
  const char* route;
  const char* current;
  const char* target;
  const char* wire;
};

class SetAudioSourceSteps : public ::testing::TestWithParam<SourceCase> {};

TEST_P(SetAudioSourceSteps, SendsTheStepsAroundTheCycle) {
  const SourceCase& c = GetParam();
  Scenario s({.firmwareType = c.firmware});
  s.p.status[Item::AudioRoute].text = c.route;
  s.p.status[Item::AudioSource].text = c.current;
  SetAudioSource(s.p, c.target);
  EXPECT_EQ(Visible(s.radio.Sent()), Visible(c.wire));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SetAudioSourceSteps,
    ::testing::Values(SourceCase{"DownWraps", 2, "\"1", "H3", "H1", "H\n"},
                      SourceCase{"Up", 2, "\"1", "H1", "H3", "HH\n"},
                      SourceCase{"RemoteAudioGoesLocalFirst", 3, "\"0", "H1", "H3", "\"1\nHH\n"},
                      SourceCase{"RemoteOnTypeOneToggles", 1, "\"0", "H1", "H3", "\"\nHH\n"},
                      SourceCase{"AlreadyThere", 2, "\"1", "H2", "H2", ""},
                      SourceCase{"UnknownSource", 2, "\"1", "", "H2", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SetAudioRoute, GivesUpAfterAFewTriesAndSaysSo) {
  Scenario s({.firmwareType = 2});  // nothing answers
  s.p.status[Item::AudioRoute].text = "\"1";
  SetAudioRoute(s.p, "REMOTE");
  EXPECT_EQ(s.radio.Writes(), std::vector<std::string>(kMaxRouteTries, "\"0\n"));
  EXPECT_TRUE(s.p.main.txtInfo.visible);
  EXPECT_EQ(s.p.main.txtInfo.text, "Audio routing: the radio did not switch to REMOTE audio");

  Scenario quiet({.firmwareType = 2});
  quiet.p.status[Item::AudioRoute].text = "\"1";
  SetAudioRoute(quiet.p, "LOCAL");
  SetAudioRoute(quiet.p, "remote");
  EXPECT_TRUE(quiet.radio.Writes().empty());
}

TEST(SetAudioRoute, StopsAsSoonAsTheRadioReportsTheRouting) {
  Scenario s({.firmwareType = 1});
  ScriptedPeer radio;
  radio.Answer("\"\n", "\"0\n");
  s.AttachRadioPeer(radio);
  s.p.status[Item::AudioRoute].text = "\"1";
  SetAudioRoute(s.p, "REMOTE");
  EXPECT_EQ(s.radio.Writes(), std::vector<std::string>{"\"\n"});
  EXPECT_EQ(s.p.status.Text(Item::AudioRoute), "\"0");
}

TEST(ScrollBarTexts, BfoOffsetAndRfGainAsShown) {
  const std::pair<int, const char*> bfo[] = {{95, "-050"},  {100, "000"}, {150, "500"},
                                             {200, "1000"}, {0, "-1000"}, {101, "010"}};
  for (const auto& [position, text] : bfo) EXPECT_EQ(BfoOffsetText(position), text) << position;
  const std::pair<int, const char*> gain[] = {{63, "100"}, {62, "098"}, {0, "000"}, {32, "051"}};
  for (const auto& [position, text] : gain) EXPECT_EQ(RfGainText(position), text) << position;
}

TEST(RfGain, TheTopOfTheBarIsFullGain) {
  const std::pair<int, const char*> cases[] = {{63, "G00\n"}, {62, "G01\n"}, {0, "G63\n"}};
  for (const auto& [position, wire] : cases) {
    Scenario s;
    s.p.main.vscRFG.value = position;
    vscRFG_Change(s.p);
    EXPECT_TRUE(s.p.main.requests.rfGain);
    SendRfGain(s.p);
    EXPECT_FALSE(s.p.main.requests.rfGain);
    EXPECT_EQ(s.radio.Sent(), wire) << position;
  }
}

TEST(Bfo, OffsetGoesOutOnlyWhileOnAndSwitchingOffCentresIt) {
  Scenario s;
  frmQD6250& f = s.p.main;
  f.vscBFO.value = 95;
  SendBfoOffset(s.p);  // BFO off: nothing
  EXPECT_EQ(s.radio.Sent(), "");
  EXPECT_EQ(f.lblPorM.caption, "-");
  EXPECT_EQ(s.p.op.BfoOffsetSetting, "095");

  ToggleBfo(s.p);  // on
  EXPECT_TRUE(f.BfoReady);
  EXPECT_EQ(f.cmdBFO.caption, "OFF");
  EXPECT_EQ(f.lblBFOOn.caption, "BFO");
  EXPECT_TRUE(f.vscBFO.enabled);
  EXPECT_EQ(f.txtBFO.text, "-050");
  EXPECT_TRUE(f.requests.bfoOffset);
  SendBfoOffset(s.p);
  EXPECT_EQ(s.radio.Sent(), "B095\n");

  ToggleBfo(s.p);  // off
  EXPECT_FALSE(f.BfoReady);
  EXPECT_EQ(f.cmdBFO.caption, "ON");
  EXPECT_FALSE(f.vscBFO.enabled);
  EXPECT_EQ(s.p.op.BfoOffsetSetting, "100");
  EXPECT_EQ(s.radio.Sent(), "B095\nB100\n");
}

}  // namespace
}  // namespace qd::test
