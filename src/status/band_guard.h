// The transmit band guard: which frequencies may be transmitted on, the
// transmit controls that follow it, and the radio's push-to-talk enable.
#pragma once

#include <string>

#include "program.h"

namespace qd {

bool InBand(Program& p, const std::string& freqItem);
void ApplyBandGuard(Program& p, bool inBand);
void SetPttEnable(Program& p, bool wanted);

}  // namespace qd
