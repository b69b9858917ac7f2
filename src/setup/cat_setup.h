// Behaviour of the CAT port setup dialog frmCATSetup and its file
// "CATSetup.txt": filling the dialog from the open CAT port, Load, Save, Apply
// (raises CatSetupChanged; the menu handler reopens the port) and Cancel.
#pragma once

#include <string>
#include <vector>

#include "program.h"

namespace qd {

inline constexpr const char* kCatSetupFileName = "CATSetup.txt";

// The file's eight lines for these choices.
std::vector<std::string> CatSetupFileLines(const std::string& portText, const std::string& baudText,
                                           const std::string& bitsText,
                                           const std::string& handshakeName,
                                           const std::string& rigType);

namespace cat_setup {

// Designed state, then the port list and the CAT port's present settings.
void Form_Load(Program& p);
void cmdApply_Click(Program& p);
void cmdCancel_Click(Program& p);
void cmdLoadPortSettings_Click(Program& p);
void cmdSavePortSettings_Click(Program& p);
// Closing the window: unloads without touching the CAT settings.
void Form_Unload(Program& p);

}  // namespace cat_setup
}  // namespace qd
