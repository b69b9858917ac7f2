// The amplifier's power / operate state and tuning progress in the Amp frame;
// a "tuned" report ends an amplifier tune by unkeying the transmitter.
#pragma once

#include "program.h"

namespace qd {

void ShowAmpState(Program& p);
void ShowAmpTune(Program& p);

}  // namespace qd
