// The simulated radio as the far end of a FakeSerialPort, so scenario tests
// run a whole panel against it in virtual time. Reach the radio through
// Radio() to change its state, set faults or read its command log.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sim/sim_radio.h"
#include "support/fake_serial_port.h"

namespace qd::test {

class SimPeer : public PortPeer {
 public:
  explicit SimPeer(sim::SimOptions options = {}) : radio_(std::move(options)) {}

  sim::SimRadio& Radio() { return radio_; }

  void OnWrite(std::string_view bytes, double now) override;
  std::optional<double> NextArrival() override;
  std::string TakeArrivals(double upTo) override;

 private:
  sim::SimRadio radio_;
};

}  // namespace qd::test
