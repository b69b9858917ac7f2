// Durations for the platform's waits: a monotonic clock (midnight and clock
// changes never stretch or cut a wait), deadlines from any duration a caller
// passes (negative or NaN is zero), and poll() time-outs for what is left.
#pragma once

#include <time.h>

#include <algorithm>
#include <cmath>

namespace qd {

inline double Monotonic() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

inline double DeadlineAfter(double seconds) {
  constexpr double kLongest = 1e7;  // about four months
  return Monotonic() + (seconds > 0 ? std::min(seconds, kLongest) : 0.0);
}

// Rounded up, so a wait never ends a little early and polls again at once.
inline int PollMilliseconds(double secondsLeft) {
  return static_cast<int>(std::ceil(std::clamp(secondsLeft, 0.0, 3600.0) * 1000));
}

}  // namespace qd
