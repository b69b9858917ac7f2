// The clock seam: time of day for the panel's own arithmetic (with its midnight
// corrections) and sleeping for a duration. Every wait of the program goes through
// it, so tests run long time-outs in virtual time.
#pragma once

namespace qd {

constexpr double kSecondsPerDay = 86400.0;

class Clock {
 public:
  virtual ~Clock() = default;
  // Seconds since local midnight, fractional; wraps at 86400.
  virtual double TimeOfDay() = 0;
  // Sleeps for a duration (never a time-of-day deadline). Implementations keep
  // the attached serial ports' output flowing while they sleep.
  virtual void Sleep(double seconds) = 0;
};

}  // namespace qd
