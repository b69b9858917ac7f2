// A clock for tests: time moves only when the program sleeps or waits, so a
// 20-second time-out runs in microseconds. It can start just before midnight.
#pragma once

#include <cmath>

#include "platform/clock.h"

namespace qd::test {

class VirtualClock : public Clock {
 public:
  explicit VirtualClock(double startTimeOfDay = 12 * 3600.0) : now_(startTimeOfDay) {}

  double TimeOfDay() override { return std::fmod(now_, kSecondsPerDay); }
  void Sleep(double seconds) override { Advance(seconds); }

  // Absolute seconds since midnight of the first day (does not wrap).
  double Now() const { return now_; }
  void Advance(double seconds) {
    if (seconds > 0) now_ += seconds;
  }
  void AdvanceTo(double absolute) {
    if (absolute > now_) now_ = absolute;
  }

 private:
  double now_;
};

}  // namespace qd::test
