// Behaviour of the radio port setup dialog frmPortSetup and its file
// "PortSetup.txt": filling the dialog from the open radio port, Load, Save,
// Apply (hands the choice to the link; the main loop reopens the port) and Cancel.
#pragma once

#include <string>
#include <vector>

#include "program.h"

namespace qd {

inline constexpr const char* kPortSetupFileName = "PortSetup.txt";

// The file's eight lines for these choices.
std::vector<std::string> PortSetupFileLines(const std::string& portText,
                                            const std::string& baudText,
                                            const std::string& handshakeName, bool extPtt);

namespace port_setup {

// Designed state, then the port list and the radio port's present settings.
void Form_Load(Program& p);
void cmdApply_Click(Program& p);
void cmdCancel_Click(Program& p);
void cmdLoadPortSettings_Click(Program& p);
void cmdSavePortSettings_Click(Program& p);
// Closing the window: as Cancel.
void Form_Unload(Program& p);

}  // namespace port_setup
}  // namespace qd
