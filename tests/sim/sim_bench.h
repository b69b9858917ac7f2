// A small bench for the simulated radio's tests: say bytes to it at a time,
// collect what it answers, cut answers into messages.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sim/sim_radio.h"

namespace qd::sim {

struct Bench {
  explicit Bench(SimOptions options = {}) : radio(std::move(options)) {}

  // Writes bytes at the bench time, lets `wait` seconds pass, returns what arrived.
  std::string Say(std::string_view bytes, double wait = 0.5) {
    radio.Receive(bytes, t);
    return Wait(wait);
  }
  std::string Wait(double seconds) {
    t += seconds;
    return radio.TakeOutput(t);
  }

  SimRadio radio;
  double t = 1000.0;
};

// Messages of a burst without their line feeds; a tail without one is dropped.
std::vector<std::string> Messages(std::string_view raw);

// The burst without its meter readings ("J" messages).
std::string NoMeter(std::string_view raw);

// The code part of each message of a status report ("F", "QT", "#", ...).
std::vector<std::string> Codes(std::string_view raw);

}  // namespace qd::sim
