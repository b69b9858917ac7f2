#include "cat/cat_port.h"

#include <cctype>
#include <string>

#include "link/reply_reader.h"
#include "link/send.h"
#include "platform/errors.h"
#include "platform/port_paths.h"

namespace qd {

namespace {

// Settle time after a receive event, so a command's last bytes are in.
constexpr double kCatReceiveSettleSeconds = 0.015;

// Exact, case-sensitive names; software flow control is never used.
Handshake CatHandshakeFor(const std::string& name) {
  return name == "comRTS" || name == "comRTSXOnXOff" ? Handshake::RtsCts : Handshake::None;
}

// The port number as an integer (leading blanks and trailing junk ignored), or 0.
int CatPortNumberValue(const std::string& text) {
  std::size_t i = text.find_first_not_of(' ');
  int n = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) &&
         n <= kHighestPortNumber;
       ++i)
    n = n * 10 + (text[i] - '0');
  return n >= kLowestPortNumber && n <= kHighestPortNumber ? n : 0;
}

void ShowNoCatPort(Program& p) {
  p.main.txtInCat.text = kNoCatPort;
  p.main.txtOutCAT.text = kNoCatPort;
}

// Keeps at most kCatBufferLimit characters, dropping the oldest, and starts
// the kept text at a command boundary so no command is served from its middle.
void BoundCatBuffer(std::string& buffer) {
  if (buffer.size() <= kCatBufferLimit) return;
  const std::size_t cut = buffer.size() - kCatBufferLimit;
  const std::size_t boundary = buffer.find(';', cut - 1);
  buffer.erase(0, boundary == std::string::npos ? buffer.size() : boundary + 1);
}

void CatDataReceived(Program& p) {
  WaitSeconds(p, kCatReceiveSettleSeconds);
  // Text not yet served stays in front: a second event before the main loop
  // came round, or the first piece of a command cut between two events.
  std::string& buffer = p.cat.CatBuffer;
  buffer += p.MSComm2.Input();
  BoundCatBuffer(buffer);
  p.main.txtInCat.text = buffer;
  p.cat.CatCommandPending = true;
  // While a command is cut, its rest raises an event however short it is.
  const bool terminated = buffer.empty() || buffer.back() == ';';
  p.MSComm2.SetReceiveThreshold(terminated ? kCatReceiveThreshold : 1);
}

void ShowCom2Error(Program& p, bool& flag) {
  flag = true;
  p.main.lblComStat.caption = "Com2 Error";
}

}  // namespace

void SetUpCatPort(Program& p) {
  SerialPort& port = p.MSComm2;
  const Handshake handshake = CatHandshakeFor(p.cat.CatHandshake);
  if (port.IsOpen()) port.Close();
  // Text of the old port must not join the new port's first command.
  p.cat.CatBuffer.clear();
  p.cat.CatCommandPending = false;
  p.cat.CatSetupChanged = false;

  const int number = CatPortNumberValue(p.cat.CatPortNumber);
  bool opened = false;
  if (number != 0) {
    try {
      opened = port.Open(number, p.cat.CatPortSettings, handshake);
    } catch (const RuntimeError& e) {
      ShowInfoMessage(p, ErrorText("SetUpCatPort", e));
    }
  }
  if (!opened) {
    ShowNoCatPort(p);
    return;
  }
  port.SetRts(true);
  port.SetDtr(false);
  port.FlushInput();
  port.SetReceiveThreshold(kCatReceiveThreshold);
  if (p.main.txtInCat.text == kNoCatPort) p.main.txtInCat.text.clear();
  if (p.main.txtOutCAT.text == kNoCatPort) p.main.txtOutCAT.text.clear();
}

void MSComm2_OnComm(Program& p, int commEvent) {
  CommFlags& flags = p.main.comm2;
  switch (commEvent) {
    case comm_event::kReceive:
      CatDataReceived(p);
      break;
    case comm_event::kBreak:
      p.cat.CatBreakSeen = true;
      break;
    case comm_event::kFrame:
      ShowCom2Error(p, flags.rxFrame);
      break;
    case comm_event::kOverrun:
      ShowCom2Error(p, flags.rxOverrun);
      break;
    case comm_event::kRxOver:
      ShowCom2Error(p, flags.rxOverflow);
      break;
    case comm_event::kRxParity:
      ShowCom2Error(p, flags.rxParity);
      break;
    case comm_event::kTxFull:
      ShowCom2Error(p, flags.txFull);
      break;
    case comm_event::kDcb:
      ShowCom2Error(p, flags.dcbError);
      break;
    case comm_event::kCd:
      flags.evCd = true;
      break;
    case comm_event::kCts:
      flags.evCts = true;
      break;
    case comm_event::kDsr:
      flags.evDsr = true;
      break;
    case comm_event::kDeviceLost:
      // The port layer has closed it; say so where the CAT traffic shows.
      ShowNoCatPort(p);
      break;
    default:  // ring, end of file
      break;
  }
}

}  // namespace qd
