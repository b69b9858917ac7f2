#include "link/shutdown.h"

#include "link/send.h"
#include "platform/errors.h"
#include "platform/text_file.h"
#include "setup/ini_file.h"

namespace qd {

namespace {

bool TransmitterMayBeKeyed(const Program& p) {
  return p.link.SyncChar == "K" || p.status.TransmitterKeyed || p.main.TransmitOn ||
         p.link.TuneTimerOn;
}

}  // namespace

void form_queryUnload(Program& p) {
  // Released before anything that can fail, so no exit leaves the radio keyed.
  if (TransmitterMayBeKeyed(p)) {
    p.link.SyncChar = "U";
    if (p.MSComm1.IsOpen()) WriteRadioPort(p, "U");
  }

  frmQD6250& f = p.main;
  f.IniFileName = kIniFileName;
  try {
    WriteLines(f.IniFileName, IniFileLines(f));
  } catch (const RuntimeError&) {
    // A file error ends the handler here, silently; the system closes the ports.
    throw ProgramEnd{};
  }

  if (p.MSComm1.IsOpen()) {
    WriteRadioPort(p, "G00\n");
    WaitSeconds(p, kShutdownPauseSeconds);
    if (p.MSComm1.InBufferCount() > 0) p.MSComm1.Input();
    p.MSComm1.Close();
  }
  if (p.MSComm2.IsOpen()) p.MSComm2.Close();
  throw ProgramEnd{};
}

}  // namespace qd
