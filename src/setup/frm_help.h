// The About box frmHelp as data: the program's title, version and credits and
// an OK button that closes it.
#pragma once

#include "controls/controls.h"
#include "controls/form.h"

namespace qd {

struct frmHelp : Form {
  frmHelp();

  Label lblTitle;    // the program title
  Label lblVersion;  // "Version 0.971"
  Label lblCredits;
  Button cmdOK;
};

// Calls the visitor for every control of the dialog.
void VisitControls(frmHelp& form, ControlVisitor& visitor);

}  // namespace qd
