// The simulated radio's status report and how it reads the byte stream.
#include <gtest/gtest.h>

#include "sim_bench.h"

namespace qd::sim {
namespace {

using Strings = std::vector<std::string>;

TEST(SimStatus, ReportCarriesEveryItemAndTheTypesMarkers) {
  const Strings items{"F", "M", "A", "D", "H", "\"", "'", "(", ",", "R", "O",
                      "T", "G", "I", "S", "V", "C",  "B", "*", "X", "Z", "E"};
  struct Case {
    int type;
    Strings tail;
  } cases[] = {
      {1, {"!", "#", "."}},
      {2, {"#", "."}},
      {3, {"!", "QT", "QC", "#", "."}},
  };
  for (const Case& c : cases) {
    Bench b({.firmwareType = c.type});
    Strings want = items;
    want.insert(want.end(), c.tail.begin(), c.tail.end());
    EXPECT_EQ(Codes(b.Say("?\n")), want) << "type " << c.type;
  }
}

TEST(SimStatus, ReportShowsTheStateItHolds) {
  Bench b;
  const Strings m = Messages(b.Say("?\n"));
  ASSERT_GE(m.size(), 22u);
  EXPECT_EQ(m[0], "F0712500");
  EXPECT_EQ(m[9], "R1");
  EXPECT_EQ(m[12], "G00");
  EXPECT_EQ(m[16], "C--");
  EXPECT_EQ(m[17], "B100");
  EXPECT_EQ(m[19], "X000");
}

// Bytes said to the radio, and the commands it logs (a leading "-" marks one it ignored).
TEST(SimFraming, CommandsAreCutByTheirWidthForTheType) {
  struct Case {
    int type;
    std::string bytes;
    Strings logged;
  } cases[] = {
      {2, "A2F0712500", {"A2", "F0712500"}},  // back to back, no line feed
      {1, "MMM\n", {"M", "M", "M"}},
      {3, "mma\n", {"m", "m", "a"}},
      {1, "M1\n", {"-M1"}},                      // direct form on a step type
      {1, "m\n", {"-m"}},                        // another type's step character
      {1, "D3\n", {"-D3"}},                      // type 1 steps the meter with "d"
      {2, "D4\n", {"D4"}},                       // type 2 takes the meter value directly
      {2, "M\nU", {"-M", "U"}},                  // a line feed cuts the argument short
      {1, "F12345678\nU", {"-F12345678", "U"}},  // eight digits
      {1, "F07x2500\n", {"-F07x2500"}},
      {1,
       "F0159999\nF3000000\nF0160000\nF2999999\n",
       {"-F0159999", "-F3000000", "F0160000", "F2999999"}},
      {1, "~junk\n?\n", {"-~junk", "?"}},
      {1, "G05B095(0\n", {"G05", "B095", "(0"}},
      {1, "B201\n", {"-B201"}},
      {3, "\"0'1\n", {"\"0", "'1"}},
      {1, "\"'\n", {"\"", "'"}},  // toggles on type 1
      {1, "\r\n\nU", {"U"}},      // separators only
  };
  for (const Case& c : cases) {
    Bench b({.firmwareType = c.type});
    b.Say(c.bytes);
    Strings got;
    for (const LoggedCommand& l : b.radio.Log()) got.push_back((l.obeyed ? "" : "-") + l.text);
    EXPECT_EQ(got, c.logged) << "type " << c.type << " bytes " << c.bytes;
  }
}

TEST(SimFraming, IgnoredCommandsChangeNothingAndAnswerNothing) {
  Bench b({.firmwareType = 1});
  EXPECT_EQ(b.Say("M1\nF12345678\nF0100000\n"), "");
  EXPECT_EQ(b.radio.State().mode, 2);
  EXPECT_EQ(b.radio.State().freq, "0712500");
}

TEST(SimFraming, AStepAtTheEndOfAWriteIsObeyedOnceTheLineFallsIdle) {
  Bench b({.firmwareType = 1});
  EXPECT_EQ(b.Say("U"), "U\nJ09\n");
}

TEST(SimTiming, RepliesLeaveAfterTheLatencyAtLineSpeed) {
  Bench b({.firmwareType = 1, .baud = 9600, .latency = 0.020});
  const double ch = 10.0 / 9600;
  b.radio.Receive("F0712500\n", b.t);
  // Nine characters reach the radio; the command is complete with its eighth
  // and known complete when the line feed arrives.
  const double complete = b.t + 9 * ch;
  const double first = complete + 0.020 + ch;
  ASSERT_TRUE(b.radio.NextDue().has_value());
  EXPECT_NEAR(*b.radio.NextDue(), first, 1e-9);
  EXPECT_EQ(b.radio.TakeOutput(first - 1e-6), "");
  EXPECT_EQ(b.radio.TakeOutput(first), "F");
  EXPECT_EQ(b.radio.TakeOutput(first + 8 * ch), "0712500\n");
  EXPECT_FALSE(b.radio.NextDue().has_value());
}

TEST(SimTiming, BurstsQueueBehindEachOtherOnTheLine) {
  Bench b({.firmwareType = 1});
  b.radio.Receive("?\nU", b.t);
  const std::string report = b.radio.StatusReport();
  const std::string all = b.radio.TakeOutput(b.t + 5);
  EXPECT_EQ(all.substr(0, report.size()), report);
  EXPECT_EQ(all.substr(report.size()), "U\nJ09\n");
}

}  // namespace
}  // namespace qd::sim
