#include "platform/real_clock.h"

#include <poll.h>

#include <algorithm>
#include <cmath>
#include <ctime>

namespace qd {

namespace {

double Monotonic() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

}  // namespace

double RealClock::TimeOfDay() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm local{};
  localtime_r(&ts.tv_sec, &local);
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
         static_cast<double>(ts.tv_nsec) / 1e9;
}

void RealClock::Sleep(double seconds) {
  // A duration on the monotonic clock: midnight or a clock change never
  // stretches or cuts it.
  const double deadline = Monotonic() + std::max(seconds, 0.0);
  std::vector<pollfd> fds;
  while (true) {
    for (SerialPort* port : ports_) port->Service();
    const double left = deadline - Monotonic();
    if (left <= 0) return;
    fds.clear();
    for (SerialPort* port : ports_)
      if (port->PollFd() >= 0)
        fds.push_back(
            {port->PollFd(), static_cast<short>(POLLIN | (port->WantsWrite() ? POLLOUT : 0)), 0});
    poll(fds.data(), fds.size(), static_cast<int>(std::ceil(left * 1000)));
  }
}

}  // namespace qd
