#include "status/setting_commands.h"

#include "status_fixture.h"

namespace qd::test {
namespace {

using vocab::Item;

class SettingCommands : public StatusTest {};

// A setting reported by a radio of one firmware type, the value asked for,
// and the bytes that must reach the radio.
struct StepCase {
  int type;
  const char* reported;
  const char* wanted;
  const char* sent;
};

TEST_F(SettingCommands, ModeChangeBytesPerFirmwareType) {
  const StepCase cases[] = {
      {1, "M4", "M1", "M<LF>"},
      {1, "M1", "M4", "MMM<LF>"},
      {1, "M2", "M2", ""},
      {3, "M1", "M3", "mm<LF>"},
      {3, "M3", "M2", "mmm<LF>"},
      {3, "M4", "M4", ""},
      {2, "M1", "M2", "M2<LF>F1425000<LF>"},
      {2, "M2", "M2", ""},
      {1, "M2", "", ""},
      {2, "M1", "M9", ""},
      {3, "M1", "USB", ""},
  };
  for (const StepCase& c : cases) {
    Scenario fresh({.firmwareType = c.type});
    for (const char* m : {"F1425000", c.reported, "S1", "'1"}) FileMessage(fresh.p, m);
    SetMode(fresh.p, c.wanted);
    EXPECT_EQ(Visible(fresh.radio.Sent()), c.sent)
        << "type " << c.type << " " << c.reported << " -> " << c.wanted;
  }
}

TEST_F(SettingCommands, DirectModeChangeIsOneWriteAfterTakingWhatIsPending) {
  Scenario direct({.firmwareType = 2});
  ScriptedPeer peer;
  peer.Answer("M2\nF1425000\n", "M2\nF1425000\n");
  direct.AttachRadioPeer(peer);
  for (const char* m : {"F1425000", "M1"}) FileMessage(direct.p, m);
  direct.RadioSaysIn(0, "V1\n");

  SetMode(direct.p, "M2");

  ASSERT_EQ(direct.radio.Writes().size(), 1u);
  EXPECT_EQ(direct.radio.Writes()[0], "M2\nF1425000\n");
  EXPECT_EQ(direct.p.status.Text(Item::Vox), "V1");  // taken before the write
  EXPECT_EQ(direct.p.main.cmbMode.text, "LSB");      // shown at once
  EXPECT_FALSE(direct.p.status[Item::Mode].changed);
}

TEST_F(SettingCommands, DirectModeChangeLeavesOutAFrequencyThatWasNotWellFormed) {
  Scenario direct({.firmwareType = 2});
  for (const char* m : {"F14250001", "M1"}) FileMessage(direct.p, m);
  SetMode(direct.p, "M3");
  EXPECT_EQ(Visible(direct.radio.Sent()), "M3<LF>");
}

TEST_F(SettingCommands, SteppedModeChangeRestoresSideToneAndPttEnable) {
  struct Case {
    int type;
    const char* wanted;
    const char* steps;
    const char* sent;  // after the mode steps
  } cases[] = {
      {3, "M3", "mm\n", "S<LF>'1<LF>"},
      {1, "M3", "MM\n", "S<LF>'<LF>"},
      {3, "M4", "mmm\n", "'1<LF>"},  // into CW the side tone stays as the radio set it
  };
  for (const Case& c : cases) {
    Scenario fresh({.firmwareType = c.type});
    ScriptedPeer peer;
    // The radio's mode change turns side tone and push-to-talk enable off.
    const std::string mode = c.wanted;
    peer.Answer(c.steps, mode + "\nS0\n'0\n");
    peer.Answer(c.type == 1 ? "'\n" : "'1\n", "'1\n");
    fresh.AttachRadioPeer(peer);
    for (const char* m : {"F1425000", "M1", "S1", "'1", "\"1", "H1"}) FileMessage(fresh.p, m);
    for (auto& item : fresh.p.status.items) item.changed = false;

    SetMode(fresh.p, c.wanted);

    const std::string sent = Visible(fresh.radio.Sent());
    const std::string steps = Visible(c.steps);
    ASSERT_EQ(sent.substr(0, steps.size()), steps) << "type " << c.type << " " << c.wanted;
    EXPECT_EQ(sent.substr(steps.size()), c.sent) << "type " << c.type << " " << c.wanted;
    EXPECT_EQ(fresh.p.module.SavedSideTone, "S1");
    EXPECT_EQ(fresh.p.module.SavedPttEnable, "'1");
    EXPECT_EQ(fresh.p.status.Text(Item::PttEnable), "'1");
    // Shown at once and consumed, without waiting for the display pass.
    EXPECT_EQ(fresh.p.main.cmbMode.text, c.wanted == std::string("M4") ? "CW" : "AME");
    EXPECT_EQ(fresh.p.main.lblPTTEn.caption, "ON");
    EXPECT_EQ(fresh.p.main.lblSideTone.caption, "OFF");  // the toggle's answer comes later
    for (Item i : {Item::Mode, Item::SideTone, Item::PttEnable})
      EXPECT_FALSE(fresh.p.status[i].changed) << vocab::Info(i).code;
  }
}

TEST_F(SettingCommands, PttEnableComesBackOnlyWhereTheBandGuardAllowsIt) {
  // The frequency left the bands (or its report is unreadable) since the last
  // display pass; the mode change must not switch the radio's enable back on.
  for (const char* freq : {"F0600000", "F14250001", "F14a5000"}) {
    Scenario fresh;
    ScriptedPeer peer;
    peer.Answer("mm\n", "M3\nS1\n'0\n");
    fresh.AttachRadioPeer(peer);
    for (const char* m : {freq, "M1", "S1", "'1"}) FileMessage(fresh.p, m);
    SetMode(fresh.p, "M3");
    EXPECT_EQ(Visible(fresh.radio.Sent()), "mm<LF>") << freq;
    EXPECT_EQ(fresh.p.status.Text(Item::PttEnable), "'0") << freq;
  }
}

TEST_F(SettingCommands, AgcBytesPerFirmwareType) {
  const StepCase cases[] = {
      {3, "A4", "A1", "a<LF>"},
      {3, "A2", "A1", "aaa<LF>"},
      {1, "A1", "A3", "AA<LF>"},
      {1, "A3", "A3", ""},
      {3, "", "A2", ""},
      {1, "A2", "A5", ""},
      {2, "A1", "A3", "A3F1425000"},
      {2, "A3", "A3", "A3F1425000"},
  };
  for (const StepCase& c : cases) {
    Scenario fresh({.firmwareType = c.type});
    FileMessage(fresh.p, "F1425000");
    if (*c.reported) FileMessage(fresh.p, c.reported);
    SetAgc(fresh.p, c.wanted);
    EXPECT_EQ(Visible(fresh.radio.Sent()), c.sent)
        << "type " << c.type << " " << c.reported << " -> " << c.wanted;
  }
}

TEST_F(SettingCommands, DirectAgcPausesBetweenItsTwoWrites) {
  Scenario direct({.firmwareType = 2});
  FileMessage(direct.p, "F1425000");
  SetAgc(direct.p, "A2");
  const std::vector<WireEntry> w = direct.RadioWrites();
  ASSERT_EQ(w.size(), 2u);
  EXPECT_EQ(w[0].bytes, "A2");
  EXPECT_EQ(w[1].bytes, "F1425000");
  EXPECT_NEAR(w[1].time - w[0].time, 0.2, 1e-3);
}

TEST_F(SettingCommands, FrequencyOnlyAsSevenDigits) {
  for (const char* bad : {"142500", "14250000", "14a5000", "", "F142500"}) {
    SetFreq(p, bad);
    EXPECT_EQ(Sent(), "") << bad;
  }
  radio.Answer("F1425000\n", "F1425000\n");
  SetFreq(p, "1425000");
  EXPECT_EQ(Sent(), "F1425000<LF>");
  EXPECT_EQ(p.status.Text(Item::Freq), "F1425000");
}

TEST_F(SettingCommands, ModeStepsFromAnUnreportedModeCountFromUsb) {
  EXPECT_EQ(ModeSteps(p, "M3"), "mm");
  Report({"M3"});
  EXPECT_EQ(ModeSteps(p, "M3"), "");
  EXPECT_EQ(ModeSteps(p, "M1"), "mm");
  p.link.FirmwareType = 2;
  EXPECT_EQ(ModeSteps(p, "M1"), "M1");
}

TEST_F(SettingCommands, SideToneIsToggledBackOnlyWhenItDiffers) {
  Report({"S1"});
  RestoreSideTone(p, "S1");
  EXPECT_EQ(Sent(), "");
  RestoreSideTone(p, "S0");
  EXPECT_EQ(Sent(), "S<LF>");
  EXPECT_NEAR(s.Elapsed(), 0.1, 1e-3);  // the answer is left for the next read
}

}  // namespace
}  // namespace qd::test
