// The simulated radio's setting commands: step and toggle characters wrap,
// direct forms only where the type has them, every command answered.
#include <gtest/gtest.h>

#include "sim_bench.h"

namespace qd::sim {
namespace {

// Setup commands bring the radio from its starting values (M2, A3, D1, H1, V0,
// S0, I0, "1, '1) next to a wrap; then one command and its answer.
TEST(SimSettings, StepsAndTogglesWrap) {
  struct Case {
    int type;
    std::string setup;  // brings the radio to the starting value
    std::string command;
    std::string answer;
  } cases[] = {
      {1, "MM", "M", "M1\nS1\n'0\n"},                             // M2 -> M3 -> M4, then wraps
      {3, "mm", "m", "M1\nS1\n'0\n"}, {1, "A", "A", "A1\n"},      // A3 -> A4 -> A1
      {3, "a", "a", "A1\n"},          {1, "ddddd", "d", "D1\n"},  // D1 .. D6 -> D1
      {3, "DDDDD", "D", "D1\n"},      {2, "", "H", "H2\n"},
      {2, "HH", "H", "H1\n"},  // H3 -> H1
      {1, "VV", "V", "V0\n"},  // V2 -> V0
      {1, "", "V", "V1\n"},           {1, "", "S", "S1\n"},
      {1, "S", "S", "S0\n"},          {2, "", "I", "I1\n"},
      {1, "", "\"", "\"0\n"},  // type 1 toggles routing and PTT enable
      {1, "'", "'", "'1\n"},
  };
  for (const Case& c : cases) {
    Bench b({.firmwareType = c.type});
    b.Say(c.setup + "\n");
    EXPECT_EQ(b.Say(c.command + "\n"), c.answer)
        << "type " << c.type << " " << c.setup << c.command;
  }
}

TEST(SimSettings, DirectFormsAnswerAlsoWhenNothingChanged) {
  struct Case {
    int type;
    std::string command;
    std::string answer;
  } cases[] = {
      {2, "M2", "M2\n"},
      {2, "M4", "M4\n"},
      {2, "A3", "A3\n"},
      {2, "A1", "A1\n"},
      {2, "D1", "D1\n"},
      {2, "D6", "D6\n"},
      {3, "\"1", "\"1\n"},
      {3, "'0", "'0\n"},
      {2, "(1", "(1\n"},
      {1, "(0", "(0\n"},
      {1, "G42", "G42\n"},
      {3, "B095", "B095\n"},
      {1, "F0712500", "F0712500\n"},
      // values the radio does not have are ignored
      {2, "M5", ""},
      {2, "A0", ""},
      {2, "D7", ""},
      {3, "\"2", ""},
      {1, "(2", ""},
      {1, "O5", ""},
  };
  for (const Case& c : cases) {
    Bench b({.firmwareType = c.type});
    EXPECT_EQ(b.Say(c.command + "\n"), c.answer) << "type " << c.type << " " << c.command;
  }
}

TEST(SimSettings, AModeChangeDisturbsSideToneAndPttEnableOnStepTypesOnly) {
  for (int type : {1, 3}) {
    Bench b({.firmwareType = type});
    const std::string step = type == 1 ? "M" : "m";
    EXPECT_EQ(b.Say(step + step + "\n"), "M3\nS1\n'0\nM4\nS1\n'0\n") << "type " << type;
    EXPECT_EQ(b.radio.State().sideTone, 1);
    EXPECT_EQ(b.radio.State().pttEnable, 0);
  }
  Bench b2({.firmwareType = 2});
  EXPECT_EQ(b2.Say("M3\nF0712500\n"), "M3\nF0712500\n");
  EXPECT_EQ(b2.radio.State().pttEnable, 1);
}

TEST(SimSync, SyncAnswersKeyAndReadTheMeter) {
  Bench b({.firmwareType = 3});
  std::vector<int> receive, transmit;
  for (int i = 0; i < 6; ++i) {
    const auto m = Messages(b.Say("U"));
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0], "U");
    EXPECT_FALSE(b.radio.State().keyed);
    receive.push_back(std::stoi(m[1].substr(1)));
  }
  b.Say("D\nD\nD\n");  // forward power
  for (int i = 0; i < 6; ++i) {
    const auto m = Messages(b.Say("K"));
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[0], "K");
    EXPECT_TRUE(b.radio.State().keyed);
    ASSERT_EQ(m[1].size(), 3u);  // "J" and two digits
    transmit.push_back(std::stoi(m[1].substr(1)));
  }
  for (const auto* v : {&receive, &transmit}) {
    EXPECT_NE(*std::min_element(v->begin(), v->end()), *std::max_element(v->begin(), v->end()));
    for (int r : *v) EXPECT_TRUE(r >= 0 && r <= 21) << r;
  }
  // Forward power while keyed reads well above the receive signal.
  EXPECT_GT(*std::min_element(transmit.begin(), transmit.end()),
            *std::max_element(receive.begin(), receive.end()));
}

}  // namespace
}  // namespace qd::sim
