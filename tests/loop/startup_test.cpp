// Start-up against the simulated radio: the wire from the first query to the
// main loop for each firmware type, REMOTE and LOCAL, a missing port setup, a
// silent radio and a second instance.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>

#include "link/startup.h"
#include "loop_rig.h"
#include "platform/instance_lock.h"

namespace qd::test {
namespace {

using sim::SimOptions;

std::vector<std::string> WithoutSyncs(std::vector<std::string> commands) {
  std::erase_if(commands, [](const std::string& c) { return c == "U" || c == "K" || c == " "; });
  return commands;
}

struct FirmwareCase {
  int type;
  const char* remoteCaption;
  const char* localCaption;
};

class StartUpByFirmware : public ::testing::TestWithParam<FirmwareCase> {};

TEST_P(StartUpByFirmware, RemoteSetsUpThePanelAndStartsSyncing) {
  LoopRig rig({.firmwareType = GetParam().type});
  WritePortSetup();
  rig.Run(12);
  const frmQD6250& f = rig.s.p.main;

  EXPECT_EQ(f.lblFWType.caption, GetParam().remoteCaption);
  EXPECT_EQ(rig.s.p.link.FirmwareType, GetParam().type);
  EXPECT_EQ(f.ModeText, "REMOTE");
  EXPECT_EQ(f.lblREMOTE.caption, "REMOTE");
  EXPECT_EQ(f.caption, "QD-6250 0.971 : 8-20-26 : 1626");
  EXPECT_EQ(f.lblComStat.caption, "Com OK");

  // The radio already holds the default audio settings: the set-up sends only
  // the BFO switched through to off and the closing query; then the loop's
  // first pass sends the full RF gain and syncs.
  const std::vector<std::string> commands = WithoutSyncs(rig.CommandsSince(0));
  ASSERT_GE(commands.size(), 5u) << ::testing::PrintToString(commands);
  EXPECT_EQ(commands.front(), "?");
  const auto firstB = std::find(commands.begin(), commands.end(), "B100");
  ASSERT_NE(firstB, commands.end());
  EXPECT_EQ(std::vector<std::string>(firstB, firstB + 4),
            (std::vector<std::string>{"B100", "B100", "?", "G00"}));
  EXPECT_TRUE(std::all_of(commands.begin(), firstB, [](const std::string& c) { return c == "?"; }))
      << ::testing::PrintToString(commands);
  EXPECT_NE(std::find(rig.CommandsSince(0).begin(), rig.CommandsSince(0).end(), "U"),
            rig.CommandsSince(0).end());
  EXPECT_EQ(rig.s.radio.Sent().find('K'), std::string::npos);

  EXPECT_TRUE(rig.s.radio.Dtr());
  EXPECT_TRUE(f.cmdXmit.enabled);
  EXPECT_TRUE(f.cmdTune.enabled);
  EXPECT_TRUE(f.vscRFG.enabled);
  EXPECT_EQ(f.vscRFG.value, 63);
  EXPECT_EQ(f.txtRFG.text, "100");
  EXPECT_FALSE(f.txtInfo.visible);
  EXPECT_EQ(f.cmdBFO.caption, "ON");
  EXPECT_FALSE(f.BfoReady);
  EXPECT_FALSE(f.FreqEntryLocked);
  EXPECT_EQ(f.pbMeter.enabled, true);
  EXPECT_GT(rig.s.windowing.repaints, 0);
}

TEST_P(StartUpByFirmware, LocalLeavesTransmitOffAndNeverSyncs) {
  LoopRig rig({.firmwareType = GetParam().type, .remote = false});
  WritePortSetup();
  rig.Run(12);
  const frmQD6250& f = rig.s.p.main;

  EXPECT_EQ(f.lblFWType.caption, GetParam().localCaption);
  EXPECT_EQ(f.ModeText, "LOCAL");
  EXPECT_EQ(f.lblREMOTE.caption, "LOCAL");
  for (const Frame* fr : {&f.fraLeftButtons, &f.fraRightButtons, &f.fraRF, &f.fraBand})
    EXPECT_TRUE(fr->visible) << fr->name;
  for (const Button* b : {&f.cmdXmit, &f.cmdTune, &f.cmdMute, &f.cmdBFO, &f.cmdVOX})
    EXPECT_FALSE(b->enabled) << b->name;
  EXPECT_FALSE(f.vscRFG.enabled);
  EXPECT_TRUE(f.cmdViewInData.enabled);
  EXPECT_EQ(f.mnuScanBands.enabled, GetParam().type == 2);
  EXPECT_EQ(f.pbMeter.enabled, GetParam().type != 2);
  EXPECT_FALSE(f.txtInData.visible);

  // Only status queries go out: no sync, no key, no setting.
  const std::string sent = rig.s.radio.Sent();
  EXPECT_EQ(sent.find_first_not_of("?\n"), std::string::npos) << Visible(sent);
  EXPECT_FALSE(rig.s.radio.Dtr());
}

INSTANTIATE_TEST_SUITE_P(Types, StartUpByFirmware,
                         ::testing::Values(FirmwareCase{1, "F/W: v601", "F/W: v601C"},
                                           FirmwareCase{2, "F/W: v604 Adapt", "F/W: v604M Adapt"},
                                           FirmwareCase{3, "F/W: v604 NonAdapt",
                                                        "F/W: v604M NonAdapt"}),
                         [](const auto& info) { return "Type" + std::to_string(info.param.type); });

TEST(StartUp, TransmitStaysOffWhenTheFirstFrequencyIsOutOfBandOrUnreadable) {
  for (bool unreadable : {false, true}) {
    LoopRig rig({.firmwareType = 3});
    WritePortSetup();
    if (unreadable)
      rig.sim.Radio().MutableFaults().malformedFreq = true;
    else
      rig.sim.Radio().TurnFrequency("0600000", rig.s.clock.Now());
    const frmQD6250& f = rig.s.p.main;
    bool keyable = false;
    rig.OnYield([&] { keyable = keyable || f.cmdXmit.enabled || f.cmdTune.enabled; });
    rig.Run(12);

    EXPECT_EQ(f.ModeText, "REMOTE") << unreadable;
    EXPECT_FALSE(keyable) << unreadable;
    EXPECT_EQ(rig.s.radio.Sent().find('K'), std::string::npos) << unreadable;
  }
}

TEST(StartUp, ALocalRadioOutOfBandIsOnlyQueried) {
  LoopRig rig({.firmwareType = 3, .remote = false});
  WritePortSetup();
  rig.sim.Radio().TurnFrequency("0600000", rig.s.clock.Now());
  rig.Run(20);
  const std::string sent = rig.s.radio.Sent();
  EXPECT_EQ(sent.find_first_not_of("?\n"), std::string::npos) << Visible(sent);
  EXPECT_EQ(rig.s.p.main.lblInBand.caption, "Out Of Band");
  EXPECT_FALSE(rig.s.p.main.cmdXmit.enabled);
}

TEST(StartUp, TheRadioEndsAtTheSavedSourceAndRemoteRouting) {
  LoopRig rig({.firmwareType = 3});
  WritePortSetup();
  // Stepping the source needs local audio; the saved remote routing must
  // still be where the radio ends up.
  WriteFile("AudioSetup.txt", {"H3 Phone Audio Source", "'1 PTT Enable", "\"0 LocalRemote Audio",
                               "H2 Digital Audio Source", "V1 Digital VOX: [V1|V2|V3]"});
  rig.Run(15);
  EXPECT_EQ(rig.sim.Radio().State().source, 3);
  EXPECT_EQ(rig.sim.Radio().State().route, 0);
  EXPECT_EQ(rig.s.p.op.AudioSourceCopy, "H3");
  EXPECT_EQ(rig.s.p.op.DigitalAudioSource, "H2");
  EXPECT_EQ(rig.s.p.op.DigitalVox, "V1");
  EXPECT_TRUE(rig.s.p.module.PttEnableWanted);
}

TEST(StartUp, ACatPortThatIsNotPresentIsSaidSoAndStaysClosed) {
  LoopRig rig;
  WritePortSetup();
  WriteFile("CATSetup.txt", {"5", "4800,N,8,1", "comNone", "Kenwood"});
  rig.Run(3);
  EXPECT_FALSE(rig.s.cat.IsOpen());
  EXPECT_EQ(rig.s.p.cat.CatPortNumber, "5");
  EXPECT_EQ(rig.s.p.cat.CatRigType, "Kenwood");
  EXPECT_EQ(rig.s.p.main.txtInCat.text, "No CAT Port");
  EXPECT_EQ(rig.s.p.main.txtOutCAT.text, "No CAT Port");
}

TEST(StartUp, WithoutAPortSetupNothingIsSentUntilOneIsApplied) {
  LoopRig rig({.firmwareType = 1});
  int shown = 0;
  // The operator cancels the dialog start-up opens, then applies port 1 from
  // the Setup menu ten seconds later.
  rig.s.windowing.onShowForm = [&](Form& form) {
    if (form.name != "frmPortSetup") return;
    if (++shown == 1) {
      rig.s.p.actions.Post(PortSetupAction("cmdCancel", "Click"));
      return;
    }
    rig.s.p.actions.Post(PortSetupAction("cmbSelectPort", "Click", "1"));
    rig.s.p.actions.Post(PortSetupAction("cmbSelectBaudRate", "Click", "9600 "));
    rig.s.p.actions.Post(PortSetupAction("cmdApply", "Click"));
  };
  std::string waitingText;
  rig.At(9, [&] { waitingText = rig.s.p.main.txtInfo.text; });
  rig.s.windowing.AtTime(rig.s.start + 10, Click("mnuPortSetup"));
  rig.Run(25);

  EXPECT_EQ(shown, 2);
  EXPECT_EQ(waitingText, "Port is not available. Use Setup menu or Exit.");
  const std::vector<WireEntry> writes = rig.s.RadioWrites();
  ASSERT_FALSE(writes.empty());
  EXPECT_GE(writes.front().time, 10);
  EXPECT_EQ(writes.front().bytes, "?\n");
  EXPECT_EQ(rig.s.radio.Settings(), "9600 ,O,7,1");
  EXPECT_EQ(rig.s.p.main.lblComStat.caption, "Com OK");
  EXPECT_EQ(rig.s.p.main.ModeText, "REMOTE");
}

TEST(StartUp, ASilentRadioIsQueriedAgainUntilItAnswers) {
  LoopRig rig({.firmwareType = 2});
  WritePortSetup();
  rig.sim.Radio().MutableFaults().silent = true;
  rig.At(10, [&] { rig.sim.Radio().MutableFaults().silent = false; });
  rig.Run(25);

  std::string whileSilent;
  for (const WireEntry& w : rig.s.RadioWrites())
    if (w.time < 10) whileSilent += w.bytes;
  EXPECT_EQ(whileSilent.find_first_not_of("?\n"), std::string::npos) << Visible(whileSilent);
  // Roughly one query per 0.6 s pause; the radio is never left alone for long.
  EXPECT_GE(std::count(whileSilent.begin(), whileSilent.end(), '?'), 10);
  EXPECT_EQ(rig.s.p.main.ModeText, "REMOTE");
  EXPECT_EQ(rig.s.p.main.lblFWType.caption, "F/W: v604 Adapt");
}

TEST(StartUp, ASecondInstanceSaysSoAndEnds) {
  LoopRig rig;
  WritePortSetup();
  InstanceLock first;
  ASSERT_TRUE(first.Acquired());
  EXPECT_TRUE(rig.Run(5));
  EXPECT_EQ(rig.s.windowing.messageBoxes,
            std::vector<std::string>{
                "QD-6250 0.971 : 8-20-26 : 1626 is already running. OK to Close this program."});
  EXPECT_TRUE(rig.s.radio.Wire().empty());
  EXPECT_FALSE(rig.s.p.main.visible);
}

TEST(StartUp, SettingsSavedAtCloseComeBackAtTheNextStart) {
  std::string saved;
  {
    LoopRig rig({.firmwareType = 1});
    WritePortSetup();
    rig.At(10, [&] {
      frmQD6250& f = rig.s.p.main;
      f.left = 3000;  // where the operator moved the window
      f.top = 1500;
      const std::string digits = "1425000";
      for (std::size_t i = 0; i < f.cmdVFOB.size(); ++i) f.cmdVFOB[i].caption = digits.substr(i, 1);
      f.cmbVFOBMode.text = "CW";
      f.lblSplit.caption = "Split On";
      f.cmbStepSize.text = "1KHz";
      rig.s.p.actions.Post(Unload());
    });
    EXPECT_TRUE(rig.Run(20));
    saved = FileBytes("QD6250ini.txt");
    EXPECT_EQ(rig.s.radio.Writes().back(), "G00\n");
    EXPECT_FALSE(rig.s.radio.IsOpen());
  }
  EXPECT_EQ(saved, "3000\r\n1500\r\n1425000\r\nCW\r\nSplit On\r\n1KHz\r\n");

  LoopRig rig({.firmwareType = 1});
  WritePortSetup();
  std::ofstream("QD6250ini.txt", std::ios::binary) << saved;
  rig.Run(12);
  const frmQD6250& f = rig.s.p.main;
  EXPECT_EQ(f.left, 3000);
  EXPECT_EQ(f.top, 1500);
  std::string digits;
  for (const Button& b : f.cmdVFOB) digits += b.caption;
  EXPECT_EQ(digits, "1425000");
  EXPECT_EQ(f.cmbVFOBMode.text, "CW");
  EXPECT_EQ(f.lblSplit.caption, "Split On");
  EXPECT_TRUE(f.optTXVFO[1].value);
  EXPECT_FALSE(f.optTXVFO[0].value);
  EXPECT_EQ(f.cmbStepSize.text, "1KHz");
}

TEST(StartUp, ASavedPositionOutOfReachFallsBackToTheCentredOne) {
  LoopRig rig;
  WritePortSetup();
  WriteFile("QD6250ini.txt", {"-90000", "400000"});
  rig.Run(3);
  const frmQD6250& f = rig.s.p.main;
  const ScreenSize screen = rig.s.windowing.Screen();
  EXPECT_EQ(f.left, (screen.width - f.width) / 2);
  EXPECT_EQ(f.top, (screen.height - f.height) / 3);
  EXPECT_EQ(f.cmbStepSize.text, "OFF");
}

}  // namespace
}  // namespace qd::test
