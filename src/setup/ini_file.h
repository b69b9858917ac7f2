// "QD6250ini.txt": the main window's position (twips), the VFO B digits and
// mode, the split caption and the keyboard step size. Read at start-up,
// rewritten whole at shutdown.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "panel/frm_qd6250.h"

namespace qd {

inline constexpr const char* kIniFileName = "QD6250ini.txt";

// Tolerant numeric value: leading blanks, an optional sign, digits and one
// decimal point; whatever follows is ignored; no number at all gives 0.
double NumericValue(std::string_view text);

// Applies the file's lines to the window; missing lines leave it as designed.
//   1 left (twips)   2 top (twips)   3 cmdVFOB captions, used only when seven digits
//   4 cmbVFOBMode    5 lblSplit       6 cmbStepSize
void ApplyIniLines(frmQD6250& f, const std::vector<std::string>& lines);

// The six lines the file holds for the window as it is now.
std::vector<std::string> IniFileLines(const frmQD6250& f);

}  // namespace qd
