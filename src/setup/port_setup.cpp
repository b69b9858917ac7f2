#include "setup/port_setup.h"

#include "setup/comm_ports.h"
#include "setup/handshake_options.h"
#include "setup/setting_text.h"
#include "setup/setup_file.h"

namespace qd {

// "PortSetup.txt": line 2 is the speed + ",O,7,1", line 4 the external PTT
// on DSR (1 | 0).
std::vector<std::string> PortSetupFileLines(const std::string& portText,
                                            const std::string& baudText,
                                            const std::string& handshakeName, bool extPtt) {
  return SetupFileLines(portText, baudText + ",O,7,1", handshakeName, extPtt ? "1" : "0",
                        "Line 4: External PTT Enable: Enabled =  1 ");
}

namespace port_setup {

namespace {

// The handshake the dialog stands for: the selected option, else the one in use.
std::string HandshakeName(Program& p) {
  return SelectedHandshakeName(p.portSetup.optHandShake, p.link.RadioHandshake);
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
  CloseSetupDialog(p, p.portSetup);
}

void cmdCancel_Click(Program& p) {
  CloseSetupDialog(p, p.portSetup);
}

void Form_Unload(Program& p) {
  CloseSetupDialog(p, p.portSetup);
}

void cmdSavePortSettings_Click(Program& p) {
  const frmPortSetup& f = p.portSetup;
  SaveSetupFile(p, kPortSetupFileName,
                PortSetupFileLines(Trimmed(f.cmbSelectPort.text), f.cmbSelectBaudRate.text,
                                   HandshakeName(p), f.chkExtPTTEna.value == 1));
}

void cmdLoadPortSettings_Click(Program& p) {
  const std::optional<std::vector<std::string>> lines = LoadSetupFile(p, kPortSetupFileName);
  if (!lines) return;
  // A short file leaves the fields of its missing lines as they are.
  frmPortSetup& f = p.portSetup;
  ApplyPortLines(*lines, f.cmbSelectPort, f.cmbSelectBaudRate, f.optHandShake);
  if (lines->size() > 3) f.chkExtPTTEna.value = LineValueIsOne((*lines)[3]) ? 1 : 0;
}

}  // namespace port_setup
}  // namespace qd
