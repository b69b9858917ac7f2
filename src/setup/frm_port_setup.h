// The radio port setup dialog frmPortSetup as data: its controls with their
// designed captions and items. The handlers (port_setup.h) fill it, apply it to
// the link settings and read and write "PortSetup.txt".
#pragma once

#include <array>

#include "controls/controls.h"
#include "controls/form.h"

namespace qd {

struct frmPortSetup : Form {
  frmPortSetup();

  Label lblSelectPort;  // "Select Port"
  ComboBox cmbSelectPort;
  Label lblFound;  // "Available Ports"
  TextBox txtFound;
  Label lblSelectBaudRate;  // "Select Baud Rate"
  ComboBox cmbSelectBaudRate;
  Frame fraHandShake;  // "Handshake Mode"
  std::array<OptionButton, 4> optHandShake;
  CheckBox chkExtPTTEna;
  Button cmdApply;
  Button cmdCancel;
  Button cmdLoadPortSettings;
  Button cmdSavePortSettings;
  Label txtDefaultSettings;
  Label lable2;
};

// Calls the visitor for every control of the dialog.
void VisitControls(frmPortSetup& form, ControlVisitor& visitor);

}  // namespace qd
