// What the CAT port's frequency and mode settings do to the simulated radio,
// for each firmware type's command form.
#include <gtest/gtest.h>

#include <algorithm>

#include "cat_fixture.h"

namespace qd::test {
namespace {

bool RadioObeyed(RadioCatScenario& s, const std::string& command) {
  for (const sim::LoggedCommand& c : s.sim.Radio().Log())
    if (c.text == command && c.obeyed) return true;
  return false;
}

TEST(CatRadio, FrequencySetTunesTheRadioAndTheNextQueryReportsIt) {
  struct Case {
    const char* sent;
    const char* radioCommand;
    const char* answer;
  };
  const Case cases[] = {
      {"FA00007125000;", "F0712500", "FA00007125000;"},
      {"FA00007125009;", "F0712500", "FA00007125000;"},  // units of Hz dropped
      {"FA00014070000;", "F1407000", "FA00014070000;"},
      {"FA0002999999012;", "F2999999", "FA00029999990;"},  // extra digits ignored
  };
  for (int firmware : {1, 2, 3}) {
    for (const Case& c : cases) {
      RadioCatScenario s(firmware);
      s.sim.Radio().TurnFrequency("1420000", s.clock.Now());
      s.QueryStatus();
      ASSERT_EQ(s.Exchange("FA;"), "FA00014200000;");

      EXPECT_EQ(s.Exchange(c.sent), "") << c.sent;
      EXPECT_TRUE(RadioObeyed(s, c.radioCommand)) << c.sent << " type " << firmware;
      EXPECT_EQ(s.Exchange("FA;"), c.answer) << c.sent << " type " << firmware;
    }
  }
}

TEST(CatRadio, FrequencySetAndQueryInOneReceive) {
  RadioCatScenario s(3);
  s.QueryStatus();
  EXPECT_EQ(s.Exchange("FA00010125000;FA;"), "FA00010125000;");
}

TEST(CatRadio, ModeSetUsesEachFirmwareTypesCommandForm) {
  struct Case {
    int firmware;
    const char* sent;
    int radioModeBefore;  // 1 USB, 2 LSB, 3 AME, 4 CW
    const char* radioWrite;
    int radioModeAfter;
  };
  const Case cases[] = {
      {1, "MD1;", 1, "M\n", 2},   {3, "MD1;", 1, "m\n", 2},   {2, "MD1;", 1, "M2\nF1420000\n", 2},
      {1, "MD2;", 2, "MMM\n", 1}, {3, "MD3;", 1, "mmm\n", 4}, {2, "MD5;", 4, "M3\nF1420000\n", 3},
      {1, "MD5;", 4, "MMM\n", 3},
  };
  for (const Case& c : cases) {
    RadioCatScenario s(c.firmware);
    s.sim.Radio().TurnFrequency("1420000", s.clock.Now());
    s.sim.Radio().TurnMode(c.radioModeBefore, s.clock.Now());
    s.QueryStatus();
    const double before = s.Elapsed();

    EXPECT_EQ(s.Exchange(c.sent), "");
    const std::string sent = s.SentSince(before);
    EXPECT_EQ(sent.substr(0, std::string(c.radioWrite).size()), c.radioWrite)
        << c.sent << " type " << c.firmware << ": " << Visible(sent);
    EXPECT_EQ(s.sim.Radio().State().mode, c.radioModeAfter) << c.sent << " type " << c.firmware;
  }
}

TEST(CatRadio, ModeSetToTheRadiosModeSendsNothing) {
  for (int firmware : {1, 2, 3}) {
    RadioCatScenario s(firmware);
    s.sim.Radio().TurnMode(1, s.clock.Now());  // USB
    s.QueryStatus();
    const double before = s.Elapsed();
    EXPECT_EQ(s.Exchange("MD2;"), "");
    EXPECT_EQ(s.SentSince(before), "") << "type " << firmware;
  }
}

TEST(CatRadio, ModeQueryAfterModeSetReportsTheNewMode) {
  RadioCatScenario s(3);
  s.QueryStatus();
  s.Exchange("MD3;");
  EXPECT_EQ(s.Exchange("MD;"), "MD3;");
}

}  // namespace
}  // namespace qd::test
