// The BFO offset and RF gain bars and the one-touch toggles the main loop
// serves (clipping, VOX, BFO, status refresh): each sends one short command.
#pragma once

#include <string>

#include "program.h"

namespace qd {

// vscBFO position 100 is no offset; each step is 10 Hz.
constexpr int kBfoCentre = 100;

// txtBFO shows the offset in hertz; raises the BFO offset request.
void vscBFO_Change(Program& p);
// txtRFG shows the gain in percent; raises the RF gain request.
void vscRFG_Change(Program& p);

void SendBfoOffset(Program& p);
void ToggleBfo(Program& p);
void SendRfGain(Program& p);
void ToggleVox(Program& p);
void ToggleClipping(Program& p);
void RefreshStatus(Program& p);

// "-050", "000", "500", "1000": the offset of a vscBFO position.
std::string BfoOffsetText(int position);
// "000".."100": the shown gain of a vscRFG position.
std::string RfGainText(int position);

}  // namespace qd
