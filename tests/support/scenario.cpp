#include "support/scenario.h"

#include <algorithm>

namespace qd::test {

Scenario::Scenario(ScenarioOptions options)
    : clock(options.startTimeOfDay), start(options.startTimeOfDay) {
  p.link.FirmwareType = options.firmwareType;
  p.link.RadioPortNumber = "1";
  p.link.RadioPortSettings = "9600,O,7,1";
  p.link.RadioHandshake = "comNone";
  if (options.openRadioPort) {
    radio.Open(1, p.link.RadioPortSettings, Handshake::None);
    radio.SetDtr(false);
  }
  windowing.SetNextDue([this]() -> std::optional<double> {
    std::optional<double> a = radio.NextDue();
    std::optional<double> b = cat.NextDue();
    if (a && b) return std::min(*a, *b);
    return a ? a : b;
  });
}

std::string Scenario::SentSince(double elapsed) const {
  std::string s;
  for (const WireEntry& w : radio.Wire())
    if (w.fromProgram && w.time - start >= elapsed) s += w.bytes;
  return s;
}

std::vector<WireEntry> Scenario::RadioWrites() const {
  std::vector<WireEntry> v;
  for (const WireEntry& w : radio.Wire())
    if (w.fromProgram) v.push_back({w.time - start, true, w.bytes});
  return v;
}

std::optional<double> Scenario::WhenSent(std::string_view bytes) const {
  for (const WireEntry& w : radio.Wire())
    if (w.fromProgram && w.bytes.find(bytes) != std::string::npos) return w.time - start;
  return std::nullopt;
}

std::string Visible(std::string_view bytes) {
  std::string s;
  for (char c : bytes) {
    if (c == '\n')
      s += "<LF>";
    else if (c == '\r')
      s += "<CR>";
    else
      s += c;
  }
  return s;
}

void ScriptedPeer::OnWrite(std::string_view bytes, double now) {
  for (const Rule& r : rules_)
    if (r.trigger.empty() || r.trigger == bytes) {
      pending_.push_back({now + r.delay, r.reply});
      return;
    }
}

std::optional<double> ScriptedPeer::NextArrival() {
  std::optional<double> next;
  for (const Pending& p : pending_)
    if (!next || p.time < *next) next = p.time;
  return next;
}

std::string ScriptedPeer::TakeArrivals(double upTo) {
  std::stable_sort(pending_.begin(), pending_.end(),
                   [](const Pending& a, const Pending& b) { return a.time < b.time; });
  std::string out;
  auto it = pending_.begin();
  for (; it != pending_.end() && it->time <= upTo; ++it) out += it->raw;
  pending_.erase(pending_.begin(), it);
  return out;
}

}  // namespace qd::test
