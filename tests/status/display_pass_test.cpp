#include "status/display_pass.h"

#include "status_fixture.h"

namespace qd::test {
namespace {

using vocab::Item;

class DisplayPass : public StatusTest {
 protected:
  DisplayPass() {
    radio.Answer("'1\n", "'1\n");
    radio.Answer("'0\n", "'0\n");
  }
  std::string Digits(const std::array<Button, 7>& row) const {
    std::string d;
    for (const Button& b : row) d += b.caption;
    return d;
  }
  bool TransmitBlocked() const {
    return !p.main.cmdXmit.enabled && !p.main.cmdTune.enabled && !p.main.cmdPTTEn.enabled;
  }
  bool TransmitAllowed() const {
    return p.main.cmdXmit.enabled && p.main.cmdTune.enabled && p.main.cmdPTTEn.enabled;
  }
  void SetVfoB(const char* digits) {
    for (std::size_t i = 0; i < 7; ++i) p.main.cmdVFOB[i].caption = std::string(1, digits[i]);
  }
};

TEST_F(DisplayPass, ShowsEveryFlaggedItemOnceAndClearsItsFlag) {
  Report({"R1", "A3", "M2", "F1425000", "C07", "\"1", "H2", "I1", "D4", "'1", "(1", "S1", "V1",
          "E0", "G10", "B100", ",1", "*1"});
  gUpdateDisplay(p);

  const frmQD6250& f = p.main;
  EXPECT_EQ(f.lblREMOTE.caption, "REMOTE");
  EXPECT_EQ(f.cmbAGC.text, "MED");
  EXPECT_EQ(f.cmbMode.text, "LSB");
  EXPECT_EQ(Digits(f.cmdF), "1425000");
  EXPECT_EQ(p.status.ShownFreq, "F1425000");
  EXPECT_EQ(f.cmdM[0].caption + f.cmdM[1].caption, "07");
  EXPECT_EQ(f.cmbSource.text, "AUDIO2");
  EXPECT_EQ(f.lblClipping.caption, "ON");
  EXPECT_TRUE(f.optMeter[3].value);
  EXPECT_EQ(f.lblPTTEn.caption, "ON");
  EXPECT_EQ(f.lblMute.caption, "ON");
  EXPECT_EQ(f.lblSideTone.caption, "ON");
  EXPECT_EQ(f.lblVox.caption, "VOICE");
  EXPECT_EQ(f.shaFault.fillColour, colour::kLightGrey);

  for (Item shown : {Item::ControlState, Item::Agc, Item::Mode, Item::Freq, Item::Channel,
                     Item::AudioSource, Item::AudioRoute, Item::Clipping, Item::MeterSelect,
                     Item::PttEnable, Item::Speaker, Item::SideTone, Item::Vox, Item::Fault})
    EXPECT_FALSE(p.status[shown].changed) << vocab::Info(shown).code;
  // Stored for their readers; no display consumes them.
  for (Item kept : {Item::RfGain, Item::Bfo, Item::CommaItem, Item::StarItem})
    EXPECT_TRUE(p.status[kept].changed) << vocab::Info(kept).code;
}

TEST_F(DisplayPass, LaterStepsSeeWhatEarlierStepsShowed) {
  // The test state (step 18) comes before its result (step 20); channel data
  // (the last step) overwrites the frequency digits and mode of steps 3 and 4.
  p.main.lblTest.caption = "";
  Report({"M1", "F1425000", "Z1", "E1", "X123", "P0721000002"});
  gUpdateDisplay(p);
  EXPECT_EQ(p.main.lblTest.caption, "A1A12-3");
  EXPECT_EQ(p.main.lblFault.caption, "FAULT");
  EXPECT_EQ(Digits(p.main.cmdF), "2100000");
  EXPECT_EQ(p.main.cmbMode.text, "LSB");
  EXPECT_EQ(p.status.ShownFreq, "F1425000");
}

TEST_F(DisplayPass, VfoBStringIsRebuiltOnEveryPass) {
  SetVfoB("0712345");
  Report({"F1425000"});
  gUpdateDisplay(p);
  EXPECT_EQ(p.status.VfoBFreq, "F0712345");
  p.main.cmdVFOB[6].caption = "9";
  gUpdateDisplay(p);
  EXPECT_EQ(p.status.VfoBFreq, "F0712349");
}

TEST_F(DisplayPass, OutOfBandSwitchesPttEnableOffAndBackInBandRestoresIt) {
  p.module.PttEnableWanted = true;
  Report({"F1425000", "'1"});
  gUpdateDisplay(p);
  EXPECT_TRUE(TransmitAllowed());
  EXPECT_EQ(Sent(), "");

  Report({"F1435001"});
  gUpdateDisplay(p);
  EXPECT_TRUE(TransmitBlocked());
  EXPECT_EQ(p.main.lblInBand.caption, "Out Of Band");
  EXPECT_EQ(Sent(), "'0<LF>");
  gUpdateDisplay(p);  // the radio confirmed: nothing more to send
  EXPECT_EQ(Sent(), "'0<LF>");
  EXPECT_EQ(p.main.lblPTTEn.caption, "OFF");

  Report({"F1435000"});
  gUpdateDisplay(p);
  EXPECT_TRUE(TransmitAllowed());
  EXPECT_EQ(p.main.lblInBand.caption, "");
  EXPECT_EQ(Sent(), "'0<LF>'1<LF>");
  EXPECT_EQ(p.status.Text(Item::PttEnable), "'1");
}

TEST_F(DisplayPass, BackInBandKeepsPttEnableOffWhenTheOperatorWantsItOff) {
  p.module.PttEnableWanted = false;
  Report({"F0600000", "'0"});
  gUpdateDisplay(p);
  Report({"F0700000"});
  const double before = s.Elapsed();
  gUpdateDisplay(p);
  gUpdateDisplay(p);
  EXPECT_TRUE(TransmitAllowed());
  EXPECT_EQ(Sent(), "");
  EXPECT_EQ(s.Elapsed(), before);  // no reply awaited for a command never sent
}

TEST_F(DisplayPass, AnUnconfirmedDisableIsSentAgainNextPass) {
  Scenario silent;  // no peer: the radio never answers
  silent.p.main.ModeText = "REMOTE";
  FileMessage(silent.p, "F0600000");
  FileMessage(silent.p, "'1");
  gUpdateDisplay(silent.p);
  gUpdateDisplay(silent.p);
  EXPECT_EQ(Visible(silent.radio.Sent()), "'0<LF>'0<LF>");
}

TEST_F(DisplayPass, TransmitVfoDecides) {
  struct Case {
    int txVfo;
    const char* vfoA;
    const char* vfoB;
    bool allowed;
  } cases[] = {
      {0, "F1425000", "0600000", true},
      {0, "F0600000", "1425000", false},
      {1, "F0600000", "1425000", true},  // split: only VFO B transmits
      {1, "F1425000", "0600000", false},
  };
  for (const Case& c : cases) {
    Scenario fresh;
    fresh.p.main.ModeText = "REMOTE";
    SelectOption(fresh.p.main.optTXVFO, c.txVfo);
    for (std::size_t i = 0; i < 7; ++i) fresh.p.main.cmdVFOB[i].caption = std::string(1, c.vfoB[i]);
    FileMessage(fresh.p, c.vfoA);
    gUpdateDisplay(fresh.p);
    EXPECT_EQ(fresh.p.main.cmdXmit.enabled, c.allowed) << c.txVfo << " " << c.vfoA << " " << c.vfoB;
    EXPECT_EQ(fresh.p.main.cmdPTTEn.enabled, c.allowed)
        << c.txVfo << " " << c.vfoA << " " << c.vfoB;
  }
}

TEST_F(DisplayPass, ScanningBlocksTransmitInBand) {
  Report({"F1425000", "'1"});
  p.link.ScanActive = true;
  gUpdateDisplay(p);
  EXPECT_EQ(p.main.lblInBand.caption, "Scanning");
  EXPECT_TRUE(TransmitBlocked());
  EXPECT_EQ(Sent(), "'0<LF>");
}

TEST_F(DisplayPass, PermissionsAllowAnyFrequency) {
  p.module.BandGuardOff = true;
  Report({"F0600000"});
  gUpdateDisplay(p);
  EXPECT_TRUE(TransmitAllowed());
  EXPECT_EQ(p.main.lblInBand.caption, "");
}

TEST_F(DisplayPass, AnUnreadableFrequencyStopsThePassWithTransmitBlocked) {
  p.module.PttEnableWanted = true;
  Report({"F1425000", "'1"});
  gUpdateDisplay(p);
  ASSERT_TRUE(TransmitAllowed());

  Report({"A2", "F14a5000", "C07", "V2"});
  for (int pass = 0; pass < 2; ++pass) {
    gUpdateDisplay(p);
    EXPECT_EQ(p.main.txtInfo.text, "gUpdateDisplay: Err 13. Type mismatch");
    EXPECT_TRUE(p.main.txtInfo.visible);
    EXPECT_TRUE(TransmitBlocked());
    EXPECT_EQ(p.main.lblInBand.caption, "Out Of Band");
    // Steps before the guard ran; the ones after it wait for the next pass.
    EXPECT_EQ(p.main.cmbAGC.text, "SLOW");
    EXPECT_FALSE(p.status[Item::Agc].changed);
    EXPECT_TRUE(p.status[Item::Channel].changed);
    EXPECT_TRUE(p.status[Item::Vox].changed);
  }
  EXPECT_EQ(Sent(), "'0<LF>");  // the radio's enable went off once and stays off
  EXPECT_EQ(Digits(p.main.cmdF), "1425000");

  Report({"F1425000"});
  gUpdateDisplay(p);
  EXPECT_TRUE(TransmitAllowed());
  EXPECT_EQ(p.main.lblVox.caption, "DATA");
  EXPECT_FALSE(p.status[Item::Vox].changed);
  EXPECT_EQ(Sent(), "'0<LF>'1<LF>");
}

TEST_F(DisplayPass, AFrequencyReportThatIsNotWellFormedIsNeitherShownNorTransmittedOn) {
  // Eight digits are kept cut to "F1425000", an in-band frequency the radio is not on.
  p.module.PttEnableWanted = true;
  Report({"F0700000", "'1"});
  gUpdateDisplay(p);
  ASSERT_TRUE(TransmitAllowed());

  for (const char* bad : {"F14250001", "F142500"}) {
    Report({bad});
    gUpdateDisplay(p);
    EXPECT_EQ(Digits(p.main.cmdF), "0700000") << bad;
    EXPECT_TRUE(TransmitBlocked()) << bad;
    EXPECT_EQ(p.status.Text(Item::PttEnable), "'0") << bad;
    EXPECT_EQ(p.main.txtInfo.text, "") << bad;
  }
  EXPECT_EQ(Sent(), "'0<LF>");

  // Not even with the guard switched off: a cut report is no frequency.
  p.module.BandGuardOff = true;
  gUpdateDisplay(p);
  EXPECT_TRUE(TransmitBlocked());
}

}  // namespace
}  // namespace qd::test
