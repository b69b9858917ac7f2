// The simulated radio's time line: bytes in at line speed, the radio's own
// timers (amplifier warm-up and tune, self test, idle line), and reply bursts
// out at line speed through the fault filter.
#include "sim/sim_radio.h"

#include <algorithm>

namespace qd::sim {
namespace {

constexpr char kGarbageLine[] = "~q@&%z";  // starts with no code the panel knows
constexpr char kUnknownCodeMessage[] = "Y42";
const std::string kParityMark("\377\0", 2);  // PARMRK: the next byte had a parity error
const std::string kBreakMark("\377\0\0", 3);

}  // namespace

SimRadio::SimRadio(SimOptions options)
    : options_(std::move(options)),
      state_(InitialState(options_.remote)),
      reader_(options_.firmwareType, kIdleCharacters * kBitsPerCharacter / double(options_.baud)) {}

double SimRadio::CharacterTime() const {
  return kBitsPerCharacter / static_cast<double>(options_.baud);
}

void SimRadio::Receive(std::string_view bytes, double now) {
  now = std::max(now, now_);
  std::vector<ReadPiece> done;
  for (char byte : bytes) {
    const double at = std::max(now, inFree_) + CharacterTime();
    inFree_ = at;
    RunUntil(at);
    done.clear();
    reader_.Feed(byte, at, done);
    for (const ReadPiece& piece : done) {
      if (piece.command) {
        Obey(piece.text, at);
      } else {
        log_.push_back({at, piece.text, false});
      }
    }
  }
}

std::optional<double> SimRadio::NextTimer() const {
  std::optional<double> next = reader_.IdleDeadline();
  for (const auto& t : {warmUpDone_, tuneDone_, testDone_})
    if (t && (!next || *t < *next)) next = t;
  return next;
}

std::optional<double> SimRadio::NextDue() const {
  std::optional<double> next = NextTimer();
  if (!out_.empty() && (!next || out_.front().time < *next)) next = out_.front().time;
  return next;
}

void SimRadio::RunUntil(double t) {
  while (true) {
    std::optional<double> next = NextTimer();
    if (!next || *next > t) break;
    now_ = std::max(now_, *next);
    FireTimers(*next);
  }
  now_ = std::max(now_, t);
}

void SimRadio::AdvanceTo(double now) {
  RunUntil(now);
}

std::string SimRadio::TakeOutput(double upTo) {
  RunUntil(upTo);
  std::string raw;
  while (!out_.empty() && out_.front().time <= upTo) {
    raw += out_.front().raw;
    out_.pop_front();
  }
  return raw;
}

void SimRadio::Report(std::string burst, double ready) {
  if (burst.empty() || faults_.silent) return;
  if (faults_.dropShare > 0) {
    dropAccumulator_ += faults_.dropShare;
    if (dropAccumulator_ >= 1.0 - 1e-9) {
      dropAccumulator_ -= 1.0;
      return;
    }
  }
  if (faults_.slow) ready += options_.slowDelay;
  if (faults_.garbageLine) burst = kGarbageLine + std::string("\n") + burst;
  if (faults_.unknownCode) burst += kUnknownCodeMessage + std::string("\n");
  if (faults_.cutBursts > 0) {
    --faults_.cutBursts;
    // Keep the first half, ending inside a message (never just after a line feed).
    std::size_t keep = std::max<std::size_t>(1, burst.size() / 2);
    while (keep > 1 && burst[keep - 1] == '\n') --keep;
    if (burst[keep - 1] == '\n') keep = 0;
    burst.resize(keep);
  }
  const double start = std::max(ready, outFree_);
  for (std::size_t i = 0; i < burst.size(); ++i) {
    std::string raw(1, burst[i]);
    if (i == 0 && faults_.parityError) raw = kParityMark + raw;
    out_.push_back({start + (i + 1) * CharacterTime(), raw});
  }
  if (!burst.empty()) outFree_ = out_.back().time;
}

void SimRadio::SendBreak(double now) {
  RunUntil(now);
  const double at = std::max(now, outFree_) + CharacterTime();
  out_.push_back({at, kBreakMark});
  outFree_ = at;
}

std::vector<std::string> SimRadio::CommandTexts() const {
  std::vector<std::string> texts;
  for (const auto& c : log_) texts.push_back(c.text);
  return texts;
}

}  // namespace qd::sim
