// gUpdateDisplay: the display pass that shows every changed status item and
// re-runs the transmit band guard.
#pragma once

#include "program.h"

namespace qd {

void gUpdateDisplay(Program& p);

}  // namespace qd
