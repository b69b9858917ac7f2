// A scenario with the CAT port open and its event handler registered, plus a
// scripted logger on the port's other end: it writes commands at virtual
// times and reads the answers from the wire log. Pass() does what one main
// loop pass does for the CAT port: yield, then serve a pending CAT request.
#pragma once

#include <string>
#include <vector>

#include "cat/cat_port.h"
#include "link/events.h"
#include "link/reply_reader.h"
#include "link/send.h"
#include "support/scenario.h"
#include "support/sim_peer.h"

namespace qd::test {

constexpr int kCatPort = 2;

struct CatScenario : Scenario {
  explicit CatScenario(ScenarioOptions options = {}) : Scenario(options) {
    OnAction(p, "MSComm2", "OnComm",
             [](Program& prog, const Action& a) { MSComm2_OnComm(prog, a.value); });
    p.cat.CatPortNumber = std::to_string(kCatPort);
    p.cat.CatPortSettings = "4800,N, 8, 1";
    p.cat.CatHandshake = "comNone";
    SetUpCatPort(p);
  }

  // The logger writes bytes now.
  void LoggerSends(std::string bytes) { cat.ArriveNow(std::move(bytes)); }

  // One main-loop pass: port events are delivered at the yield, then the
  // CAT request is served.
  void Pass() {
    DoEvents(p, 0);
    if (p.cat.CatCommandPending) ServiceCatCommand(p);
  }

  // Everything the program wrote to the logger so far, joined.
  std::string Answers() const { return cat.Sent(); }

  // The logger sends a command and the main loop comes round once.
  std::string Exchange(std::string bytes) {
    const std::size_t before = Answers().size();
    LoggerSends(std::move(bytes));
    Pass();
    return Answers().substr(before);
  }

  void RadioReports(vocab::Item item, std::string text) { p.status[item].text = std::move(text); }
};

// The same with the simulated radio on the radio port, of one firmware type.
struct RadioCatScenario : CatScenario {
  explicit RadioCatScenario(int firmwareType)
      : CatScenario({.firmwareType = firmwareType}), sim({.firmwareType = firmwareType}) {
    AttachRadioPeer(sim);
  }

  // The panel asks the radio for its status, as start-up does.
  void QueryStatus() {
    SendCommand(p, "?", true, 0.6);
    ReadReply(p);
  }

  SimPeer sim;
};

}  // namespace qd::test
