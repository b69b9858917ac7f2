#include "status/band_guard.h"

#include "platform/errors.h"
#include "status_fixture.h"

namespace qd::test {
namespace {

class BandGuard : public StatusTest {
 protected:
  // The radio confirms each push-to-talk enable command with the new state.
  void RadioConfirmsPttEnable() {
    radio.Answer("'1\n", "'1\n");
    radio.Answer("'0\n", "'0\n");
  }
};

TEST_F(BandGuard, BandEdgesAndSixtyMetreChannels) {
  struct Case {
    const char* item;
    bool in;
  } cases[] = {
      {"F0180000", true},  {"F0179999", false}, {"F0200000", true},  {"F0200001", false},
      {"F0350000", true},  {"F0400000", true},  {"F0400001", false}, {"F0700000", true},
      {"F0730000", true},  {"F1010000", true},  {"F1015000", true},  {"F1015001", false},
      {"F1400000", true},  {"F1399999", false}, {"F1435000", true},  {"F1435001", false},
      {"F1806800", true},  {"F1816800", true},  {"F2100000", true},  {"F2145000", true},
      {"F2489000", true},  {"F2499000", true},  {"F2800000", true},  {"F2970000", true},
      {"F2970001", false}, {"F0533050", true},  {"F0534650", true},  {"F0535700", true},
      {"F0535701", false}, {"F0535699", false}, {"F0537150", true},  {"F0540350", true},
      {"F0600000", false}, {"F0016000", false}, {"F2999999", false}, {"F14250  ", false},
  };
  for (const Case& c : cases) EXPECT_EQ(InBand(p, c.item), c.in) << c.item;
}

TEST_F(BandGuard, PermissionsPutEveryFrequencyInBand) {
  p.module.BandGuardOff = true;
  for (const char* item : {"F0600000", "F0179999", "F2999999", "F0535701"})
    EXPECT_TRUE(InBand(p, item)) << item;
}

TEST_F(BandGuard, AnItemThatIsNoNumberIsATypeMismatch) {
  for (const char* item : {"F14a5000", "", "F       ", "F-142500"}) {
    try {
      InBand(p, item);
      ADD_FAILURE() << "no error for \"" << item << "\"";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number(), kErrTypeMismatch) << item;
    }
  }
}

TEST_F(BandGuard, PttEnableCommandFollowsFirmwareTypeAndIsSentOnlyOnADifference) {
  struct Case {
    int type;
    const char* reported;
    bool wanted;
    const char* sent;
  } cases[] = {
      {1, "'0", true, "'<LF>"},   {1, "'1", false, "'<LF>"}, {2, "'0", true, "'1<LF>"},
      {2, "'1", false, "'0<LF>"}, {3, "'0", true, "'1<LF>"}, {3, "'1", false, "'0<LF>"},
      {1, "'1", true, ""},        {1, "'0", false, ""},      {3, "'1", true, ""},
      {3, "'0", false, ""},
  };
  for (const Case& c : cases) {
    Scenario fresh({.firmwareType = c.type});
    FileMessage(fresh.p, c.reported);
    SetPttEnable(fresh.p, c.wanted);
    EXPECT_EQ(Visible(fresh.radio.Sent()), c.sent)
        << "type " << c.type << " " << c.reported << " wanted " << c.wanted;
  }
}

TEST_F(BandGuard, NothingToSendMeansNoWaitForAReply) {
  Report({"'0"});
  p.main.lblComStat.caption = "Com OK";
  SetPttEnable(p, false);
  EXPECT_EQ(s.Elapsed(), 0.0);
  EXPECT_EQ(p.main.lblComStat.caption, "Com OK");
}

TEST_F(BandGuard, ASentCommandCollectsTheRadiosAnswer) {
  RadioConfirmsPttEnable();
  Report({"'0"});
  p.status[vocab::Item::PttEnable].changed = false;
  SetPttEnable(p, true);
  EXPECT_EQ(p.status.Text(vocab::Item::PttEnable), "'1");
  EXPECT_TRUE(p.status[vocab::Item::PttEnable].changed);
}

TEST_F(BandGuard, InBandEnablesIdleTransmitControlsAndTheWantedPttEnable) {
  RadioConfirmsPttEnable();
  p.module.PttEnableWanted = true;
  Report({"'0"});
  for (Button* b : {&p.main.cmdXmit, &p.main.cmdTune, &p.main.cmdPTTEn}) b->enabled = false;
  p.main.lblInBand.caption = "Out Of Band";
  p.main.lblInBand.backColour = colour::kRed;

  ApplyBandGuard(p, true);

  EXPECT_TRUE(p.main.cmdXmit.enabled);
  EXPECT_TRUE(p.main.cmdTune.enabled);
  EXPECT_TRUE(p.main.cmdPTTEn.enabled);
  EXPECT_EQ(p.main.lblInBand.caption, "");
  EXPECT_EQ(p.main.lblInBand.backColour, colour::kLightGrey);
  EXPECT_EQ(Sent(), "'1<LF>");
  EXPECT_EQ(p.status.Text(vocab::Item::PttEnable), "'1");
}

TEST_F(BandGuard, ARunningTransmissionOrTuneKeepsItsButtons) {
  struct Case {
    const char* xmit;
    const char* tune;
  } cases[] = {{"&XMT OFF", "T&UNE ON"}, {"&XMT ON", "T&UNE OFF"}};
  for (const Case& c : cases) {
    Scenario fresh;
    frmQD6250& f = fresh.p.main;
    f.ModeText = "REMOTE";
    f.cmdXmit.caption = c.xmit;
    f.cmdTune.caption = c.tune;
    f.cmdXmit.enabled = false;
    f.cmdTune.enabled = false;
    ApplyBandGuard(fresh.p, true);
    EXPECT_FALSE(f.cmdXmit.enabled) << c.xmit << " " << c.tune;
    EXPECT_FALSE(f.cmdTune.enabled) << c.xmit << " " << c.tune;
  }
}

TEST_F(BandGuard, OnlyAPanelSetUpForRemoteMayTransmitOrSwitchThePttEnable) {
  for (const char* mode : {"LOCAL", ""}) {
    for (bool inBand : {true, false}) {
      Scenario fresh;
      frmQD6250& f = fresh.p.main;
      f.ModeText = mode;
      fresh.p.module.PttEnableWanted = true;
      FileMessage(fresh.p, inBand ? "'0" : "'1");
      for (Button* b : {&f.cmdXmit, &f.cmdTune, &f.cmdPTTEn}) b->enabled = false;

      ApplyBandGuard(fresh.p, inBand);

      const std::string where = '"' + std::string(mode) + (inBand ? "\" in band" : "\" out");
      EXPECT_FALSE(f.cmdXmit.enabled) << where;
      EXPECT_FALSE(f.cmdTune.enabled) << where;
      EXPECT_EQ(f.cmdPTTEn.enabled, inBand) << where;
      EXPECT_EQ(f.lblInBand.caption, inBand ? "" : "Out Of Band") << where;
      EXPECT_EQ(fresh.radio.Sent(), "") << where;
    }
  }
}

TEST_F(BandGuard, OutOfBandBlocksTransmitAndSwitchesPttEnableOff) {
  RadioConfirmsPttEnable();
  p.module.PttEnableWanted = true;
  Report({"'1"});

  ApplyBandGuard(p, false);

  EXPECT_FALSE(p.main.cmdXmit.enabled);
  EXPECT_FALSE(p.main.cmdTune.enabled);
  EXPECT_FALSE(p.main.cmdPTTEn.enabled);
  EXPECT_EQ(p.main.lblInBand.caption, "Out Of Band");
  EXPECT_EQ(p.main.lblInBand.backColour, colour::kRed);
  EXPECT_EQ(Sent(), "'0<LF>");
  EXPECT_EQ(p.status.Text(vocab::Item::PttEnable), "'0");
  EXPECT_TRUE(p.module.PttEnableWanted);  // the operator's wish is kept for the way back
}

TEST_F(BandGuard, AScanBlocksTransmitEvenInBand) {
  RadioConfirmsPttEnable();
  p.link.ScanActive = true;
  Report({"'1"});
  p.main.lblInBand.backColour = colour::kLightGrey;

  ApplyBandGuard(p, true);

  EXPECT_EQ(p.main.lblInBand.caption, "Scanning");
  EXPECT_EQ(p.main.lblInBand.backColour, colour::kLightGrey);
  EXPECT_FALSE(p.main.cmdXmit.enabled);
  EXPECT_FALSE(p.main.cmdTune.enabled);
  EXPECT_FALSE(p.main.cmdPTTEn.enabled);
  EXPECT_EQ(Sent(), "'0<LF>");
}

}  // namespace
}  // namespace qd::test
