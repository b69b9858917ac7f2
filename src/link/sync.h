// SyncTick: one sync step of the main loop: sends the sync character, reads the
// answer and turns it into the link and transmit indicators.
#pragma once

#include "program.h"

namespace qd {

void SyncTick(Program& p);

}  // namespace qd
