#include "link/reply_reader.h"

#include "link/send.h"
#include "status/file_message.h"

namespace qd {

namespace {

// Below this a remaining wait is done: virtual time cannot add less to a time of day.
constexpr double kTimeEpsilon = 1e-6;

// Sleeps until more than `beyond` received bytes are pending or `seconds`
// pass; returns the pending count.
std::size_t WaitForMore(Program& p, double seconds, std::size_t beyond) {
  const double start = p.clock.TimeOfDay();
  std::size_t n = p.MSComm1.InBufferCount();
  while (n <= beyond) {
    const double remaining = seconds - SecondsSince(p, start);
    if (remaining <= kTimeEpsilon) break;
    n = p.MSComm1.WaitForInput(remaining, beyond);
  }
  return n;
}

// Waits until the burst has been quiet for the settle time, restarting it at
// every new byte, but never longer than the settle bounds.
void SettleBurst(Program& p, std::size_t n) {
  const double settleStart = p.clock.TimeOfDay();
  while (n < kReplySettleMaxBytes && SecondsSince(p, settleStart) < kReplySettleMaxSeconds) {
    const std::size_t more = WaitForMore(p, kReplySettleSeconds, n);
    if (more <= n) break;
    n = more;
  }
}

}  // namespace

std::size_t RadioBytesPending(Program& p) {
  return p.MSComm1.IsOpen() ? p.MSComm1.InBufferCount() : 0;
}

void ShowInfoMessage(Program& p, const std::string& text) {
  p.main.txtInfo.text = text;
  p.main.txtInfo.visible = true;
}

void ReadReply(Program& p) {
  frmQD6250& f = p.main;
  f.shaTrace.fillColour = colour::kGreen;
  p.link.ReplyBuffer.clear();
  const std::size_t n = WaitForMore(p, kReplyFirstByteSeconds, 0);
  if (n == 0) {
    f.lblComStat.caption = "No Com";
  } else {
    SettleBurst(p, n);
    p.link.ReplyBuffer = p.MSComm1.Input();
    if (!p.link.ReplyBuffer.empty()) {
      f.lblComStat.caption = "Com OK";
      p.status.HashSeen = false;
      p.status.StatusEndSeen = false;
      ParseReplies(p, p.link.ReplyBuffer);
      p.status.StatusComplete = p.status.HashSeen && p.status.StatusEndSeen;
    }
  }
  f.shaTrace.fillColour = colour::kGreyText;
}

void ReadPending(Program& p) {
  std::string reply = p.MSComm1.Input();
  if (!reply.empty()) ParseReplies(p, reply);
}

// A burst and what becomes of it:
//   received  F1234567<LF>U<LF><LF>Q:C<LF>D
//   filed     "F1234567", "U"  (the empty message is skipped, "Q:C" holds a
//             byte with a parity error, the tail "D" has no line feed)
//   rewritten F1234567<U<<LF>Q:C<D  (a message's line feed becomes "<")
void ParseReplies(Program& p, std::string& reply) {
  std::size_t pos = 0;
  while (pos < reply.size()) {
    const std::size_t lf = reply.find('\n', pos);
    if (lf == std::string::npos) break;
    if (lf > pos) {
      reply[lf] = '<';
      std::string message = reply.substr(pos, lf - pos);
      if (message.find(':') == std::string::npos) FileMessage(p, message);
    }
    pos = lf + 1;
  }
  if (p.main.cmdViewInData.caption == "Hide Data") p.main.txtInData.text = reply;
}

}  // namespace qd
