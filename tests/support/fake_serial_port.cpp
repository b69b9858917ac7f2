#include "support/fake_serial_port.h"

#include <algorithm>

#include "platform/errors.h"

namespace qd::test {

bool FakeSerialPort::Open(int portNumber, const std::string& settings, Handshake handshake) {
  if (!ParsePortSettings(settings))
    throw RuntimeError(kErrInvalidPropertyValue, "Invalid property value");
  if (openable_ && !openable_->count(portNumber)) {
    lastError_ = "no such port";
    return false;
  }
  // What the peer sent while the port was closed is lost, as on a real line.
  drainingClosed_ = true;
  Deliver();
  drainingClosed_ = false;
  port_ = portNumber;
  settings_ = settings;
  handshake_ = handshake;
  open_ = true;
  rts_ = dtr_ = true;  // as Linux raises both on open
  in_.clear();
  out_.clear();
  decoder_.Reset();
  ++openCount;
  return true;
}

void FakeSerialPort::Close() {
  if (open_) ++closeCount;
  open_ = false;
  in_.clear();
  out_.clear();
}

void FakeSerialPort::Arrive(double time, std::string raw) {
  arrivals_.push_back({time, std::move(raw)});
}

void FakeSerialPort::InjectEvent(double time, int code) {
  scheduled_.push_back({time, code, 0, false});
}

void FakeSerialPort::SetLine(char line, bool level, double time) {
  int code = line == 'C' ? comm_event::kCd : line == 'T' ? comm_event::kCts : comm_event::kDsr;
  scheduled_.push_back({time, code, line, level});
}

std::optional<double> FakeSerialPort::NextDue() {
  std::optional<double> next;
  auto consider = [&next](double t) {
    if (!next || t < *next) next = t;
  };
  for (const auto& a : arrivals_) consider(a.time);
  for (const auto& e : scheduled_) consider(e.time);
  if (peer_ && (open_ || drainingClosed_))
    if (auto t = peer_->NextArrival()) consider(*t);
  return next;
}

void FakeSerialPort::Receive(const std::string& raw) {
  if (raw.empty()) return;
  wire_.push_back({clock_.Now(), false, raw});
  if (!open_) return;
  auto settings = ParsePortSettings(settings_);
  ParmrkDecoder::Result r = decoder_.Feed(raw, settings && settings->dataBits == 7);
  in_ += r.data;
  if (r.breaks) events_.push_back({comm_event::kBreak});
  if (r.errors) events_.push_back({comm_event::kRxParity});
  if (threshold_ > 0 && static_cast<int>(in_.size()) >= threshold_ && !receivePending_) {
    events_.push_back({comm_event::kReceive});
    receivePending_ = true;
  }
}

void FakeSerialPort::Deliver() {
  const double now = clock_.Now();
  // Everything due, in time order across the three sources.
  while (true) {
    std::optional<double> next = NextDue();
    if (!next || *next > now) break;
    bool done = false;
    for (auto it = arrivals_.begin(); it != arrivals_.end() && !done; ++it)
      if (it->time <= *next) {
        std::string raw = std::move(it->raw);
        arrivals_.erase(it);
        Receive(raw);
        done = true;
      }
    for (auto it = scheduled_.begin(); it != scheduled_.end() && !done; ++it)
      if (it->time <= *next) {
        TimedEvent e = *it;
        scheduled_.erase(it);
        if (e.line == 'C') cd_ = e.level;
        if (e.line == 'T') cts_ = e.level;
        if (e.line == 'D') dsr_ = e.level;
        if (open_) events_.push_back({e.code});
        done = true;
      }
    if (!done && peer_ && (open_ || drainingClosed_)) {
      std::string raw = peer_->TakeArrivals(*next);
      if (raw.empty()) {
        // A peer's timer fired without output (the simulated radio deciding a
        // command is complete): go on if its next arrival moved later, or its
        // reply, already due, would wait for the next call.
        std::optional<double> later = peer_->NextArrival();
        if (!later || *later <= *next) break;  // a peer that promised nothing after all
        continue;
      }
      Receive(raw);
      done = true;
    }
    if (!done) break;
  }
}

std::size_t FakeSerialPort::InBufferCount() {
  Deliver();
  return in_.size();
}

std::size_t FakeSerialPort::OutBufferCount() {
  return out_.size();
}

std::string FakeSerialPort::Input() {
  Deliver();
  std::string s = std::move(in_);
  in_.clear();
  receivePending_ = false;
  return s;
}

void FakeSerialPort::Output(std::string_view bytes) {
  if (!open_) throw RuntimeError(8018, "Operation valid only when port is open");
  if (stuck_) {
    out_.append(bytes);
    return;
  }
  wire_.push_back({clock_.Now(), true, std::string(bytes)});
  if (peer_) peer_->OnWrite(bytes, clock_.Now());
}

void FakeSerialPort::FlushInput() {
  Deliver();
  in_.clear();
  receivePending_ = false;
}

bool FakeSerialPort::CdHolding() {
  Deliver();
  return cd_;
}
bool FakeSerialPort::CtsHolding() {
  Deliver();
  return cts_;
}
bool FakeSerialPort::DsrHolding() {
  Deliver();
  return dsr_;
}

std::optional<PortEvent> FakeSerialPort::TakeEvent() {
  Deliver();
  if (events_.empty()) return std::nullopt;
  PortEvent e = events_.front();
  events_.erase(events_.begin());
  return e;
}

std::size_t FakeSerialPort::WaitForInput(double timeoutSeconds, std::size_t beyond) {
  const double deadline = clock_.Now() + std::max(0.0, timeoutSeconds);
  while (true) {
    if (InBufferCount() > beyond) break;
    std::optional<double> next = NextDue();
    if (!next || *next > deadline) {
      clock_.AdvanceTo(deadline);
      break;
    }
    // Never stand still: something due now that brought no byte moves time on.
    clock_.AdvanceTo(*next > clock_.Now() ? *next : clock_.Now() + 1e-6);
  }
  return InBufferCount();
}

std::string FakeSerialPort::Sent() const {
  std::string s;
  for (const auto& w : wire_)
    if (w.fromProgram) s += w.bytes;
  return s;
}

std::vector<std::string> FakeSerialPort::Writes() const {
  std::vector<std::string> v;
  for (const auto& w : wire_)
    if (w.fromProgram) v.push_back(w.bytes);
  return v;
}

}  // namespace qd::test
