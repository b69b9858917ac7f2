#include "setup/cat_setup.h"

#include "link/reply_reader.h"
#include "platform/errors.h"
#include "platform/text_file.h"
#include "setup/comm_ports.h"
#include "setup/handshake_options.h"
#include "setup/setting_text.h"

namespace qd {

// "CATSetup.txt", CR LF lines; readers use lines 1 to 4 only:
//   1  port number                          4
//   2  speed + "," + character format       4800 ,N, 8, 1
//   3  handshake name                       comNone | comXonXoff | comRTS | comRTSXonXoff
//   4  emulated rig type                    Kenwood | Elecraft | FT-450
//   5-8 notes for a person editing the file
std::vector<std::string> CatSetupFileLines(const std::string& portText, const std::string& baudText,
                                           const std::string& bitsText,
                                           const std::string& handshakeName,
                                           const std::string& rigType) {
  return {portText,
          baudText + "," + bitsText,
          handshakeName,
          rigType,
          "Line 1: Port Number, COM1 = 1, COM2 = 2, etc..",
          "Line 2: Baud,Parity,Bits,Stop",
          "Line 3: comNone, comXonXoff, comRTS, comRTSXonXoff",
          "Line 4: RigType"};
}

namespace cat_setup {

namespace {

std::string HandshakeName(Program& p) {
  int i = SelectedOption(p.catSetup.optHandShake);
  if (i >= 0) return kHandshakeOptions[i].name;
  return p.cat.CatHandshake.empty() ? kHandshakeOptions[0].name : p.cat.CatHandshake;
}

void Close(Program& p) {
  p.catSetup.loaded = false;
  p.main.enabled = true;
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
  Close(p);
}

void cmdCancel_Click(Program& p) {
  p.cat.CatSetupChanged = false;
  Close(p);
}

void Form_Unload(Program& p) {
  Close(p);
}

void cmdSavePortSettings_Click(Program& p) {
  const frmCATSetup& f = p.catSetup;
  try {
    WriteLines(kCatSetupFileName,
               CatSetupFileLines(Trimmed(f.cmbSelectPort.text), f.cmbSelectBaudRate.text,
                                 f.cmbBits.text, HandshakeName(p), f.cmbRigType.text));
  } catch (const RuntimeError& e) {
    ShowInfoMessage(p, ErrorText(kCatSetupFileName, e));
  }
}

void cmdLoadPortSettings_Click(Program& p) {
  if (!FileExists(kCatSetupFileName)) {
    ShowInfoMessage(p, std::string(kCatSetupFileName) + " not found");
    return;
  }
  std::vector<std::string> lines;
  try {
    lines = ReadLines(kCatSetupFileName);
  } catch (const RuntimeError& e) {
    ShowInfoMessage(p, ErrorText(kCatSetupFileName, e));
    return;
  }
  // A short file, or a line 2 without its full format, leaves the missing
  // fields as they are.
  frmCATSetup& f = p.catSetup;
  if (lines.size() > 0 && !PortTextFromLine(lines[0]).empty())
    f.cmbSelectPort.text = PortTextFromLine(lines[0]);
  if (lines.size() > 1) {
    std::vector<std::string> parts = SplitSettings(lines[1]);
    if (!Trimmed(parts.front()).empty()) f.cmbSelectBaudRate.text = parts.front();
    if (!FormatText(parts).empty()) f.cmbBits.text = FormatText(parts);
  }
  if (lines.size() > 2) SelectOption(f.optHandShake, HandshakeIndexForName(Trimmed(lines[2])));
  if (lines.size() > 3 && !Trimmed(lines[3]).empty()) f.cmbRigType.text = Trimmed(lines[3]);
}

}  // namespace cat_setup
}  // namespace qd
