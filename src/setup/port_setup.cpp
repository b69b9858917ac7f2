#include "setup/port_setup.h"

#include "link/reply_reader.h"
#include "platform/errors.h"
#include "platform/text_file.h"
#include "setup/comm_ports.h"
#include "setup/handshake_options.h"
#include "setup/setting_text.h"

namespace qd {

// "PortSetup.txt", CR LF lines; readers use lines 1 to 4 only:
//   1  port number                 3
//   2  speed + ",O,7,1"            9600 ,O,7,1   (the speed items carry a blank)
//   3  handshake name              comNone | comXonXoff | comRTS | comRTSXonXoff
//   4  external PTT on DSR         1 | 0
//   5-8 notes for a person editing the file
std::vector<std::string> PortSetupFileLines(const std::string& portText,
                                            const std::string& baudText,
                                            const std::string& handshakeName, bool extPtt) {
  return {portText,
          baudText + ",O,7,1",
          handshakeName,
          extPtt ? "1" : "0",
          "Line 1: Port Number, COM1 = 1, COM2 = 2, etc..",
          "Line 2: Baud,Parity,Bits,Stop",
          "Line 3: comNone, comXonXoff, comRTS, comRTSXonXoff",
          "Line 4: External PTT Enable: Enabled =  1 "};
}

namespace port_setup {

namespace {

// The handshake the dialog stands for: the selected option, else the one in use.
std::string HandshakeName(Program& p) {
  int i = SelectedOption(p.portSetup.optHandShake);
  if (i >= 0) return kHandshakeOptions[i].name;
  return p.link.RadioHandshake.empty() ? kHandshakeOptions[0].name : p.link.RadioHandshake;
}

void Close(Program& p) {
  p.portSetup.loaded = false;
  p.main.enabled = true;
}

}  // namespace

void Form_Load(Program& p) {
  frmPortSetup& f = p.portSetup;
  f = frmPortSetup{};
  FillPortList(p, f.cmbSelectPort, f.txtFound);
  // The port we hold fails the probe, so it is added by hand.
  if (p.MSComm1.IsOpen()) SelectOrAdd(f.cmbSelectPort, std::to_string(p.MSComm1.PortNumber()));
  const std::string settings = p.MSComm1.IsOpen() ? p.MSComm1.Settings() : p.link.RadioPortSettings;
  if (!settings.empty()) f.cmbSelectBaudRate.text = SplitSettings(settings).front();
  SelectOption(f.optHandShake, HandshakeIndexForCode(static_cast<int>(p.MSComm1.GetHandshake())));
  if (p.link.ExtPttEnabled) f.chkExtPTTEna.value = 1;
}

void cmdApply_Click(Program& p) {
  const frmPortSetup& f = p.portSetup;
  p.link.RadioPortSettings = f.cmbSelectBaudRate.text + ",O,7,1";
  if (SelectedOption(f.optHandShake) >= 0) p.link.RadioHandshake = HandshakeName(p);
  p.link.RadioPortNumber = Trimmed(f.cmbSelectPort.text);
  p.link.PortSetupChanged = true;
  p.link.ExtPttEnabled = f.chkExtPTTEna.value == 1;
  // Without the external key its line reads as released, so a key held
  // while it was switched off cannot keep the transmitter on.
  if (!p.link.ExtPttEnabled) p.main.ExtPttState = true;
  Close(p);
}

void cmdCancel_Click(Program& p) {
  Close(p);
}

void Form_Unload(Program& p) {
  Close(p);
}

void cmdSavePortSettings_Click(Program& p) {
  const frmPortSetup& f = p.portSetup;
  try {
    WriteLines(kPortSetupFileName,
               PortSetupFileLines(Trimmed(f.cmbSelectPort.text), f.cmbSelectBaudRate.text,
                                  HandshakeName(p), f.chkExtPTTEna.value == 1));
  } catch (const RuntimeError& e) {
    ShowInfoMessage(p, ErrorText(kPortSetupFileName, e));
  }
}

void cmdLoadPortSettings_Click(Program& p) {
  if (!FileExists(kPortSetupFileName)) {
    ShowInfoMessage(p, std::string(kPortSetupFileName) + " not found");
    return;
  }
  std::vector<std::string> lines;
  try {
    lines = ReadLines(kPortSetupFileName);
  } catch (const RuntimeError& e) {
    ShowInfoMessage(p, ErrorText(kPortSetupFileName, e));
    return;
  }
  // A short file leaves the fields of its missing lines as they are.
  frmPortSetup& f = p.portSetup;
  if (lines.size() > 3) f.chkExtPTTEna.value = LineValueIsOne(lines[3]) ? 1 : 0;
  if (lines.size() > 0 && !PortTextFromLine(lines[0]).empty())
    f.cmbSelectPort.text = PortTextFromLine(lines[0]);
  if (lines.size() > 1 && !Trimmed(SplitSettings(lines[1]).front()).empty())
    f.cmbSelectBaudRate.text = SplitSettings(lines[1]).front();
  if (lines.size() > 2) SelectOption(f.optHandShake, HandshakeIndexForName(Trimmed(lines[2])));
}

}  // namespace port_setup
}  // namespace qd
