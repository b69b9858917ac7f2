// Channels, amplifier, self test and control state of the simulated radio.
#include <gtest/gtest.h>

#include "sim_bench.h"

namespace qd::sim {
namespace {

TEST(SimChannels, SelectStoreRecallAndBackToVfo) {
  Bench b;
  EXPECT_EQ(b.Say("C05\n"), "C05\nF1423000\nM1\n");
  EXPECT_EQ(b.Say("F0712500\n"), "F0712500\nC--\n");
  EXPECT_EQ(b.Say("F0712500\n"), "F0712500\n");  // already on the VFO
  EXPECT_EQ(b.Say("P0714250002\n"), "");         // stored silently
  EXPECT_EQ(b.Say("L07\n"), "P0714250002\n");
  EXPECT_EQ(b.Say("L08\n"), "");                            // empty channel
  EXPECT_EQ(b.Say("P0830000001\nP0814250005\nL08\n"), "");  // bad frequency, bad mode
  EXPECT_EQ(b.Say("C08\n"), "C08\nF0712500\nM1\n");  // an empty channel keeps the last values
  b.radio.ClearChannel(5);
  EXPECT_TRUE(b.radio.FillChannel(9, "2999999", 4));
  EXPECT_FALSE(b.radio.FillChannel(10, "3000000", 1));
  EXPECT_EQ(b.Say("L05\nL09\n"), "P0929999994\n");
}

TEST(SimAmplifier, WarmUpOperateAndTuneCycle) {
  Bench b({.firmwareType = 1, .warmUpTime = 3.0, .tuneTime = 2.0});
  EXPECT_EQ(b.Say("O4\n"), "O1\n");  // off: operate is refused
  EXPECT_EQ(b.Say("O2\n", 1.0), "O2\n");
  EXPECT_EQ(b.Say("O4\n", 1.0), "O2\n");  // still warming up
  EXPECT_EQ(b.Wait(1.5), "O3\n");         // by itself
  EXPECT_EQ(b.Say("O4\n"), "O4\nT1\n");
  EXPECT_EQ(NoMeter(b.Say("K")), "K\n");  // no tune without a new frequency
  EXPECT_EQ(NoMeter(b.Say("U")), "U\n");
  EXPECT_EQ(b.Say("F1425000\n"), "F1425000\nT2\n");
  EXPECT_EQ(NoMeter(b.Say("K", 1.0)), "K\nT3\n");
  EXPECT_EQ(NoMeter(b.Say("K", 0.5)), "K\n");  // the keep-alive does not restart it
  EXPECT_EQ(b.Wait(1.0), "T4\n");
  EXPECT_EQ(NoMeter(b.Say("U")), "U\n");
  EXPECT_EQ(b.Say("O3\n"), "O3\n");
  EXPECT_EQ(b.Say("O1\n"), "O1\n");
}

TEST(SimAmplifier, ReleasingTheKeyEarlyAbandonsTheTune) {
  Bench b({.firmwareType = 3, .warmUpTime = 1.0, .tuneTime = 2.0});
  b.Say("O2\n", 2.0);
  b.Say("O4\nF1425000\n");
  EXPECT_EQ(NoMeter(b.Say("K", 1.0)), "K\nT3\n");
  EXPECT_EQ(NoMeter(b.Say("U", 3.0)), "U\nT2\n");
  EXPECT_EQ(b.radio.State().ampTune, kTuneReady);
}

TEST(SimSelfTest, PassesOrReportsTheFault) {
  Bench b({.firmwareType = 2, .testTime = 2.0});
  EXPECT_EQ(b.Say("Z\n", 1.0), "Z1\n");
  EXPECT_EQ(b.Say("Z\n", 0.5), "Z1\n");  // one test at a time
  EXPECT_EQ(b.Wait(1.0), "X001\nZ0\n");
  b.radio.SetTestFault(true);
  EXPECT_EQ(b.Say("Z\n", 3.0), "Z1\nE1\nX123\nZ0\n");
  b.radio.SetTestFault(false);
  EXPECT_EQ(b.Say("Z\n", 3.0), "Z1\nE0\nX001\nZ0\n");
}

TEST(SimControlState, LocalAnswersStatusOnlyAndChangesAreReportedUnasked) {
  Bench b({.firmwareType = 2, .remote = false});
  EXPECT_EQ(b.Say("M3\nU"), "");
  EXPECT_EQ(b.radio.State().mode, 2);
  EXPECT_EQ(Messages(b.Say("?\n"))[9], "R0");
  b.radio.TurnFrequency("1425000", b.t);
  b.radio.TurnMode(1, b.t);
  EXPECT_EQ(b.Wait(0.1), "F1425000\nM1\n");
  EXPECT_FALSE(b.radio.TurnFrequency("3000000", b.t));
  b.radio.SetControlState(true, b.t);
  EXPECT_EQ(b.Wait(0.1), "R1\n");
  EXPECT_EQ(b.Say("M3\n"), "M3\n");
  b.Say("K");
  b.radio.SetControlState(false, b.t);
  EXPECT_EQ(b.Wait(0.1), "R0\n");
  EXPECT_FALSE(b.radio.State().keyed);  // the front panel lets the remote key go
}

TEST(SimControlState, FrontPanelModeTurnDisturbsOnStepTypes) {
  Bench b({.firmwareType = 1});
  b.radio.TurnMode(4, b.t);
  EXPECT_EQ(b.Wait(0.1), "M4\nS1\n'0\n");
}

}  // namespace
}  // namespace qd::sim
