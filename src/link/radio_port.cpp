#include "link/radio_port.h"

#include <array>
#include <charconv>
#include <string_view>

#include "link/reply_reader.h"
#include "link/send.h"
#include "platform/errors.h"
#include "platform/port_paths.h"

namespace qd {

namespace {

constexpr double kReopenPauseSeconds = 0.5;
constexpr int kErrInvalidPortNumber = 8002;

// Handshake names as the port setup writes them; compared exactly. Software
// flow control is never applied: the radio's link carries no XON/XOFF.
struct HandshakeName {
  std::string_view name;
  Handshake handshake;
};
constexpr std::array<HandshakeName, 3> kHandshakes{{
    {"comRTS", Handshake::RtsCts},
    {"comXOnXOff", Handshake::None},
    {"comRTSXOnXOff", Handshake::RtsCts},
}};

Handshake HandshakeFor(const std::string& name) {
  for (const HandshakeName& h : kHandshakes)
    if (h.name == name) return h.handshake;
  return Handshake::None;
}

int PortNumberOf(const std::string& text) {
  std::size_t first = text.find_first_not_of(' ');
  std::size_t last = text.find_last_not_of(' ');
  if (first == std::string::npos) throw TypeMismatch();
  int n = 0;
  const char* begin = text.data() + first;
  const char* end = text.data() + last + 1;
  auto [ptr, ec] = std::from_chars(begin, end, n);
  if (ec != std::errc() || ptr != end) throw TypeMismatch();
  if (n < kLowestPortNumber || n > kHighestPortNumber)
    throw RuntimeError(kErrInvalidPortNumber, "Invalid port number");
  return n;
}

}  // namespace

bool SetUpRadioPort(Program& p) {
  SerialPort& port = p.MSComm1;
  const Handshake handshake = HandshakeFor(p.link.RadioHandshake);
  try {
    if (port.IsOpen()) {
      if (port.InBufferCount() > 0) port.Input();
      port.Close();
      WaitSeconds(p, kReopenPauseSeconds);
    }
    const int number = PortNumberOf(p.link.RadioPortNumber);
    if (!port.Open(number, p.link.RadioPortSettings, handshake)) {
      ShowInfoMessage(p, "Selected port did not open...");
      return false;
    }
    // Opening raises DTR and RTS; the radio expects RTS on and DTR left off.
    port.SetDtr(false);
    port.SetRts(true);
    port.SetReceiveThreshold(0);  // reception is polled
    port.FlushInput();
    return true;
  } catch (const RuntimeError&) {
    // A setting the port refuses: the caller decides what follows.
    return false;
  }
}

void MSComm1_OnComm(Program& p, int commEvent) {
  frmQD6250& f = p.main;
  CommFlags& flags = f.comm1;
  p.link.LastRadioEvent = commEvent;
  auto lineError = [&f](bool& flag) {
    flag = true;
    f.lblComStat.caption = "Com Error";
  };
  switch (commEvent) {
    case comm_event::kBreak:
      p.link.RadioBreakSeen = true;
      break;
    case comm_event::kFrame:
      lineError(flags.rxFrame);
      break;
    case comm_event::kOverrun:
      lineError(flags.rxOverrun);
      break;
    case comm_event::kRxOver:
      lineError(flags.rxOverflow);
      break;
    case comm_event::kRxParity:
      lineError(flags.rxParity);
      break;
    case comm_event::kTxFull:
      lineError(flags.txFull);
      break;
    case comm_event::kDcb:
      lineError(flags.dcbError);
      break;
    case comm_event::kCd:
      flags.evCd = p.MSComm1.CdHolding();
      break;
    case comm_event::kCts:
      flags.evCts = p.MSComm1.CtsHolding();
      break;
    case comm_event::kDsr:
      flags.evDsr = p.MSComm1.DsrHolding();
      f.ExtPttState = p.link.ExtPttEnabled ? flags.evDsr : true;
      break;
    case comm_event::kDeviceLost:
      // The port is gone and closed: no replies, and a key on its DSR line
      // can no longer be seen, so it counts as released.
      if (p.MSComm1.IsOpen()) p.MSComm1.Close();
      f.lblComStat.caption = "No Com";
      f.ExtPttState = true;
      ShowInfoMessage(p,
                      "Radio port lost. Check the cable, then reopen it from Setup, Port Setup.");
      break;
    default:
      break;
  }
}

}  // namespace qd
