// The CAT port setup dialog frmCATSetup as data: the radio port dialog's
// controls without the external PTT box, plus the character format and the
// emulated rig type. The handlers (cat_setup.h) fill it, apply it to the CAT
// settings and read and write "CATSetup.txt".
#pragma once

#include <array>

#include "controls/controls.h"
#include "controls/form.h"

namespace qd {

struct frmCATSetup : Form {
  frmCATSetup();

  Label lblSelectPort;  // "Select Port"
  ComboBox cmbSelectPort;
  Label lblFound;  // "Available Ports Found"
  TextBox txtFound;
  Label lblSelectBaudRate;  // "Select Baud Rate"
  ComboBox cmbSelectBaudRate;
  Label lblBits;  // "Parity, Bits, Stops"
  ComboBox cmbBits;
  Label lblRigType;  // "Rig Type"
  ComboBox cmbRigType;
  Frame fraHandShake;  // "Handshake Mode"
  std::array<OptionButton, 4> optHandShake;
  Button cmdApply;
  Button cmdCancel;
  Button cmdLoadPortSettings;
  Button cmdSavePortSettings;
  Label lable2;
};

// Calls the visitor for every control of the dialog.
void VisitControls(frmCATSetup& form, ControlVisitor& visitor);

}  // namespace qd
