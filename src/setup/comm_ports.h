// GetCommPorts: which of the serial ports 1..16 are present (can be opened now).
#pragma once

#include <vector>

#include "program.h"

namespace qd {

// Present port numbers, lowest first.
std::vector<int> GetCommPorts(Program& p);

}  // namespace qd
