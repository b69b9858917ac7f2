// The wire trace of `qd6250 --trace FILE`: TracingSerialPort wraps a port and
// appends every byte sent and received, with the time of day to the ms and the
// port's label, to a WireTrace file shared by both ports. Line ends and other
// control bytes are made visible ("<LF>", "<CR>", "<1b>").
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/serial_port.h"

namespace qd {

// The trace file, opened for appending; throws SystemError when it cannot be.
class WireTrace {
 public:
  WireTrace(const std::string& path, Clock& clock);
  ~WireTrace();
  WireTrace(const WireTrace&) = delete;
  WireTrace& operator=(const WireTrace&) = delete;
  // One line: "12:34:56.789 RADIO TX F1420000<LF>".
  void Record(std::string_view label, std::string_view what, std::string_view bytes);

 private:
  std::FILE* file_;
  Clock& clock_;
};

// Bytes with control characters shown as <LF>, <CR> or <xx> hex.
std::string VisibleBytes(std::string_view bytes);

class TracingSerialPort : public SerialPort {
 public:
  TracingSerialPort(SerialPort& inner, WireTrace& trace, std::string label)
      : inner_(inner), trace_(trace), label_(std::move(label)) {}

  bool Open(int portNumber, const std::string& settings, Handshake handshake) override;
  void Close() override;
  bool IsOpen() const override { return inner_.IsOpen(); }
  int PortNumber() const override { return inner_.PortNumber(); }
  std::string Settings() const override { return inner_.Settings(); }
  Handshake GetHandshake() const override { return inner_.GetHandshake(); }
  std::string LastError() const override { return inner_.LastError(); }
  std::size_t InBufferCount() override { return inner_.InBufferCount(); }
  std::size_t OutBufferCount() override { return inner_.OutBufferCount(); }
  std::string Input() override;
  void Output(std::string_view bytes) override;
  void FlushInput() override { inner_.FlushInput(); }
  void SetRts(bool on) override { inner_.SetRts(on); }
  void SetDtr(bool on) override { inner_.SetDtr(on); }
  bool CdHolding() override { return inner_.CdHolding(); }
  bool CtsHolding() override { return inner_.CtsHolding(); }
  bool DsrHolding() override { return inner_.DsrHolding(); }
  void SetReceiveThreshold(int n) override { inner_.SetReceiveThreshold(n); }
  std::optional<PortEvent> TakeEvent() override;
  std::size_t WaitForInput(double timeoutSeconds, std::size_t beyond = 0) override {
    return inner_.WaitForInput(timeoutSeconds, beyond);
  }
  void Service() override { inner_.Service(); }
  int PollFd() const override { return inner_.PollFd(); }
  bool WantsWrite() const override { return inner_.WantsWrite(); }

 private:
  SerialPort& inner_;
  WireTrace& trace_;
  std::string label_;
};

}  // namespace qd
