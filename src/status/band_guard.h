// The transmit band guard: which frequencies may be transmitted on, the
// transmit controls that follow it, and the radio's push-to-talk enable.
#pragma once

#include <string>

#include "program.h"

namespace qd {

bool InBand(Program& p, const std::string& freqItem);
// Transmit controls, band indicator and the radio's push-to-talk enable follow
// inBand; transmit is enabled and the radio switched only in REMOTE.
void ApplyBandGuard(Program& p, bool inBand);
void SetPttEnable(Program& p, bool wanted);

// InBand for the VFO chosen for transmit (Freq, or VfoBFreq as the last display
// pass built it). A frequency report that was not well formed is out of band:
// its cut digits are not the radio's frequency. Fails as InBand fails.
bool TransmitFrequencyInBand(Program& p);

// ApplyBandGuard for the VFO chosen for transmit. A frequency that cannot be
// read blocks transmit, then its error is passed on to the caller.
void GuardTransmitFrequency(Program& p);

}  // namespace qd
