// The serial port seam: what the panel needs of a communications port (polled
// buffered input with NULs dropped and parity errors as ":", counts, RTS/DTR,
// modem lines, a receive threshold, and a queue of port events taken on the
// program's own thread). PosixSerialPort implements it on termios; the tests'
// FakeSerialPort on virtual time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qd {

enum class Handshake { None = 0, RtsCts = 2 };

// Event codes, numbered as the communications control numbers its CommEvent.
namespace comm_event {
constexpr int kReceive = 2;
constexpr int kCts = 3;
constexpr int kDsr = 4;
constexpr int kCd = 5;
constexpr int kRing = 6;
constexpr int kEof = 7;
constexpr int kBreak = 1001;
constexpr int kFrame = 1004;
constexpr int kOverrun = 1006;
constexpr int kRxOver = 1008;
constexpr int kRxParity = 1009;
constexpr int kTxFull = 1010;
constexpr int kDcb = 1011;
// Our own: the device went away (USB adapter pulled); the port is closed.
constexpr int kDeviceLost = 1100;
}  // namespace comm_event

struct PortEvent {
  int code = 0;
};

// "<baud>,<parity N|O|E|M|S>,<data bits 7|8>,<stop bits 1|2>", spaces around parts allowed.
struct PortSettings {
  int baud = 9600;
  char parity = 'N';
  int dataBits = 8;
  int stopBits = 1;
};
std::optional<PortSettings> ParsePortSettings(std::string_view text);

// Error number and text for a settings string the port refuses.
constexpr int kErrInvalidPropertyValue = 380;
// Output on a port that is not open (or whose device went away).
constexpr int kErrPortNotOpen = 8018;

class SerialPort {
 public:
  virtual ~SerialPort() = default;

  // Opens port number n (1..16). Throws RuntimeError(380, "Invalid property value")
  // for a settings text it cannot use; returns false when the device does not open
  // (missing, busy, refused); LastError() then says why.
  virtual bool Open(int portNumber, const std::string& settings, Handshake handshake) = 0;
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  virtual int PortNumber() const = 0;
  virtual std::string Settings() const = 0;
  virtual Handshake GetHandshake() const = 0;
  virtual std::string LastError() const = 0;

  // Received bytes waiting (after decoding). Takes what the device holds first.
  virtual std::size_t InBufferCount() = 0;
  // Bytes written but not yet sent.
  virtual std::size_t OutBufferCount() = 0;
  // All pending received bytes; the receive buffer is empty afterwards.
  virtual std::string Input() = 0;
  // Queues bytes for sending and sends what the device takes now. Throws
  // RuntimeError when the port is not open.
  virtual void Output(std::string_view bytes) = 0;
  virtual void FlushInput() = 0;

  virtual void SetRts(bool on) = 0;
  virtual void SetDtr(bool on) = 0;
  // Modem input lines; a line that cannot be read reads as asserted.
  virtual bool CdHolding() = 0;
  virtual bool CtsHolding() = 0;
  virtual bool DsrHolding() = 0;

  // A kReceive event is queued once at least n bytes wait (0: no receive events).
  virtual void SetReceiveThreshold(int n) = 0;
  // Next queued port event, if any.
  virtual std::optional<PortEvent> TakeEvent() = 0;

  // Sleeps until more than `beyond` received bytes wait or the timeout passes;
  // returns InBufferCount(). Never spins.
  virtual std::size_t WaitForInput(double timeoutSeconds, std::size_t beyond = 0) = 0;
  // Moves bytes without waiting: takes device input, writes queued output,
  // notices line changes and a vanished device.
  virtual void Service() = 0;
  // A descriptor to wait on for input (and for output while WantsWrite()), or -1.
  virtual int PollFd() const = 0;
  virtual bool WantsWrite() const = 0;
};

}  // namespace qd
