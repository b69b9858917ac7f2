// The meters: a reading ("J") on pbMeter, the chosen quantity and its scale,
// and the commands that move the radio's meter selection.
#pragma once

#include <string>

#include "program.h"

namespace qd {

void gDisplayMeterData(Program& p, const std::string& message);
void ShowMeterSelect(Program& p);
void SelectMeter(Program& p);                        // serves the meter request flag
void SetMeter(Program& p, const std::string& code);  // "D1".."D6"

}  // namespace qd
