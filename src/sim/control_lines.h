// Control lines that change the simulated radio while it runs, as a person
// at its front panel (or a black-box test) would: "local", "remote",
// "freq 0712500", "mode 3", "silent on", "fault on", ... One line at a time.
#pragma once

#include <string>
#include <string_view>

#include "sim/sim_radio.h"

namespace qd::sim {

struct ControlResult {
  bool ok = true;
  bool quit = false;
  std::string message;  // what to tell the person; empty for a plain success
};

ControlResult ApplyControlLine(SimRadio& radio, std::string_view line, double now);

// The control lines understood, one per line.
std::string ControlHelp();

}  // namespace qd::sim
