// Collecting and cutting the radio's bursts: the first-byte limit, the settle
// time and its bound, the "<" rewrite and the status-report markers.
#include <gtest/gtest.h>

#include <string>

#include "link/reply_reader.h"
#include "support/scenario.h"

namespace qd::test {
using namespace std::string_literals;
namespace {

constexpr double kTolerance = 1e-5;
using vocab::Item;

TEST(ReadReply, ASilentRadioEndsTheReadAfterPointEightSeconds) {
  for (double start : {kNoon, kSecondsPerDay - 0.3}) {
    Scenario s({.startTimeOfDay = start});
    s.p.status.StatusComplete = true;
    s.p.main.lblComStat.caption = "Com OK";
    ReadReply(s.p);
    EXPECT_NEAR(s.Elapsed(), 0.8, kTolerance) << "start " << start;
    EXPECT_EQ(s.p.main.lblComStat.caption, "No Com");
    EXPECT_TRUE(s.p.status.StatusComplete);  // a silent read changes no flag
    EXPECT_EQ(s.p.main.shaTrace.fillColour, colour::kGreyText);
  }
}

TEST(ReadReply, EndsSixtyMillisecondsAfterTheLastByteOfABurst) {
  struct Case {
    const char* what;
    std::vector<std::pair<double, std::string>> arrivals;
    double ends;
    std::string read;
    std::string leftPending;
  };
  const Case cases[] = {
      {"one piece", {{0.3, "M1\n"}}, 0.36, "M1<", ""},
      {"each new byte restarts the settle time",
       {{0.3, "M1\n"}, {0.35, "A2\n"}, {0.40, "S1\n"}},
       0.46,
       "M1<A2<S1<",
       ""},
      {"a gap longer than the settle time ends the burst",
       {{0.3, "M1\n"}, {0.37, "A2\n"}},
       0.36,
       "M1<",
       "A2\n"},
      {"bytes already waiting", {{0.0, "M1\n"}}, 0.06, "M1<", ""},
  };
  for (const Case& c : cases) {
    Scenario s;
    for (const auto& [t, raw] : c.arrivals) s.radio.Arrive(s.start + t, raw);
    ReadReply(s.p);
    EXPECT_NEAR(s.Elapsed(), c.ends, kTolerance) << c.what;
    EXPECT_EQ(s.p.link.ReplyBuffer, c.read) << c.what;
    EXPECT_EQ(s.p.main.lblComStat.caption, "Com OK") << c.what;
    s.clock.Advance(1);
    EXPECT_EQ(s.radio.Input(), c.leftPending) << c.what;
  }
}

TEST(ReadReply, ALineThatNeverGoesQuietCannotHoldTheReadForever) {
  // A byte every 50 ms for a minute: the settle time would never pass.
  Scenario slow;
  for (int i = 0; i < 1200; ++i) slow.radio.Arrive(slow.start + 0.1 + i * 0.05, i % 2 ? "\n" : "M");
  ReadReply(slow.p);
  EXPECT_LE(slow.Elapsed(), 0.1 + kReplySettleMaxSeconds + kReplySettleSeconds + kTolerance);
  EXPECT_GE(slow.Elapsed(), 0.1 + kReplySettleMaxSeconds - kTolerance);
  EXPECT_EQ(slow.p.status.Text(Item::Mode), "M ");

  // A flood: 512 bytes every 10 ms stops at the input buffer's size.
  Scenario flood;
  for (int i = 0; i < 1000; ++i)
    flood.radio.Arrive(flood.start + 0.1 + i * 0.01, std::string(511, 'x') + "\n");
  ReadReply(flood.p);
  EXPECT_GE(flood.p.link.ReplyBuffer.size(), kReplySettleMaxBytes);
  EXPECT_LT(flood.p.link.ReplyBuffer.size(), kReplySettleMaxBytes + 512);
  EXPECT_LT(flood.Elapsed(), 0.2);
}

TEST(ReadReply, ABurstWithBothMarkersCompletesTheStatus) {
  Scenario s;
  struct Step {
    std::string burst;  // empty: the radio stays silent
    bool complete;
  };
  const Step steps[] = {
      {"!\n#\nF1234567\n.\n", true},
      {"", true},          // silent: unchanged
      {"U\n", false},      // a burst without the markers clears it
      {"#\nM1\n", false},  // "#" alone
      {".\n", false},      // the earlier "#" does not count
      {"#\n.\n", true},
      {"#\n.:\n", false},  // a garbled end marker is skipped
  };
  for (const Step& step : steps) {
    if (!step.burst.empty()) s.RadioSaysIn(0.1, step.burst);
    ReadReply(s.p);
    EXPECT_EQ(s.p.status.StatusComplete, step.complete) << Visible(step.burst);
  }
}

TEST(ReadReply, AByteWithAParityErrorSkipsOnlyItsMessage) {
  Scenario s;
  s.RadioSaysIn(0.1, "M1\nA\377\0003\nS1\n"s);  // the "3" arrives with a parity error
  ReadReply(s.p);
  EXPECT_EQ(s.p.status.Text(Item::Mode), "M1");
  EXPECT_EQ(s.p.status.Text(Item::Agc), "");
  EXPECT_EQ(s.p.status.Text(Item::SideTone), "S1");
  EXPECT_EQ(s.p.link.ReplyBuffer, "M1<A:<S1<");
}

TEST(ParseReplies, CutsAtLineFeedsAndRewritesThemAsLessThan) {
  struct Case {
    std::string reply;
    std::string rewritten;
    std::vector<std::pair<Item, std::string>> stored;  // "" : not stored
  };
  const Case cases[] = {
      {"F1234567\nU\n", "F1234567<U<", {{Item::Freq, "F1234567"}}},
      {"M1\n\nA2\n", "M1<\nA2<", {{Item::Mode, "M1"}, {Item::Agc, "A2"}}},
      {"\nM3\n", "\nM3<", {{Item::Mode, "M3"}}},
      {"M1\nA2", "M1<A2", {{Item::Mode, "M1"}, {Item::Agc, ""}}},
      {"M1\nA:\nS:1\nI1\n",
       "M1<A:<S:1<I1<",
       {{Item::Agc, ""}, {Item::SideTone, ""}, {Item::Clipping, "I1"}}},
      {"M1\nM2\n", "M1<M2<", {{Item::Mode, "M2"}}},
      {"", "", {{Item::Mode, ""}}},
      {"\n\n", "\n\n", {{Item::Mode, ""}}},
  };
  for (const Case& c : cases) {
    Scenario s;
    std::string reply = c.reply;
    ParseReplies(s.p, reply);
    EXPECT_EQ(reply, c.rewritten) << Visible(c.reply);
    for (const auto& [item, text] : c.stored)
      EXPECT_EQ(s.p.status.Text(item), text) << Visible(c.reply);
  }
  Scenario s;
  std::string burst = "F1234567\nU\n";
  ParseReplies(s.p, burst);
  EXPECT_TRUE(s.p.status.SyncAnswered);
}

TEST(ParseReplies, ShowsTheBurstInTheDataBoxOnlyWhileItIsOpen) {
  Scenario s;
  s.p.main.cmdViewInData.caption = "Hide Data";
  std::string burst = "M1\nA2\n";
  ParseReplies(s.p, burst);
  EXPECT_EQ(s.p.main.txtInData.text, "M1<A2<");

  s.p.main.cmdViewInData.caption = "Show Data";
  burst = "S1\n";
  ParseReplies(s.p, burst);
  EXPECT_EQ(s.p.main.txtInData.text, "M1<A2<");
}

TEST(ReadPending, FilesWhatIsThereWithoutWaitingOrTouchingTheLinkState) {
  Scenario s;
  s.p.main.lblComStat.caption = "No Com";
  s.p.status.HashSeen = true;
  ReadPending(s.p);
  EXPECT_EQ(s.Elapsed(), 0);
  s.radio.ArriveNow("M4\nA");
  ReadPending(s.p);
  EXPECT_EQ(s.Elapsed(), 0);
  EXPECT_EQ(s.p.status.Text(Item::Mode), "M4");
  EXPECT_EQ(s.p.main.lblComStat.caption, "No Com");
  EXPECT_TRUE(s.p.status.HashSeen);
  EXPECT_EQ(s.radio.InBufferCount(), 0u);  // the cut tail is gone, not kept
}

TEST(ShowInfoMessage, PutsTheTextIntoTheVisibleInfoBox) {
  Scenario s;
  s.p.main.txtInfo.visible = false;
  ShowInfoMessage(s.p, "gSendSync: Err 8018. Operation valid only when port is open");
  EXPECT_EQ(s.p.main.txtInfo.text, "gSendSync: Err 8018. Operation valid only when port is open");
  EXPECT_TRUE(s.p.main.txtInfo.visible);
}

}  // namespace
}  // namespace qd::test
