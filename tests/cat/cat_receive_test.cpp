// The CAT port's receive and line events: text waiting for the main loop is
// kept whole and in order (several receives, commands cut between receives),
// bounded while the loop is held up; line errors, break and modem lines.
#include <gtest/gtest.h>

#include "cat_fixture.h"

namespace qd::test {
namespace {

using vocab::Item;

struct CatReceive : ::testing::Test {
  CatScenario s;
  void SetUp() override {
    s.RadioReports(Item::Freq, "F1420000");
    s.RadioReports(Item::Mode, "M2");
  }
};

TEST_F(CatReceive, ReceivesBeforeTheLoopComesRoundAreAllServedInOrder) {
  s.LoggerSends("FA;");
  DoEvents(s.p, 0);
  s.LoggerSends("MD;");
  DoEvents(s.p, 0);
  s.LoggerSends("FA;");
  DoEvents(s.p, 0);
  EXPECT_TRUE(s.p.cat.CatCommandPending);
  EXPECT_EQ(s.p.main.txtInCat.text, "FA;MD;FA;");

  ServiceCatCommand(s.p);
  EXPECT_EQ(s.cat.Writes(), (std::vector<std::string>{"FA00014200000;", "MD1;", "FA00014200000;"}));
  EXPECT_EQ(s.p.cat.CatBuffer, "");
}

TEST_F(CatReceive, CommandCutBetweenReceivesIsServedWhenItsRestArrives) {
  struct Case {
    std::vector<std::string> pieces;
    std::vector<std::string> writes;
  };
  const std::vector<Case> cases = {
      {{"FA;M", "D;"}, {"FA00014200000;", "MD1;"}},
      {{"MD;FA", ";"}, {"MD1;", "FA00014200000;"}},  // a one-byte rest
      {{"FA;", "MD", ";FA;"}, {"FA00014200000;", "MD1;", "FA00014200000;"}},
  };
  for (const Case& c : cases) {
    CatScenario t;
    t.RadioReports(Item::Freq, "F1420000");
    t.RadioReports(Item::Mode, "M2");
    for (const std::string& piece : c.pieces) {
      t.LoggerSends(piece);
      t.Pass();
    }
    EXPECT_EQ(t.cat.Writes(), c.writes) << c.pieces[0] << "|" << c.pieces[1];
    EXPECT_EQ(t.p.cat.CatBuffer, "");
  }
}

TEST_F(CatReceive, WhileTheLoopIsHeldPollsAreBoundedAndTheNewestServedWhole) {
  // A modal dialog holds the main loop: receives are taken, nothing is served.
  for (int i = 0; i < 400; ++i) {
    s.LoggerSends(i % 2 ? "MD;" : "FA;");
    DoEvents(s.p, 0);
    ASSERT_LE(s.p.cat.CatBuffer.size(), kCatBufferLimit);
  }
  ServiceCatCommand(s.p);
  const std::vector<std::string> writes = s.cat.Writes();
  ASSERT_FALSE(writes.empty());
  EXPECT_LE(writes.size(), kCatBufferLimit / 3);
  for (const std::string& w : writes) EXPECT_TRUE(w == "FA00014200000;" || w == "MD1;") << w;
  EXPECT_EQ(writes.back(), "MD1;");  // the newest poll
}

TEST_F(CatReceive, AnOverlongUnterminatedRunIsDroppedAndTheNextCommandServed) {
  s.LoggerSends(std::string(kCatBufferLimit + 40, 'x'));
  s.Pass();
  EXPECT_EQ(s.p.cat.CatBuffer, "");
  EXPECT_EQ(s.Exchange("FA;"), "FA00014200000;");
}

TEST_F(CatReceive, NoReceiveEventBelowThreeCharacters) {
  s.LoggerSends("FA");
  DoEvents(s.p, 0);
  EXPECT_FALSE(s.p.cat.CatCommandPending);
  s.LoggerSends(";");
  s.Pass();
  EXPECT_EQ(s.Answers(), "FA00014200000;");
}

TEST_F(CatReceive, LineEventsSetTheirFlags) {
  using Flag = bool CommFlags::*;
  struct Case {
    int code;
    Flag flag;  // nullptr: none of the nine
    bool comError;
  };
  const Case cases[] = {
      {comm_event::kFrame, &CommFlags::rxFrame, true},
      {comm_event::kOverrun, &CommFlags::rxOverrun, true},
      {comm_event::kRxOver, &CommFlags::rxOverflow, true},
      {comm_event::kRxParity, &CommFlags::rxParity, true},
      {comm_event::kTxFull, &CommFlags::txFull, true},
      {comm_event::kDcb, &CommFlags::dcbError, true},
      {comm_event::kCd, &CommFlags::evCd, false},
      {comm_event::kCts, &CommFlags::evCts, false},
      {comm_event::kDsr, &CommFlags::evDsr, false},
      {comm_event::kRing, nullptr, false},
      {comm_event::kEof, nullptr, false},
      {comm_event::kBreak, nullptr, false},
  };
  const Flag all[] = {&CommFlags::rxFrame,  &CommFlags::rxOverrun, &CommFlags::rxOverflow,
                      &CommFlags::rxParity, &CommFlags::txFull,    &CommFlags::dcbError,
                      &CommFlags::evCd,     &CommFlags::evCts,     &CommFlags::evDsr};
  for (const Case& c : cases) {
    CatScenario t;
    t.cat.InjectEvent(t.clock.Now(), c.code);
    t.Pass();
    for (Flag f : all) EXPECT_EQ(t.p.main.comm2.*f, f == c.flag) << "event " << c.code;
    EXPECT_EQ(t.p.main.lblComStat.caption, c.comError ? "Com2 Error" : "No Com") << c.code;
    EXPECT_EQ(t.p.cat.CatBreakSeen, c.code == comm_event::kBreak) << "event " << c.code;
    // Reception goes on.
    t.RadioReports(Item::Freq, "F1420000");
    EXPECT_EQ(t.Exchange("FA;"), "FA00014200000;") << "event " << c.code;
  }
}

TEST_F(CatReceive, ABreakOnTheLineIsSeenAndReceptionGoesOn) {
  s.LoggerSends(std::string("\377\0\0", 3));
  s.Pass();
  EXPECT_TRUE(s.p.cat.CatBreakSeen);
  EXPECT_EQ(s.Exchange("FA;"), "FA00014200000;");
}

TEST_F(CatReceive, ALostDeviceShowsNoCatPortAndAnswersNothing) {
  s.LoggerSends("FA;");
  DoEvents(s.p, 0);
  // The port layer closes a vanished device, then reports it.
  s.cat.Close();
  MSComm2_OnComm(s.p, comm_event::kDeviceLost);
  ServiceCatCommand(s.p);
  EXPECT_EQ(s.p.main.txtInCat.text, kNoCatPort);
  EXPECT_EQ(s.p.main.txtOutCAT.text, kNoCatPort);
  EXPECT_EQ(s.Answers(), "");
}

}  // namespace
}  // namespace qd::test
