// The CAT port MSComm2: opening it from the CAT settings, its receive and
// line events, and ServiceCatCommand, which answers station software.
#pragma once

#include "program.h"

namespace qd {

void SetUpCatPort(Program& p);
void MSComm2_OnComm(Program& p, int commEvent);
void ServiceCatCommand(Program& p);

}  // namespace qd
