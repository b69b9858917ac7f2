// qd6250-sim: the simulated QD-6250 on a pseudo-terminal with the real clock.
// One thread: ppoll() on the pty, standard input (control lines) and the
// radio's next due time; SIGINT and SIGTERM end it cleanly.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "platform/monotonic.h"
#include "pty_link.h"
#include "sim/command_line.h"
#include "sim/control_lines.h"
#include "sim/sim_radio.h"

namespace {

volatile sig_atomic_t gStop = 0;
void OnStopSignal(int) {
  gStop = 1;
}

constexpr std::size_t kReadChunk = 4096;

// Seconds since the simulator started, on the monotonic clock (time of day
// jumps back at midnight; the radio's time line must not).
class Seconds {
 public:
  double Now() const { return qd::Monotonic() - start_; }

 private:
  double start_ = qd::Monotonic();
};

timespec Timeout(double seconds) {
  seconds = std::max(0.0, seconds);
  timespec ts{};
  ts.tv_sec = static_cast<time_t>(seconds);
  ts.tv_nsec = static_cast<long>((seconds - std::floor(seconds)) * 1e9);
  return ts;
}

// Appends the log entries not yet written: time in seconds since start, the
// command, and whether the radio ignored it.
void WriteLog(std::ofstream& log, const qd::sim::SimRadio& radio, std::size_t& written) {
  const auto& entries = radio.Log();
  if (!log.is_open() || written == entries.size()) return;
  char time[32];
  for (; written < entries.size(); ++written) {
    std::snprintf(time, sizeof time, "%.3f ", entries[written].time);
    log << time << entries[written].text << (entries[written].obeyed ? "" : " (ignored)") << '\n';
  }
  log.flush();
}

int Serve(const qd::sim::ToolOptions& options) {
  using qd::sim::SimRadio;
  std::string portDir = options.portDir;
  if (portDir.empty()) {
    const char* env = std::getenv("QD6250_PORT_DIR");
    portDir = env && *env ? env : qd::sim::kDefaultPortDir;
  }
  std::ofstream log;
  if (!options.logFile.empty()) {
    log.open(options.logFile, std::ios::trunc);
    if (!log) {
      std::cerr << "qd6250-sim: cannot write the log " << options.logFile << '\n';
      return 1;
    }
  }

  // Stop signals are blocked except inside ppoll(), so none slips past a check.
  struct sigaction sa {};
  sa.sa_handler = OnStopSignal;
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  signal(SIGPIPE, SIG_IGN);
  sigset_t stopSignals, waitMask;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  sigprocmask(SIG_BLOCK, &stopSignals, &waitMask);
  sigdelset(&waitMask, SIGINT);
  sigdelset(&waitMask, SIGTERM);

  std::string error;
  std::unique_ptr<qd::sim::PtyLink> pty = qd::sim::PtyLink::Create(portDir, options.port, error);
  if (!pty) {
    std::cerr << "qd6250-sim: " << error << '\n';
    return 1;
  }

  Seconds clock;
  SimRadio radio(options.sim);
  radio.SetFaults(options.faults);
  radio.SetTestFault(options.testFault);
  std::cout << "qd6250-sim: firmware type " << options.sim.firmwareType << ", "
            << (options.sim.remote ? "REMOTE" : "LOCAL") << ", " << pty->LinkPath() << " -> "
            << pty->SlavePath() << std::endl;

  std::string toPanel;  // bytes due but not yet taken by the pty
  std::string control;  // a control line being typed
  bool stdinOpen = true;
  std::size_t logged = 0;
  while (!gStop) {
    double now = clock.Now();
    toPanel += radio.TakeOutput(now);
    while (!toPanel.empty()) {
      const ssize_t n = write(pty->MasterFd(), toPanel.data(), toPanel.size());
      if (n <= 0) break;  // full: wait for POLLOUT
      toPanel.erase(0, n);
    }
    WriteLog(log, radio, logged);

    pollfd fds[2] = {{pty->MasterFd(), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    if (!toPanel.empty()) fds[0].events |= POLLOUT;
    const std::optional<double> due = radio.NextDue();
    timespec timeout{};
    if (due) timeout = Timeout(*due - clock.Now());
    const int ready = ppoll(fds, stdinOpen ? 2 : 1, due ? &timeout : nullptr, &waitMask);
    if (ready < 0) {
      if (errno == EINTR) continue;
      std::cerr << "qd6250-sim: poll failed\n";
      return 1;
    }
    now = clock.Now();
    if (fds[0].revents & (POLLERR | POLLNVAL)) {
      std::cerr << "qd6250-sim: the pseudo-terminal failed\n";
      return 1;
    }
    if (fds[0].revents & POLLIN) {
      char buffer[kReadChunk];
      const ssize_t n = read(pty->MasterFd(), buffer, sizeof buffer);
      if (n > 0) radio.Receive(std::string_view(buffer, n), now);
    }
    if (stdinOpen && (fds[1].revents & (POLLIN | POLLHUP))) {
      char buffer[kReadChunk];
      const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
      if (n <= 0) {
        stdinOpen = false;  // no more control lines; the radio runs on
        continue;
      }
      control.append(buffer, n);
      for (std::size_t lf; (lf = control.find('\n')) != std::string::npos;) {
        const std::string line = control.substr(0, lf);
        control.erase(0, lf + 1);
        const qd::sim::ControlResult r = qd::sim::ApplyControlLine(radio, line, now);
        if (!r.message.empty()) (r.ok ? std::cout : std::cerr) << r.message << std::endl;
        if (r.quit) gStop = 1;
      }
    }
  }
  WriteLog(log, radio, logged);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const qd::sim::ParsedCommandLine parsed =
      qd::sim::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!parsed.error.empty()) {
    std::cerr << "qd6250-sim: " << parsed.error << "\n(see qd6250-sim --help)\n";
    return 2;
  }
  if (parsed.options.help) {
    std::cout << qd::sim::Usage();
    return 0;
  }
  return Serve(parsed.options);
}
