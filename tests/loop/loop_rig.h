// The whole panel on the scenario fixture with the simulated radio, run from
// its load handler in a temporary working directory of its own (settings
// files, instance lock and port folder never meet another test's).
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sim/sim_radio.h"
#include "support/scenario.h"
#include "support/sim_peer.h"
#include "support/test_files.h"

namespace qd::test {

// A fresh working directory with XDG_RUNTIME_DIR and QD6250_PORT_DIR inside it.
class TempWorkDir : public TempCwd {
 public:
  TempWorkDir();
};

void WriteFile(const std::string& name, const std::vector<std::string>& lines);

// "PortSetup.txt" for port 1 at 9600 baud, with or without the external key.
void WritePortSetup(bool extPtt = false);

// An action on the port setup dialog (a combo pick carries its text).
Action PortSetupAction(const std::string& control, const std::string& event,
                       std::optional<std::string> text = std::nullopt);

struct LoopRig {
  explicit LoopRig(sim::SimOptions options = {}, double startTimeOfDay = kNoon);

  TempWorkDir dir;
  Scenario s;
  SimPeer sim;

  // Runs the program from its load handler until `until` holds at a yield or
  // `seconds` of virtual time have passed. True when the program ended itself.
  bool Run(double seconds, std::function<bool()> until = {});
  // Calls `action` once, at the first yield at or after `elapsed` (yields
  // come at least every 50 ms of an idle loop).
  void At(double elapsed, std::function<void()> action);

  // Calls `watch` at every yield (to note when something first happens).
  void OnYield(std::function<void()> watch) { watches_.push_back(std::move(watch)); }

  // Commands the radio read since an elapsed time, as their texts.
  std::vector<std::string> CommandsSince(double elapsed);

 private:
  struct Timed {
    double elapsed;
    std::function<void()> action;
  };
  std::vector<Timed> timed_;
  std::vector<std::function<void()>> watches_;
};

}  // namespace qd::test
