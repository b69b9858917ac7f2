// GetCommPorts: which of the serial ports 1..16 are present (can be opened now),
// and the port list of the setup dialogs built from it.
#pragma once

#include <vector>

#include "controls/controls.h"
#include "program.h"

namespace qd {

// Present port numbers, lowest first. Asks p.portPresent, which never keeps a
// port open; a port held open (by this program too) is not present.
std::vector<int> GetCommPorts(Program& p);

// Fills a setup dialog's port list: the present ports as items of
// cmbSelectPort and as "2, 10, " in txtFound, or "No Ports" when there are none.
void FillPortList(Program& p, ComboBox& cmbSelectPort, TextBox& txtFound);

}  // namespace qd
