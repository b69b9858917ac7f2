// The real clock: local time of day, and a sleep that keeps the attached
// serial ports' input and output flowing (poll() on their descriptors).
#pragma once

#include <vector>

#include "platform/clock.h"
#include "platform/serial_port.h"

namespace qd {

class RealClock : public Clock {
 public:
  double TimeOfDay() override;
  void Sleep(double seconds) override;
  void AttachPort(SerialPort* port) { ports_.push_back(port); }

 private:
  std::vector<SerialPort*> ports_;
};

}  // namespace qd
