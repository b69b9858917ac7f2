#include "platform/real_clock.h"

#include <poll.h>

#include <ctime>

#include "platform/monotonic.h"

namespace qd {

double RealClock::TimeOfDay() {
  timespec ts{};
  clock_gettime(CLOCK_REALTIME, &ts);
  tm local{};
  localtime_r(&ts.tv_sec, &local);
  return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
         static_cast<double>(ts.tv_nsec) / 1e9;
}

void RealClock::Sleep(double seconds) {
  const double deadline = DeadlineAfter(seconds);
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
    poll(fds.data(), fds.size(), PollMilliseconds(left));
  }
}

}  // namespace qd
