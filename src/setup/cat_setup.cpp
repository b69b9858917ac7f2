#include "setup/cat_setup.h"

#include "setup/comm_ports.h"
#include "setup/handshake_options.h"
#include "setup/setting_text.h"
#include "setup/setup_file.h"

namespace qd {

// "CATSetup.txt": line 2 carries the character format ("4800 ,N, 8, 1"),
// line 4 the emulated rig type (Kenwood | Elecraft | FT-450).
std::vector<std::string> CatSetupFileLines(const std::string& portText, const std::string& baudText,
                                           const std::string& bitsText,
                                           const std::string& handshakeName,
                                           const std::string& rigType) {
  return SetupFileLines(portText, baudText + "," + bitsText, handshakeName, rigType,
                        "Line 4: RigType");
}

namespace cat_setup {

namespace {

std::string HandshakeName(Program& p) {
  return SelectedHandshakeName(p.catSetup.optHandShake, p.cat.CatHandshake);
}

}  // namespace

void Form_Load(Program& p) {
  frmCATSetup& f = p.catSetup;
  f = frmCATSetup{};
  FillPortList(p, f.cmbSelectPort, f.txtFound);
  if (p.MSComm2.IsOpen()) {
    // The port we hold fails the probe, so it is added by hand.
    SelectOrAdd(f.cmbSelectPort, std::to_string(p.MSComm2.PortNumber()));
    std::vector<std::string> parts = SplitSettings(p.MSComm2.Settings());
    SelectOrAdd(f.cmbSelectBaudRate, parts.front());
    if (!FormatText(parts).empty()) SelectOrAdd(f.cmbBits, FormatText(parts));
    SelectOption(f.optHandShake, HandshakeIndexForCode(static_cast<int>(p.MSComm2.GetHandshake())));
  }
  // Show the rig type in use, so that a Save keeps it.
  if (!p.cat.CatRigType.empty()) f.cmbRigType.text = p.cat.CatRigType;
}

void cmdApply_Click(Program& p) {
  const frmCATSetup& f = p.catSetup;
  p.cat.CatPortSettings = f.cmbSelectBaudRate.text + "," + f.cmbBits.text;
  if (SelectedOption(f.optHandShake) >= 0) p.cat.CatHandshake = HandshakeName(p);
  p.cat.CatPortNumber = Trimmed(f.cmbSelectPort.text);
  p.cat.CatSetupChanged = true;
  CloseSetupDialog(p, p.catSetup);
}

void cmdCancel_Click(Program& p) {
  p.cat.CatSetupChanged = false;
  CloseSetupDialog(p, p.catSetup);
}

void Form_Unload(Program& p) {
  CloseSetupDialog(p, p.catSetup);
}

void cmdSavePortSettings_Click(Program& p) {
  const frmCATSetup& f = p.catSetup;
  SaveSetupFile(p, kCatSetupFileName,
                CatSetupFileLines(Trimmed(f.cmbSelectPort.text), f.cmbSelectBaudRate.text,
                                  f.cmbBits.text, HandshakeName(p), f.cmbRigType.text));
}

void cmdLoadPortSettings_Click(Program& p) {
  const std::optional<std::vector<std::string>> lines = LoadSetupFile(p, kCatSetupFileName);
  if (!lines) return;
  // A short file, or a line 2 without its full format, leaves the missing
  // fields as they are.
  frmCATSetup& f = p.catSetup;
  ApplyPortLines(*lines, f.cmbSelectPort, f.cmbSelectBaudRate, f.optHandShake);
  if (lines->size() > 1 && !FormatText(SplitSettings((*lines)[1])).empty())
    f.cmbBits.text = FormatText(SplitSettings((*lines)[1]));
  if (lines->size() > 3 && !Trimmed((*lines)[3]).empty()) f.cmbRigType.text = Trimmed((*lines)[3]);
}

}  // namespace cat_setup
}  // namespace qd
