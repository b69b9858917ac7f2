#include "support/sim_peer.h"

namespace qd::test {

void SimPeer::OnWrite(std::string_view bytes, double now) {
  radio_.Receive(bytes, now);
}

std::optional<double> SimPeer::NextArrival() {
  return radio_.NextDue();
}

std::string SimPeer::TakeArrivals(double upTo) {
  return radio_.TakeOutput(upTo);
}

}  // namespace qd::test
