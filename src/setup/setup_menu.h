// The Setup and Help menus of the main window: each entry disables the main
// window and shows its dialog modally from its own handler. RegisterSetupHandlers
// registers these menu handlers and every handler of frmPortSetup, frmCATSetup
// and frmHelp.
#pragma once

#include "program.h"

namespace qd {

// The help file, looked for in the working directory.
inline constexpr const char* kHelpFileName = "QD6250V0961.hlp";

void RegisterSetupHandlers(Program& p);

// Shows frmPortSetup; start-up calls this too when "PortSetup.txt" is missing.
void mnuPortSetup_Click(Program& p);
// Shows frmCATSetup, then reopens the CAT port if its setup was applied.
void mnuCATSetup_Click(Program& p);
// Shows the About box frmHelp.
void mnuHelpAbout_Click(Program& p);
// Opens the help file with the desktop's viewer, or says in txtInfo that it is missing.
void mnuHelpQD6250_Click(Program& p);

}  // namespace qd
