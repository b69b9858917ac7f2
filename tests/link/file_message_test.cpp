// Filing received messages into RadioStatus: the width rule, the frequency's
// form, the Q items, the sync answers and markers, and unknown codes.
#include <gtest/gtest.h>

#include "status/file_message.h"
#include "support/scenario.h"

namespace qd::test {
namespace {

using vocab::Item;

TEST(FitToWidth, CutsLongAndPadsShortMessagesWithBlanks) {
  struct Case {
    std::string message;
    int width;
    std::string fitted;
  };
  const Case cases[] = {
      {"M1", 2, "M1"}, {"M12", 2, "M1"}, {"M", 2, "M "}, {"C", 3, "C  "},
      {"", 2, "  "},   {"X", 0, ""},     {"X", -1, ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FitToWidth(c.message, c.width), c.fitted) << c.message << c.width;
}

TEST(FileMessage, StoresEachItemAtItsWidthAndFlagsIt) {
  struct Case {
    std::string message;
    Item item;
    std::string stored;
  };
  const Case cases[] = {
      {"M2", Item::Mode, "M2"},
      {"A4", Item::Agc, "A4"},
      {"D5", Item::MeterSelect, "D5"},
      {"H3", Item::AudioSource, "H3"},
      {"\"1", Item::AudioRoute, "\"1"},
      {"'0", Item::PttEnable, "'0"},
      {"(1", Item::Speaker, "(1"},
      {",7", Item::CommaItem, ",7"},
      {"R1", Item::ControlState, "R1"},
      {"O4", Item::AmpState, "O4"},
      {"T3", Item::AmpTune, "T3"},
      {"G5", Item::RfGain, "G5 "},
      {"I1", Item::Clipping, "I1"},
      {"S0", Item::SideTone, "S0"},
      {"V2", Item::Vox, "V2"},
      {"C", Item::Channel, "C  "},
      {"C123", Item::Channel, "C12"},
      {"B1234567", Item::Bfo, "B123"},
      {"P0712345671", Item::ChannelData, "P0712345671"},
      {"P07123456712", Item::ChannelData, "P0712345671"},
      {"*x", Item::StarItem, "*x"},
      {"X001", Item::TestResult, "X001"},
      {"Z1", Item::TestState, "Z1"},
      {"E1", Item::Fault, "E1"},
  };
  for (const Case& c : cases) {
    Scenario s;
    FileMessage(s.p, c.message);
    EXPECT_EQ(s.p.status.Text(c.item), c.stored) << c.message;
    EXPECT_TRUE(s.p.status[c.item].changed) << c.message;
    int changed = 0;
    for (const StatusItem& i : s.p.status.items) changed += i.changed;
    EXPECT_EQ(changed, 1) << c.message;
  }
}

TEST(FileMessage, JudgesTheFrequencyAsReceivedBeforeCuttingIt) {
  struct Case {
    std::string message;
    std::string stored;
    bool wellFormed;
  };
  const Case cases[] = {
      {"F1234567", "F1234567", true},   {"F0160000", "F0160000", true},
      {"F12345678", "F1234567", false}, {"F123", "F123    ", false},
      {"F12345a7", "F12345a7", false},  {"F1234567 ", "F1234567", false},
      {"F", "F       ", false},
  };
  for (const Case& c : cases) {
    Scenario s;
    s.p.status.FreqWellFormed = !c.wellFormed;
    FileMessage(s.p, c.message);
    EXPECT_EQ(s.p.status.Text(Item::Freq), c.stored) << c.message;
    EXPECT_EQ(s.p.status.FreqWellFormed, c.wellFormed) << c.message;
    EXPECT_TRUE(s.p.status[Item::Freq].changed);
  }
}

TEST(FileMessage, QMessagesStoreTheirTwoItemsWithoutFlags) {
  struct Case {
    std::string message;
    std::string qt;
    std::string qc;
  };
  const Case cases[] = {
      {"QT5", "QT5", ""}, {"QC", "", "QC "}, {"QC12", "", "QC1"}, {"QX1", "", ""}, {"Q", "", ""},
  };
  for (const Case& c : cases) {
    Scenario s;
    FileMessage(s.p, c.message);
    EXPECT_TRUE(s.p.status.QSeen) << c.message;
    EXPECT_EQ(s.p.status.Text(Item::QtItem), c.qt) << c.message;
    EXPECT_EQ(s.p.status.Text(Item::QcItem), c.qc) << c.message;
    EXPECT_FALSE(s.p.status[Item::QtItem].changed || s.p.status[Item::QcItem].changed);
  }
}

TEST(FileMessage, SyncAnswersMarkersAndTheMeterReading) {
  Scenario s;
  RadioStatus& st = s.p.status;
  FileMessage(s.p, "K");
  EXPECT_TRUE(st.SyncAnswered && st.TransmitterKeyed);
  st.SyncAnswered = false;
  FileMessage(s.p, "U");
  EXPECT_TRUE(st.SyncAnswered);
  EXPECT_FALSE(st.TransmitterKeyed);

  FileMessage(s.p, "!");
  FileMessage(s.p, "#");
  FileMessage(s.p, ".");
  EXPECT_TRUE(st.ExclaimSeen && st.HashSeen && st.StatusEndSeen);

  FileMessage(s.p, "J07");
  EXPECT_TRUE(st.MeterSeen);
  EXPECT_EQ(st.MeterValue, 7);
  EXPECT_EQ(s.p.main.pbMeter.value, 7);  // shown at once
}

TEST(FileMessage, IgnoresUnknownCodesAndTheClosingParenthesis) {
  for (const std::string message : {")", ")1", "W12", "u", "k", "m2", "?", "", "\r"}) {
    Scenario s;
    RadioStatus before = s.p.status;
    FileMessage(s.p, message);
    for (std::size_t i = 0; i < vocab::kItemCount; ++i) {
      EXPECT_EQ(s.p.status.items[i].text, before.items[i].text) << message;
      EXPECT_FALSE(s.p.status.items[i].changed) << message;
    }
    EXPECT_FALSE(s.p.status.SyncAnswered || s.p.status.QSeen || s.p.status.MeterSeen) << message;
  }
}

}  // namespace
}  // namespace qd::test
