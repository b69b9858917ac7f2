#include "platform/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/errors.h"
#include "platform/monotonic.h"
#include "platform/port_paths.h"

namespace qd {

namespace {

std::optional<speed_t> SpeedFor(int baud) {
  static constexpr std::pair<int, speed_t> kSpeeds[] = {
      {50, B50},       {75, B75},         {110, B110},       {134, B134},       {150, B150},
      {200, B200},     {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
      {2400, B2400},   {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
      {57600, B57600}, {115200, B115200}, {230400, B230400}, {460800, B460800}, {921600, B921600}};
  for (const auto& [b, s] : kSpeeds)
    if (b == baud) return s;
  return std::nullopt;
}

// Errors that mean the device itself is gone, not just this call failing.
bool DeviceGone(int err) {
  return err == EIO || err == ENODEV || err == ENXIO;
}

// How often the modem levels are read when no counter says they moved.
constexpr double kModemPollSeconds = 0.05;

// Modem lines a change of which is reported as an event (bit, event code).
constexpr std::pair<int, int> kWatchedLines[] = {{TIOCM_CTS, comm_event::kCts},
                                                 {TIOCM_DSR, comm_event::kDsr},
                                                 {TIOCM_CD, comm_event::kCd},
                                                 {TIOCM_RI, comm_event::kRing}};

// Kernel counter moves for each watched line, in kWatchedLines order.
std::array<bool, 4> LineCounterMoves(const serial_icounter_struct& was,
                                     const serial_icounter_struct& now) {
  return {now.cts != was.cts, now.dsr != was.dsr, now.dcd != was.dcd, now.rng != was.rng};
}

}  // namespace

PosixSerialPort::~PosixSerialPort() {
  Close();
}

bool PosixSerialPort::Open(int portNumber, const std::string& settings, Handshake handshake) {
  if (!ParsePortSettings(settings))
    throw RuntimeError(kErrInvalidPropertyValue, "Invalid property value");
  if (portNumber < kLowestPortNumber) {
    Close();
    lastError_ = "Invalid port number";
    return false;
  }
  return OpenPath(DevicePathForPort(portNumber), portNumber, settings, handshake);
}

bool PosixSerialPort::OpenPath(const std::string& path, int portNumber, const std::string& settings,
                               Handshake handshake) {
  std::optional<PortSettings> s = ParsePortSettings(settings);
  if (!s || !SpeedFor(s->baud))
    throw RuntimeError(kErrInvalidPropertyValue, "Invalid property value");
  Close();
  lastError_.clear();
  portNumber_ = portNumber;
  settingsText_ = settings;
  settings_ = *s;
  handshake_ = handshake;

  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int err = errno;
    lastError_ = path + ": " + std::strerror(err);
    if (err == EACCES) lastError_ += " (is this user in the dialout group?)";
    return false;
  }
  auto refuse = [&](const std::string& why) {
    ::close(fd);
    lastError_ = path + ": " + why;
    return false;
  };
  if (!isatty(fd)) return refuse("not a serial device");
  // flock also stops root and a second open within this process; TIOCEXCL
  // stops other programs that do not take the lock.
  if (flock(fd, LOCK_EX | LOCK_NB) != 0)
    return refuse(errno == EWOULDBLOCK ? "port in use" : std::strerror(errno));
  ioctl(fd, TIOCEXCL);
  fd_ = fd;
  if (!Configure(*s, handshake)) {
    ::close(fd_);
    fd_ = -1;
    lastError_ = path + ": " + lastError_;
    return false;
  }
  tcflush(fd_, TCIOFLUSH);
  in_.clear();
  out_.clear();
  decoder_.Reset();
  receivePending_ = false;

  // open() raised RTS and DTR; put back what the program last set.
  if (!rts_ && handshake_ != Handshake::RtsCts) SetLine(TIOCM_RTS, false);
  if (!dtr_) SetLine(TIOCM_DTR, false);

  serial_icounter_struct c{};
  if (ioctl(fd_, TIOCGICOUNT, &c) == 0)
    icount_ = c;
  else
    icount_.reset();
  modemReadable_ = ioctl(fd_, TIOCMGET, &modem_) == 0;
  lastModemRead_ = Monotonic();
  return fd_ >= 0;
}

bool PosixSerialPort::Configure(const PortSettings& s, Handshake handshake) {
  termios t{};
  // Built from zero: INPCK+PARMRK mark parity/framing errors and breaks in the
  // data; no IGNPAR/IGNBRK/BRKINT/ISTRIP; raw output; no echo or signals.
  t.c_iflag = INPCK | PARMRK;
  t.c_cflag = CREAD | CLOCAL | HUPCL | (s.dataBits == 7 ? CS7 : CS8);
  if (s.stopBits == 2) t.c_cflag |= CSTOPB;
  switch (s.parity) {
    case 'O':
      t.c_cflag |= PARENB | PARODD;
      break;
    case 'E':
      t.c_cflag |= PARENB;
      break;
    case 'M':
      t.c_cflag |= PARENB | CMSPAR | PARODD;
      break;
    case 'S':
      t.c_cflag |= PARENB | CMSPAR;
      break;
    default:
      break;
  }
  if (handshake == Handshake::RtsCts) t.c_cflag |= CRTSCTS;
  // VMIN=1 with O_NONBLOCK: no data is EAGAIN, and read() == 0 means hung up.
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;
  const speed_t speed = *SpeedFor(s.baud);
  cfsetispeed(&t, speed);
  cfsetospeed(&t, speed);
  // The C library reports EINVAL when the device changed nothing, as a pty
  // does when it already holds its forced 8N1 from our last open; the read-back
  // below is the judge.
  if (tcsetattr(fd_, TCSANOW, &t) != 0 && errno != EINVAL) {
    lastError_ = std::strerror(errno);
    return false;
  }
  // tcsetattr succeeds when any part was applied: read the settings back.
  termios r{};
  if (tcgetattr(fd_, &r) != 0) {
    lastError_ = std::strerror(errno);
    return false;
  }
  const tcflag_t lineMask = CSTOPB | CRTSCTS | CLOCAL | CREAD;
  const tcflag_t frameMask = CSIZE | PARENB;
  // A pseudo-terminal silently keeps 8 data bits and no parity; accept that.
  const bool frameOk =
      (r.c_cflag & frameMask) == (t.c_cflag & frameMask) || (r.c_cflag & frameMask) == CS8;
  const bool ok = cfgetospeed(&r) == speed && (r.c_cflag & lineMask) == (t.c_cflag & lineMask) &&
                  frameOk && (r.c_iflag & (INPCK | PARMRK)) == (INPCK | PARMRK);
  if (!ok) lastError_ = "the device refused the settings";
  return ok;
}

void PosixSerialPort::Close() {
  if (fd_ >= 0) {
    WriteDevice();  // what the device takes now; never blocks
    if (fd_ >= 0) ::close(fd_);
  }
  fd_ = -1;
  in_.clear();
  out_.clear();
  decoder_.Reset();
  receivePending_ = false;
  icount_.reset();
  modemReadable_ = false;
}

void PosixSerialPort::Lost(int err) {
  ::close(fd_);
  fd_ = -1;
  out_.clear();
  decoder_.Reset();
  icount_.reset();
  modemReadable_ = false;
  lastError_ = std::string("device lost: ") + (err ? std::strerror(err) : "hung up");
  Queue(comm_event::kDeviceLost);
}

void PosixSerialPort::ReadDevice() {
  char buf[4096];
  while (fd_ >= 0) {
    const ssize_t n = ::read(fd_, buf, sizeof buf);
    if (n > 0) {
      ParmrkDecoder::Result r =
          decoder_.Feed(std::string_view(buf, static_cast<size_t>(n)), settings_.dataBits == 7);
      in_ += r.data;
      // With kernel counters the marks' kind is read from them (a mark on a NUL
      // byte looks like a break); without, take the marks as they are.
      if (!icount_) {
        if (r.breaks) Queue(comm_event::kBreak);
        if (r.errors) Queue(comm_event::kRxParity);
      }
      QueueReceiveIfDue();
      continue;
    }
    if (n == 0) return Lost(0);  // VMIN=1: zero bytes only after a hangup
    if (errno == EINTR) continue;
    if (errno == EAGAIN) return;
    return Lost(errno);
  }
}

void PosixSerialPort::WriteDevice() {
  while (fd_ >= 0 && !out_.empty()) {
    const ssize_t n = ::write(fd_, out_.data(), out_.size());
    if (n > 0) {
      out_.erase(0, static_cast<size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return Lost(errno);
    return;
  }
}

void PosixSerialPort::CheckHangup() {
  pollfd p{fd_, POLLIN, 0};
  if (poll(&p, 1, 0) <= 0 || !(p.revents & (POLLHUP | POLLERR | POLLNVAL))) return;
  ReadDevice();  // keeps what arrived before the hangup
  if (fd_ >= 0) Lost(EIO);
}

void PosixSerialPort::CheckLines(bool readModem) {
  if (fd_ < 0) return;
  std::array<bool, 4> moved{};
  if (icount_) {
    serial_icounter_struct c{};
    if (ioctl(fd_, TIOCGICOUNT, &c) != 0) {
      if (DeviceGone(errno)) return Lost(errno);
    } else {
      const serial_icounter_struct& was = *icount_;
      if (c.frame != was.frame) Queue(comm_event::kFrame);
      if (c.overrun != was.overrun) Queue(comm_event::kOverrun);
      if (c.parity != was.parity) Queue(comm_event::kRxParity);
      if (c.brk != was.brk) Queue(comm_event::kBreak);
      if (c.buf_overrun != was.buf_overrun) Queue(comm_event::kRxOver);
      moved = LineCounterMoves(was, c);
      icount_ = c;
    }
  }
  // The counters are in memory; reading the levels may be a USB round trip,
  // so that happens when a counter moved, when asked, or at a moderate rate.
  const double now = Monotonic();
  const bool anyMoved = std::find(moved.begin(), moved.end(), true) != moved.end();
  if (!modemReadable_ || (!readModem && !anyMoved && now - lastModemRead_ < kModemPollSeconds))
    return;
  lastModemRead_ = now;
  int m = 0;
  if (ioctl(fd_, TIOCMGET, &m) != 0) {
    if (DeviceGone(errno)) Lost(errno);
    return;
  }
  // A counter catches a pulse shorter than our checks; a level change a line
  // whose driver does not count.
  for (size_t i = 0; i < std::size(kWatchedLines); ++i) {
    const auto [bit, code] = kWatchedLines[i];
    if (moved[i] || ((m ^ modem_) & bit)) Queue(code);
  }
  modem_ = m;
}

void PosixSerialPort::Service() {
  if (fd_ < 0) return;
  CheckHangup();
  ReadDevice();
  WriteDevice();
  CheckLines(false);
}

void PosixSerialPort::QueueReceiveIfDue() {
  if (threshold_ > 0 && in_.size() >= static_cast<size_t>(threshold_) && !receivePending_) {
    Queue(comm_event::kReceive);
    receivePending_ = true;
  }
}

std::size_t PosixSerialPort::InBufferCount() {
  Service();
  return in_.size();
}

std::size_t PosixSerialPort::OutBufferCount() {
  WriteDevice();
  int queued = 0;
  if (fd_ >= 0 && ioctl(fd_, TIOCOUTQ, &queued) != 0) queued = 0;
  return out_.size() + static_cast<size_t>(std::max(queued, 0));
}

std::string PosixSerialPort::Input() {
  Service();
  std::string s = std::move(in_);
  in_.clear();
  receivePending_ = false;
  return s;
}

void PosixSerialPort::Output(std::string_view bytes) {
  if (fd_ < 0) throw RuntimeError(kErrPortNotOpen, "Operation valid only when port is open");
  out_.append(bytes);
  WriteDevice();
}

void PosixSerialPort::FlushInput() {
  if (fd_ >= 0) tcflush(fd_, TCIFLUSH);
  in_.clear();
  decoder_.Reset();
  receivePending_ = false;
}

void PosixSerialPort::SetLine(int bit, bool on) {
  if (fd_ < 0) return;
  if (ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bit) != 0 && DeviceGone(errno)) Lost(errno);
}

void PosixSerialPort::SetRts(bool on) {
  rts_ = on;
  // Under RTS/CTS handshake the kernel owns RTS.
  if (handshake_ != Handshake::RtsCts) SetLine(TIOCM_RTS, on);
}

void PosixSerialPort::SetDtr(bool on) {
  dtr_ = on;
  SetLine(TIOCM_DTR, on);
}

bool PosixSerialPort::CdHolding() {
  CheckLines(true);
  return !modemReadable_ || (modem_ & TIOCM_CD);
}

bool PosixSerialPort::CtsHolding() {
  CheckLines(true);
  return !modemReadable_ || (modem_ & TIOCM_CTS);
}

bool PosixSerialPort::DsrHolding() {
  CheckLines(true);
  return !modemReadable_ || (modem_ & TIOCM_DSR);
}

std::optional<PortEvent> PosixSerialPort::TakeEvent() {
  Service();
  if (events_.empty()) return std::nullopt;
  PortEvent e = events_.front();
  events_.pop_front();
  return e;
}

std::size_t PosixSerialPort::WaitForInput(double timeoutSeconds, std::size_t beyond) {
  const double deadline = DeadlineAfter(timeoutSeconds);
  while (true) {
    Service();
    if (in_.size() > beyond) break;
    const double left = deadline - Monotonic();
    if (left <= 0) break;
    const int ms = PollMilliseconds(left);
    if (fd_ < 0) {
      poll(nullptr, 0, ms);  // a closed port still waits out its time
      continue;
    }
    pollfd p{fd_, static_cast<short>(POLLIN | (out_.empty() ? 0 : POLLOUT)), 0};
    poll(&p, 1, ms);
  }
  return in_.size();
}

}  // namespace qd
