// The simulator's command line and its control lines.
#include <gtest/gtest.h>

#include "sim/command_line.h"
#include "sim/control_lines.h"
#include "sim_bench.h"

namespace qd::sim {
namespace {

TEST(SimCommandLine, OptionsReachTheRadioSettings) {
  const ParsedCommandLine p =
      ParseCommandLine({"--firmware",   "2",          "--port-dir",  "/tmp/x",    "--port",
                        "16",           "--baud",     "4800",        "--local",   "--latency",
                        "35",           "--log",      "cmds.txt",    "--warmup",  "0.5",
                        "--tune-time",  "1",          "--test-time", "4",         "--test-fault",
                        "--fault-code", "053",        "--silent",    "--slow",    "--drop",
                        "0.25",         "--cut",      "2",           "--garbage", "--unknown-code",
                        "--bad-freq",   "--long-freq"});
  ASSERT_EQ(p.error, "");
  const ToolOptions& o = p.options;
  EXPECT_EQ(o.sim.firmwareType, 2);
  EXPECT_EQ(o.portDir, "/tmp/x");
  EXPECT_EQ(o.port, 16);
  EXPECT_EQ(o.sim.baud, 4800);
  EXPECT_FALSE(o.sim.remote);
  EXPECT_DOUBLE_EQ(o.sim.latency, 0.035);
  EXPECT_EQ(o.logFile, "cmds.txt");
  EXPECT_DOUBLE_EQ(o.sim.warmUpTime, 0.5);
  EXPECT_DOUBLE_EQ(o.sim.tuneTime, 1);
  EXPECT_DOUBLE_EQ(o.sim.testTime, 4);
  EXPECT_TRUE(o.testFault);
  EXPECT_EQ(o.sim.faultCode, "053");
  EXPECT_TRUE(o.faults.silent && o.faults.slow && o.faults.garbageLine && o.faults.unknownCode &&
              o.faults.malformedFreq && o.faults.longFreq);
  EXPECT_DOUBLE_EQ(o.faults.dropShare, 0.25);
  EXPECT_EQ(o.faults.cutBursts, 2);
  EXPECT_FALSE(o.help);
  EXPECT_TRUE(ParseCommandLine({"--help"}).options.help);
}

TEST(SimCommandLine, BadValuesAreRefusedWithAReason) {
  const std::vector<std::vector<std::string>> bad{
      {"--firmware", "4"},    {"--firmware"},      {"--port", "0"},   {"--port", "17"},
      {"--baud", "fast"},     {"--latency", "-5"}, {"--drop", "1.5"}, {"--cut", "-1"},
      {"--fault-code", "12"}, {"--frobnicate"},    {"extra"},
  };
  for (const auto& args : bad) EXPECT_NE(ParseCommandLine(args).error, "") << args[0];
}

TEST(SimControlLines, ChangeTheRadioWhileItRuns) {
  Bench b;
  struct Case {
    std::string line;
    bool ok;
    std::string unasked;  // what the radio reports because of it
  } cases[] = {
      {"local", true, "R0\n"},
      {"remote", true, "R1\n"},
      {"freq 1425000", true, "F1425000\n"},
      {"freq 3000000", false, ""},
      {"mode 1", true, "M1\nS1\n'0\n"},
      {"mode 9", false, ""},
      {"drop 2", false, ""},
      {"silent maybe", false, ""},
      {"dance", false, ""},
      {"", true, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ApplyControlLine(b.radio, c.line, b.t).ok, c.ok) << c.line;
    EXPECT_EQ(b.Wait(0.1), c.unasked) << c.line;
  }
  ApplyControlLine(b.radio, "fault on", b.t);
  EXPECT_TRUE(b.radio.State().testFault);
  ApplyControlLine(b.radio, "longfreq on", b.t);
  ApplyControlLine(b.radio, "cut 3", b.t);
  EXPECT_TRUE(b.radio.MutableFaults().longFreq);
  EXPECT_EQ(b.radio.MutableFaults().cutBursts, 3);
  EXPECT_TRUE(ApplyControlLine(b.radio, "quit", b.t).quit);
}

}  // namespace
}  // namespace qd::sim
