// The display pass, band guard, amplifier display and setting commands against
// the simulated radio, in virtual time.
#include "link/reply_reader.h"
#include "link/send.h"
#include "status/display_pass.h"
#include "status/setting_commands.h"
#include "support/scenario.h"
#include "support/sim_peer.h"

#include <gtest/gtest.h>

namespace qd::test {
namespace {

using vocab::Item;

struct WithRadio {
  explicit WithRadio(int type) : s({.firmwareType = type}), peer({.firmwareType = type}) {
    s.AttachRadioPeer(peer);
    p.main.ModeText = "REMOTE";  // the panel as start-up leaves it for a REMOTE radio
  }
  // The full status as start-up takes it, then one display pass.
  void QueryAndShow() {
    SendCommand(p, "?", true, 0.6);
    ReadReply(p);
    gUpdateDisplay(p);
  }
  // Whatever the radio reported unasked by now, then one display pass.
  void ReadAndShow(double wait = 0.1) {
    WaitSeconds(p, wait);
    ReadReply(p);
    gUpdateDisplay(p);
  }
  bool TransmitAllowed() const {
    return p.main.cmdXmit.enabled && p.main.cmdTune.enabled && p.main.cmdPTTEn.enabled;
  }
  bool TransmitBlocked() const {
    return !p.main.cmdXmit.enabled && !p.main.cmdTune.enabled && !p.main.cmdPTTEn.enabled;
  }
  const sim::RadioState& Radio() { return peer.Radio().State(); }
  std::string SentSince(double elapsed) const { return Visible(s.SentSince(elapsed)); }

  Scenario s;
  SimPeer peer;
  Program& p = s.p;
};

TEST(WithRadio, LeavingTheBandsSwitchesTheRadiosPttEnableOffAndComingBackRestoresIt) {
  struct Case {
    int type;
    const char* off;
    const char* on;
  } cases[] = {{1, "'<LF>", "'<LF>"}, {2, "'0<LF>", "'1<LF>"}, {3, "'0<LF>", "'1<LF>"}};
  for (const Case& c : cases) {
    WithRadio w(c.type);
    w.p.module.PttEnableWanted = true;
    w.QueryAndShow();
    ASSERT_TRUE(w.TransmitAllowed()) << c.type;
    ASSERT_EQ(w.Radio().pttEnable, 1);

    w.peer.Radio().TurnFrequency("0600000", w.s.clock.Now());
    double mark = w.s.Elapsed();
    w.ReadAndShow();
    EXPECT_TRUE(w.TransmitBlocked()) << c.type;
    EXPECT_EQ(w.p.main.lblInBand.caption, "Out Of Band");
    EXPECT_EQ(w.SentSince(mark), c.off) << c.type;
    EXPECT_EQ(w.Radio().pttEnable, 0) << c.type;
    EXPECT_EQ(w.p.main.lblPTTEn.caption, "OFF");

    mark = w.s.Elapsed();
    w.ReadAndShow();  // out of band and off: nothing more to say
    EXPECT_EQ(w.SentSince(mark), "") << c.type;

    w.peer.Radio().TurnFrequency("1435000", w.s.clock.Now());
    mark = w.s.Elapsed();
    w.ReadAndShow();
    EXPECT_TRUE(w.TransmitAllowed()) << c.type;
    EXPECT_EQ(w.SentSince(mark), c.on) << c.type;
    EXPECT_EQ(w.Radio().pttEnable, 1) << c.type;
    EXPECT_EQ(w.p.main.lblPTTEn.caption, "ON");
  }
}

TEST(WithRadio, AFrequencyReportThatIsNotWellFormedLeavesTransmitBlocked) {
  for (bool eightDigits : {true, false}) {
    WithRadio w(3);
    w.p.module.PttEnableWanted = true;
    w.QueryAndShow();
    ASSERT_TRUE(w.TransmitAllowed());
    std::string before;
    for (const Button& b : w.p.main.cmdF) before += b.caption;

    sim::Faults f;
    f.longFreq = eightDigits;
    f.malformedFreq = !eightDigits;
    w.peer.Radio().SetFaults(f);
    w.peer.Radio().TurnFrequency("1425000", w.s.clock.Now());
    for (int pass = 0; pass < 3; ++pass) {
      w.ReadAndShow();
      EXPECT_FALSE(w.p.status.FreqWellFormed);
      EXPECT_TRUE(w.TransmitBlocked()) << eightDigits << " pass " << pass;
      EXPECT_EQ(w.Radio().pttEnable, 0) << eightDigits;
    }
    std::string after;
    for (const Button& b : w.p.main.cmdF) after += b.caption;
    EXPECT_EQ(after, before) << eightDigits;
  }
}

TEST(WithRadio, ModeChangeBytesPerFirmwareType) {
  // The radio starts in LSB; AME is one step on.
  struct Case {
    int type;
    const char* sent;
  } cases[] = {
      {1, "M<LF>"},  // then side tone and push-to-talk enable back
      {2, "M3<LF>F0712500<LF>"},
      {3, "m<LF>"},
  };
  for (const Case& c : cases) {
    WithRadio w(c.type);
    w.p.module.PttEnableWanted = true;
    w.QueryAndShow();
    const double mark = w.s.Elapsed();
    SetMode(w.p, "M3");
    const std::string sent = w.SentSince(mark);
    EXPECT_EQ(sent.substr(0, std::string(c.sent).size()), c.sent) << c.type;
    EXPECT_EQ(w.Radio().mode, 3) << c.type;
    EXPECT_EQ(w.p.main.cmbMode.text, "AME") << c.type;
    // What the mode change disturbed is back as it was.
    EXPECT_EQ(w.Radio().sideTone, 0) << c.type;
    EXPECT_EQ(w.Radio().pttEnable, 1) << c.type;
  }
}

TEST(WithRadio, AgcBytesPerFirmwareType) {
  // The radio starts at MED; FAST is one step on, SLOW three.
  struct Case {
    int type;
    const char* wanted;
    const char* sent;
    int agc;
  } cases[] = {
      {1, "A4", "A<LF>", 4},      {1, "A2", "AAA<LF>", 2}, {3, "A2", "aaa<LF>", 2},
      {2, "A2", "A2F0712500", 2}, {3, "A3", "", 3},
  };
  for (const Case& c : cases) {
    WithRadio w(c.type);
    w.QueryAndShow();
    const double mark = w.s.Elapsed();
    SetAgc(w.p, c.wanted);
    EXPECT_EQ(w.SentSince(mark), c.sent) << c.type << " " << c.wanted;
    EXPECT_EQ(w.Radio().agc, c.agc) << c.type << " " << c.wanted;
    EXPECT_EQ(w.p.status.Text(Item::Agc), std::string("A") + char('0' + c.agc));
  }
}

TEST(WithRadio, TunedAmplifierUnkeysTheTuneCarrierAtOnce) {
  WithRadio w(3);
  w.QueryAndShow();
  SendCommand(w.p, "O2", true, 0.2);
  w.ReadAndShow(sim::kDefaultWarmUpTime + 0.5);
  ASSERT_EQ(w.p.main.lblAmpOpStby.caption, "Standby");
  SendCommand(w.p, "O4", true, 0.2);
  w.ReadAndShow();
  ASSERT_EQ(w.p.main.lblAmpOpStby.caption, "Operate");
  SetFreq(w.p, "0713000");  // a new frequency makes the amplifier ready to tune
  gUpdateDisplay(w.p);
  ASSERT_EQ(w.p.main.lblAmpTuned.caption, "Start Tune");

  // The panel's tune: a direct "K", kept keyed by the sync character.
  w.p.main.lblAmpTuned.caption = " >> ";
  w.p.link.TuneTimerOn = true;
  SendCommand(w.p, "K", false, 0.2);
  w.p.link.SyncChar = "K";
  w.ReadAndShow();
  EXPECT_EQ(w.p.main.lblAmpTuned.caption, "Tuning");
  ASSERT_TRUE(w.Radio().keyed);

  WaitSeconds(w.p, sim::kDefaultTuneTime);
  ReadReply(w.p);
  const double reported = w.s.Elapsed();
  gUpdateDisplay(w.p);
  EXPECT_EQ(w.p.main.lblAmpTuned.caption, "Tuned");
  EXPECT_EQ(w.s.WhenSent("U"), reported);
  EXPECT_FALSE(w.p.link.TuneTimerOn);
  EXPECT_EQ(w.p.link.SyncChar, "U");
  ReadReply(w.p);  // the radio's answer to the sync
  EXPECT_FALSE(w.Radio().keyed);
  EXPECT_FALSE(w.p.status.TransmitterKeyed);
}

}  // namespace
}  // namespace qd::test
