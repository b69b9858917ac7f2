// Designed state of the setup dialogs and the About box.
#include <string>
#include <vector>

#include "controls/control_init.h"
#include "link/link_state.h"
#include "setup/frm_cat_setup.h"
#include "setup/frm_help.h"
#include "setup/frm_port_setup.h"
#include "setup/handshake_options.h"

namespace qd {

namespace {

const std::vector<std::string> kBaudRates{"19200 ", "9600 ", "4800 ", "2400", "600", "300"};

template <typename Dialog>
void InitPortControls(Dialog& f, const char* foundCaption) {
  InitLabel(f.lblSelectPort, "lblSelectPort", "Select Port");
  Init(f.cmbSelectPort, "cmbSelectPort");
  InitLabel(f.lblFound, "lblFound", foundCaption);
  Init(f.txtFound, "txtFound");
  f.txtFound.locked = true;
  InitLabel(f.lblSelectBaudRate, "lblSelectBaudRate", "Select Baud Rate");
  InitCombo(f.cmbSelectBaudRate, "cmbSelectBaudRate", kBaudRates, "", kBaudRates.front());
  InitFrame(f.fraHandShake, "fraHandShake", "Handshake Mode");
  NameArray(f.optHandShake, "optHandShake");
  for (std::size_t i = 0; i < f.optHandShake.size(); ++i)
    f.optHandShake[i].caption = kHandshakeOptions[i].caption;
  SelectOption(f.optHandShake, 0);
  InitButton(f.cmdApply, "cmdApply", "Apply");
  InitButton(f.cmdCancel, "cmdCancel", "Cancel");
  InitButton(f.cmdLoadPortSettings, "cmdLoadPortSettings", "Load");
  InitButton(f.cmdSavePortSettings, "cmdSavePortSettings", "Save");
  InitLabel(f.lable2, "lable2", "Only Ports 1 through 16 are useable.");
}

// The port and speed rows both dialogs open with.
template <typename Dialog>
void VisitPortRows(Dialog& f, ControlVisitor& v) {
  v.Visit(f.lblSelectPort);
  v.Visit(f.cmbSelectPort);
  v.Visit(f.lblFound);
  v.Visit(f.txtFound);
  v.Visit(f.lblSelectBaudRate);
  v.Visit(f.cmbSelectBaudRate);
}

template <typename Dialog>
void VisitHandshake(Dialog& f, ControlVisitor& v) {
  v.Visit(f.fraHandShake);
  for (OptionButton& o : f.optHandShake) v.Visit(o);
}

template <typename Dialog>
void VisitButtons(Dialog& f, ControlVisitor& v) {
  v.Visit(f.cmdApply);
  v.Visit(f.cmdCancel);
  v.Visit(f.cmdLoadPortSettings);
  v.Visit(f.cmdSavePortSettings);
}

}  // namespace

frmPortSetup::frmPortSetup() {
  InitForm(*this, "frmPortSetup", "Port Setup", 420, 330);
  InitPortControls(*this, "Available Ports");
  InitCheck(chkExtPTTEna, "chkExtPTTEna", "Enable DSR as External PTT");
  InitLabel(txtDefaultSettings, "txtDefaultSettings",
            " Default Settings:  7 Data Bits, Odd Parity, 1 Stop Bit");
}

void VisitControls(frmPortSetup& f, ControlVisitor& v) {
  VisitPortRows(f, v);
  VisitHandshake(f, v);
  v.Visit(f.chkExtPTTEna);
  VisitButtons(f, v);
  v.Visit(f.txtDefaultSettings);
  v.Visit(f.lable2);
}

frmCATSetup::frmCATSetup() {
  InitForm(*this, "frmCATSetup", "CAT Setup", 420, 360);
  InitPortControls(*this, "Available Ports Found");
  InitLabel(lblBits, "lblBits", "Parity, Bits, Stops");
  InitCombo(cmbBits, "cmbBits", {"N, 8, 1", "O, 7, 1", "E, 7, 1"}, "", "N, 8, 1");
  InitLabel(lblRigType, "lblRigType", "Rig Type");
  InitCombo(cmbRigType, "cmbRigType", {"Kenwood", "Elecraft", "FT-450"}, "", "Kenwood");
}

void VisitControls(frmCATSetup& f, ControlVisitor& v) {
  VisitPortRows(f, v);
  v.Visit(f.lblBits);
  v.Visit(f.cmbBits);
  v.Visit(f.lblRigType);
  v.Visit(f.cmbRigType);
  VisitHandshake(f, v);
  VisitButtons(f, v);
  v.Visit(f.lable2);
}

frmHelp::frmHelp() {
  InitForm(*this, "frmHelp", "About QD-6250", 360, 220);
  InitLabel(lblTitle, "lblTitle", kProgramTitle);
  lblTitle.bold = true;
  InitLabel(lblVersion, "lblVersion", std::string("Version ") + kProgramVersion);
  InitLabel(lblCredits, "lblCredits",
            "Front panel for the QD-6250 HF transceiver under remote control, "
            "with a CAT port for station software.");
  InitButton(cmdOK, "cmdOK", "OK");
}

void VisitControls(frmHelp& f, ControlVisitor& v) {
  v.Visit(f.lblTitle);
  v.Visit(f.lblVersion);
  v.Visit(f.lblCredits);
  v.Visit(f.cmdOK);
}

}  // namespace qd
