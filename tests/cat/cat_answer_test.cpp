// Answers the CAT port gives a logger: frequency and mode queries, several
// commands in one receive, and everything that must stay unanswered.
#include <gtest/gtest.h>

#include "cat_fixture.h"

namespace qd::test {
namespace {

using vocab::Item;

TEST(CatAnswer, FrequencyQueryGivesElevenDigitsOfHertz) {
  struct Case {
    const char* freq;    // the radio's last frequency report
    const char* answer;  // "" = none
  };
  const Case cases[] = {
      {"F1420000", "FA00014200000;"},
      {"F0160000", "FA00001600000;"},
      {"F2999999", "FA00029999990;"},
      {"", ""},          // nothing reported yet
      {"F14200  ", ""},  // a short report, blank-padded
  };
  for (const Case& c : cases) {
    CatScenario s;
    s.RadioReports(Item::Freq, c.freq);
    EXPECT_EQ(s.Exchange("FA;"), c.answer) << "Freq " << c.freq;
    EXPECT_EQ(s.p.main.txtOutCAT.text, c.answer) << "Freq " << c.freq;
    EXPECT_EQ(s.p.main.txtInCat.text, "FA;");
  }
}

TEST(CatAnswer, ModeQueryFollowsDigitalModeBoxThenRadioMode) {
  struct Case {
    const char* dig;
    const char* mode;
    const char* answer;
  };
  const Case cases[] =
      {
          {"OFF", "M1", "MD2;"}, {"OFF", "M2", "MD1;"},  {"OFF", "M3", "MD5;"},
          {"OFF", "M4", "MD3;"}, {"PSK", "M2", "MDA;"},  {"PSK", "M4", "MDA;"},
          {"FSK", "M1", "MD9;"}, {"RTTY", "M3", "MD6;"}, {"PSK", "", "MDA;"},
          {"OFF", "", ""},  // no mode reported yet: no answer rather than a guess
          {"OFF", "M7", ""},
      };
  for (const Case& c : cases) {
    CatScenario s;
    s.p.main.cmbDig.text = c.dig;
    s.RadioReports(Item::Mode, c.mode);
    EXPECT_EQ(s.Exchange("MD;"), c.answer) << c.dig << " / " << c.mode;
  }
}

TEST(CatAnswer, SeveralCommandsInOneReceiveAreAnsweredInOrder) {
  struct Case {
    const char* sent;
    std::vector<std::string> writes;
  };
  const Case cases[] = {
      {"FA;MD;", {"FA00014200000;", "MD1;"}},
      {"MD;FA;", {"MD1;", "FA00014200000;"}},
      {";;FA;;", {"FA00014200000;"}},  // empty commands are skipped
      {"IF;FA;ID;", {"FA00014200000;"}},
  };
  for (const Case& c : cases) {
    CatScenario s;
    s.RadioReports(Item::Freq, "F1420000");
    s.RadioReports(Item::Mode, "M2");
    s.Exchange(c.sent);
    EXPECT_EQ(s.cat.Writes(), c.writes) << c.sent;
  }
}

TEST(CatAnswer, CommandsNotUnderstoodGetNoAnswerAndLeaveTheRadioAlone) {
  const char* commands[] = {
      "FA00100000000;",  // 100 MHz and up is not a frequency set
      "FA0000712;",      // too short for a frequency set
      "FAX;",
      "FB;",
      "F;",
      "IF;",
      "ID;",
      "AI0;",
      "PS;",
      "fa;",
      "md;",
      "MD12;",
      "MDX;",
      "MD ;",
      "MD0;",
      "MD4;",
      "MD6;",
      "MD9;",  // mode digits with no
               // radio mode
      " FA;",
  };
  for (const char* command : commands) {
    CatScenario s;
    s.RadioReports(Item::Freq, "F1420000");
    s.RadioReports(Item::Mode, "M1");
    const std::size_t radioBefore = s.radio.Sent().size();
    EXPECT_EQ(s.Exchange(command), "") << command;
    EXPECT_EQ(s.radio.Sent().size(), radioBefore) << command;
    EXPECT_FALSE(s.p.cat.CatCommandPending);
  }
}

}  // namespace
}  // namespace qd::test
