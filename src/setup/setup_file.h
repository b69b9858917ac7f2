// What both port setup dialogs share: the layout of their files
// ("PortSetup.txt", "CATSetup.txt"), Load and Save with failures shown in the
// info box, and the port, speed and handshake fields the files fill.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "controls/controls.h"
#include "controls/form.h"
#include "program.h"

namespace qd {

using HandshakeGroup = std::array<OptionButton, 4>;

// A setup file's eight lines: port, settings, handshake name and a fourth
// value, then notes for a person editing the file (`line4Note` the last).
std::vector<std::string> SetupFileLines(const std::string& portText, const std::string& settings,
                                        const std::string& handshakeName, const std::string& line4,
                                        const std::string& line4Note);

// Writes the file; a failure is shown in the info box.
void SaveSetupFile(Program& p, const char* fileName, const std::vector<std::string>& lines);

// The file's lines; a missing or unreadable file is shown in the info box
// and gives nothing.
std::optional<std::vector<std::string>> LoadSetupFile(Program& p, const char* fileName);

// The handshake a dialog stands for: the selected option, else `inUse`, else
// the first option's.
std::string SelectedHandshakeName(const HandshakeGroup& options, const std::string& inUse);

// Lines 1 to 3 into the port, speed and handshake fields. A short file, or
// an empty port or speed, leaves that field as it is.
void ApplyPortLines(const std::vector<std::string>& lines, ComboBox& port, ComboBox& baud,
                    HandshakeGroup& handshake);

// Closes a setup dialog and gives the main window back.
void CloseSetupDialog(Program& p, Form& dialog);

}  // namespace qd
