// Bringing the radio to a wanted frequency, mode or AGC in the form its
// firmware type understands: direct values (type 2) or counted step characters.
#pragma once

#include <string>

#include "program.h"

namespace qd {

void SetFreq(Program& p, const std::string& digits);         // seven digits, else nothing
void SetAgc(Program& p, const std::string& code);            // "A1".."A4"
std::string ModeSteps(Program& p, const std::string& code);  // "M1".."M4"
void SetMode(Program& p, const std::string& code);           // "M1".."M4"
void RestoreSideTone(Program& p, const std::string& saved);

}  // namespace qd
