// The serial port on Linux termios: opens port n through the port folder (or any
// device path), decodes PARMRK-marked input, keeps its own input and output
// buffers, turns kernel line counters and modem-line changes into port events,
// and closes itself at once when the device goes away (USB adapter pulled).
#pragma once

#include <linux/serial.h>

#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "platform/parmrk_decoder.h"
#include "platform/serial_port.h"

namespace qd {

class PosixSerialPort : public SerialPort {
 public:
  PosixSerialPort() = default;
  ~PosixSerialPort() override;
  PosixSerialPort(const PosixSerialPort&) = delete;
  PosixSerialPort& operator=(const PosixSerialPort&) = delete;

  // Opens the device at `path`; `portNumber` is only the label PortNumber() returns.
  bool OpenPath(const std::string& path, int portNumber, const std::string& settings,
                Handshake handshake);

  bool Open(int portNumber, const std::string& settings, Handshake handshake) override;
  void Close() override;
  bool IsOpen() const override { return fd_ >= 0; }
  int PortNumber() const override { return portNumber_; }
  std::string Settings() const override { return settingsText_; }
  Handshake GetHandshake() const override { return handshake_; }
  std::string LastError() const override { return lastError_; }

  std::size_t InBufferCount() override;
  std::size_t OutBufferCount() override;
  std::string Input() override;
  void Output(std::string_view bytes) override;
  void FlushInput() override;

  void SetRts(bool on) override;
  void SetDtr(bool on) override;
  bool CdHolding() override;
  bool CtsHolding() override;
  bool DsrHolding() override;

  void SetReceiveThreshold(int n) override { threshold_ = n; }
  std::optional<PortEvent> TakeEvent() override;

  std::size_t WaitForInput(double timeoutSeconds, std::size_t beyond = 0) override;
  void Service() override;
  int PollFd() const override { return fd_; }
  bool WantsWrite() const override { return fd_ >= 0 && !out_.empty(); }

 private:
  bool Configure(const PortSettings& s, Handshake handshake);
  void ReadDevice();
  void WriteDevice();
  void CheckHangup();
  void CheckLines(bool readModem);
  void SetLine(int bit, bool on);
  void Lost(int err);
  void Queue(int code) { events_.push_back({code}); }
  void QueueReceiveIfDue();

  int fd_ = -1;
  int portNumber_ = 0;
  std::string settingsText_;
  PortSettings settings_;
  Handshake handshake_ = Handshake::None;
  std::string lastError_;

  std::string in_;
  std::string out_;
  ParmrkDecoder decoder_;
  std::deque<PortEvent> events_;
  int threshold_ = 0;
  bool receivePending_ = false;

  // Output lines as the program last set them; open() raises both.
  bool rts_ = true;
  bool dtr_ = true;

  // Kernel line counters and modem levels; a pty has neither (ENOTTY).
  std::optional<serial_icounter_struct> icount_;
  bool modemReadable_ = false;
  int modem_ = 0;  // TIOCM_* bits as last read
  double lastModemRead_ = 0;
};

}  // namespace qd
