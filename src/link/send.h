// Everything the panel sends to the radio: WaitSeconds (the pacing wait),
// SendCommand (one command, optional line feed and pause) and gSendSync (the
// sync character that doubles as the transmitter key).
#pragma once

#include <string>

#include "program.h"

namespace qd {

// Seconds of time of day since `startTimeOfDay`, corrected once for midnight.
double SecondsSince(Program& p, double startTimeOfDay);

// Returns after at least `seconds` of time of day have passed (midnight
// corrected). Sleeps; delivers no events.
void WaitSeconds(Program& p, double seconds);

// Writes one command to the radio port, waiting up to 10 x 0.01 s for the
// output buffer to drain first (else the command is dropped).
void SendCommand(Program& p, const std::string& command, bool addLineFeed, double pauseSeconds);

// Sends the sync character c when it changes between "U" and "K" or 2 s passed.
void gSendSync(Program& p, const std::string& c);

// Writes bytes straight to the radio port (not through SendCommand); write
// errors are ignored as SendCommand ignores them.
void WriteRadioPort(Program& p, const std::string& bytes);

}  // namespace qd
