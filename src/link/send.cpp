#include "link/send.h"

#include <algorithm>

#include "link/reply_reader.h"
#include "platform/errors.h"

namespace qd {

namespace {

constexpr int kDrainWaits = 10;
constexpr double kDrainWaitSeconds = 0.01;
constexpr double kSyncRepeatSeconds = 2.0;
constexpr double kSyncCaptionSeconds = 1.0;
constexpr double kSyncPauseSeconds = 0.2;
// Shortest sleep: virtual time cannot add less to a time of day.
constexpr double kMinSleepSeconds = 1e-6;

// The panel's times of day are compared in single precision; a start that
// reads later than now means midnight passed since.
bool MidnightPassed(double start, double now) {
  return static_cast<float>(start) > static_cast<float>(now);
}

}  // namespace

double SecondsSince(Program& p, double startTimeOfDay) {
  const double now = p.clock.TimeOfDay();
  if (MidnightPassed(startTimeOfDay, now)) startTimeOfDay -= kSecondsPerDay;
  return now - startTimeOfDay;
}

void WaitSeconds(Program& p, double seconds) {
  const double start = p.clock.TimeOfDay();
  for (double elapsed = SecondsSince(p, start); elapsed < seconds; elapsed = SecondsSince(p, start))
    p.clock.Sleep(std::max(seconds - elapsed, kMinSleepSeconds));
}

void SendCommand(Program& p, const std::string& command, bool addLineFeed, double pauseSeconds) {
  Shape& trace = p.main.shaTrace;
  trace.fillColour = colour::kRed;
  for (int waits = 0; p.MSComm1.OutBufferCount() != 0 && waits < kDrainWaits; ++waits)
    WaitSeconds(p, kDrainWaitSeconds);
  // Dropped only when the buffer is still full after the last wait; the trace
  // stays red to show it.
  if (p.MSComm1.OutBufferCount() != 0) return;
  // A write that fails is lost like a dropped one; the sync count notices a dead link.
  WriteRadioPort(p, addLineFeed ? command + '\n' : command);
  if (pauseSeconds != 0) WaitSeconds(p, pauseSeconds);
  trace.fillColour = colour::kGreyText;
}

void gSendSync(Program& p, const std::string& c) {
  LinkState& link = p.link;
  try {
    p.main.shaTrace.fillColour = colour::kYellow;
    if (link.LastSyncTime == 0) link.LastSyncTime = p.clock.TimeOfDay();
    if (link.LastSyncChar.empty()) link.LastSyncChar = c;
    const double now = p.clock.TimeOfDay();
    const double elapsed = now - link.LastSyncTime;
    const bool keyChange =
        (c == "K" && link.LastSyncChar == "U") || (c == "U" && link.LastSyncChar == "K");
    if (keyChange || elapsed > kSyncRepeatSeconds) {
      SendCommand(p, c, false, kSyncPauseSeconds);
      link.LastSyncChar = c;
      link.LastSyncTime = p.clock.TimeOfDay();
      ++link.SyncFailCount;
      p.main.lblU.caption = c;
      p.main.lblU.backColour = colour::kWhite;
    } else if (elapsed > kSyncCaptionSeconds) {
      p.main.lblU.caption = "";
    } else if (MidnightPassed(link.LastSyncTime, now)) {
      link.LastSyncTime -= kSecondsPerDay;
    }
    p.main.shaTrace.fillColour = colour::kGreyText;
  } catch (const RuntimeError& e) {
    ShowInfoMessage(p, ErrorText("gSendSync", e));
  }
}

void WriteRadioPort(Program& p, const std::string& bytes) {
  try {
    p.MSComm1.Output(bytes);
  } catch (const RuntimeError&) {
    // Lost; the caller's protocol (sync count, re-query) notices.
  }
}

}  // namespace qd
