// The radio's serial port MSComm1: opening it from the port settings
// (SetUpRadioPort) and acting on its events (line errors, break, modem lines).
#pragma once

#include "program.h"

namespace qd {

// (Re)opens the radio port from RadioPortNumber / RadioPortSettings / RadioHandshake.
bool SetUpRadioPort(Program& p);
// Handles one port event code of the radio port (comm_event numbers).
void MSComm1_OnComm(Program& p, int commEvent);

}  // namespace qd
