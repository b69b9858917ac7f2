// Shutdown: the main window's query-unload handler, run for the close box,
// File > Exit and SIGINT/SIGTERM alike. Saves "QD6250ini.txt", leaves the
// radio at full RF gain, closes both ports and ends the program.
#pragma once

#include "program.h"

namespace qd {

// Never returns: throws ProgramEnd, which only main() catches.
[[noreturn]] void form_queryUnload(Program& p);

// The pause that lets the radio take "G00" before its port closes.
constexpr double kShutdownPauseSeconds = 0.3;

}  // namespace qd
