// The CAT port MSComm2: opening it from the CAT settings, its receive and
// line events, and ServiceCatCommand, which answers station software. The
// receive handler only queues text; the main loop serves it later.
#pragma once

#include <cstddef>

#include "program.h"

namespace qd {

// A receive event once this many characters wait.
constexpr int kCatReceiveThreshold = 3;
// Most text kept waiting for ServiceCatCommand. A logger keeps polling while a
// modal dialog holds the main loop; beyond this the oldest whole commands go.
constexpr std::size_t kCatBufferLimit = 256;
// Shown in txtInCat and txtOutCAT when the CAT port cannot be used.
inline constexpr const char* kNoCatPort = "No CAT Port";

// (Re)opens the CAT port from CatPortNumber / CatPortSettings / CatHandshake.
void SetUpCatPort(Program& p);
// Handles one event code of the CAT port (comm_event numbers).
void MSComm2_OnComm(Program& p, int commEvent);
// Answers and carries out the complete commands waiting in CatBuffer.
void ServiceCatCommand(Program& p);

}  // namespace qd
