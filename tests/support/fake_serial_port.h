// A serial port in virtual time for scenario tests. What the program writes
// goes to an attached peer (the simulated radio, a scripted CAT client) and to
// the wire log; what comes back arrives at virtual times, as raw line bytes
// run through the same PARMRK decoder as the real port, so a peer can send a
// byte with a parity error ("\377\0X") or a break ("\377\0\0"). Events and
// modem-line changes can be injected.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "platform/parmrk_decoder.h"
#include "platform/serial_port.h"
#include "support/virtual_clock.h"

namespace qd::test {

// The other end of a FakeSerialPort.
class PortPeer {
 public:
  virtual ~PortPeer() = default;
  // The program wrote these bytes at absolute virtual time `now`.
  virtual void OnWrite(std::string_view bytes, double now) = 0;
  // Earliest absolute time at which the peer has bytes for the program.
  virtual std::optional<double> NextArrival() = 0;
  // Raw line bytes due at or before `upTo`, in order.
  virtual std::string TakeArrivals(double upTo) = 0;
};

struct WireEntry {
  double time;       // absolute virtual time
  bool fromProgram;  // true: written by the program; false: received by it
  std::string bytes;
};

class FakeSerialPort : public SerialPort {
 public:
  explicit FakeSerialPort(VirtualClock& clock) : clock_(clock) {}

  // --- test controls
  void AttachPeer(PortPeer* peer) { peer_ = peer; }
  // Port numbers that open (default: every one).
  void SetOpenablePorts(std::set<int> ports) { openable_ = std::move(ports); }
  // Raw bytes arriving at an absolute time.
  void Arrive(double time, std::string raw);
  void ArriveNow(std::string raw) { Arrive(clock_.Now(), std::move(raw)); }
  // A port event (line error, break) at an absolute time.
  void InjectEvent(double time, int code);
  // A modem input line ('C' CD, 'T' CTS, 'D' DSR) changing at a time; queues its event.
  void SetLine(char line, bool level, double time);
  // While stuck, written bytes stay in the output buffer.
  void SetOutputStuck(bool stuck) { stuck_ = stuck; }

  const std::vector<WireEntry>& Wire() const { return wire_; }
  // Everything the program wrote, joined.
  std::string Sent() const;
  // The program's writes as separate pieces.
  std::vector<std::string> Writes() const;
  void ClearWire() { wire_.clear(); }
  bool Dtr() const { return dtr_; }
  bool Rts() const { return rts_; }
  int openCount = 0;
  int closeCount = 0;

  // --- SerialPort
  bool Open(int portNumber, const std::string& settings, Handshake handshake) override;
  void Close() override;
  bool IsOpen() const override { return open_; }
  int PortNumber() const override { return port_; }
  std::string Settings() const override { return settings_; }
  Handshake GetHandshake() const override { return handshake_; }
  std::string LastError() const override { return lastError_; }
  std::size_t InBufferCount() override;
  std::size_t OutBufferCount() override;
  std::string Input() override;
  void Output(std::string_view bytes) override;
  void FlushInput() override;
  void SetRts(bool on) override { rts_ = on; }
  void SetDtr(bool on) override { dtr_ = on; }
  bool CdHolding() override;
  bool CtsHolding() override;
  bool DsrHolding() override;
  void SetReceiveThreshold(int n) override { threshold_ = n; }
  std::optional<PortEvent> TakeEvent() override;
  std::size_t WaitForInput(double timeoutSeconds, std::size_t beyond = 0) override;
  void Service() override { Deliver(); }
  int PollFd() const override { return -1; }
  bool WantsWrite() const override { return false; }

  // Earliest absolute time something (bytes, event, line change) is due.
  std::optional<double> NextDue();

 private:
  struct Timed {
    double time;
    std::string raw;
  };
  struct TimedEvent {
    double time;
    int code;
    char line;  // 0 for a plain event
    bool level;
  };
  void Deliver();  // moves everything due by now into the buffer / event queue
  void Receive(const std::string& raw);

  VirtualClock& clock_;
  PortPeer* peer_ = nullptr;
  std::optional<std::set<int>> openable_;
  bool open_ = false;
  int port_ = 0;
  std::string settings_;
  Handshake handshake_ = Handshake::None;
  std::string lastError_;
  std::vector<Timed> arrivals_;
  std::vector<TimedEvent> scheduled_;
  std::vector<PortEvent> events_;
  std::string in_;
  std::string out_;
  ParmrkDecoder decoder_;
  bool stuck_ = false;
  bool rts_ = false;
  bool dtr_ = false;
  bool cd_ = true;
  bool cts_ = true;
  bool dsr_ = true;
  int threshold_ = 0;
  bool receivePending_ = false;
  bool drainingClosed_ = false;  // Open() taking what arrived while closed
  std::vector<WireEntry> wire_;
};

}  // namespace qd::test
