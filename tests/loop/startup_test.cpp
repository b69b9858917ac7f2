// Start-up against the simulated radio: the wire from the first query to the
// main loop for each firmware type, REMOTE and LOCAL, a missing port setup, a
// silent radio and a second instance.
#include <gtest/gtest.h>

#include <algorithm>

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

}  // namespace
}  // namespace qd::test
