// The panel's entry point: real serial ports (optionally traced), the real
// clock, Qt windowing and the one Program; start-up runs the main loop, and
// ending the program unwinds back here as ProgramEnd.
#include <QApplication>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "gui/command_line.h"
#include "gui/qt_windowing.h"
#include "link/startup.h"
#include "platform/errors.h"
#include "platform/port_paths.h"
#include "platform/posix_serial_port.h"
#include "platform/real_clock.h"
#include "platform/wire_trace.h"
#include "program.h"

namespace {

int signalPipe[2] = {-1, -1};

// Only writes a byte: the main loop's yield sees it and runs the shutdown.
void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] ssize_t n = ::write(signalPipe[1], &byte, 1);
  errno = saved;
}

bool InstallSignalPipe() {
  if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  return ::sigaction(SIGINT, &sa, nullptr) == 0 && ::sigaction(SIGTERM, &sa, nullptr) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  // Help needs no display, so it is answered before Qt starts.
  const std::vector<std::string> given(argv + 1, argv + argc);
  if (qd::gui::ParseCommandLine(given).help) {
    std::fputs(qd::gui::kUsage, stdout);
    return 0;
  }
  QApplication app(argc, argv);
  const qd::gui::CommandLine options =
      qd::gui::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (!options.error.empty()) {
    std::fprintf(stderr, "qd6250: %s\n%s", options.error.c_str(), qd::gui::kUsage);
    return 2;
  }

  qd::RealClock clock;
  qd::PosixSerialPort radioDevice;
  qd::PosixSerialPort catDevice;
  std::unique_ptr<qd::WireTrace> trace;
  std::unique_ptr<qd::TracingSerialPort> radioTraced;
  std::unique_ptr<qd::TracingSerialPort> catTraced;
  qd::SerialPort* radio = &radioDevice;
  qd::SerialPort* cat = &catDevice;
  if (options.traceFile) {
    try {
      trace = std::make_unique<qd::WireTrace>(*options.traceFile, clock);
    } catch (const qd::RuntimeError& e) {
      std::fprintf(stderr, "qd6250: cannot open the trace file %s: %s\n",
                   options.traceFile->c_str(), e.what());
      return 1;
    }
    radioTraced = std::make_unique<qd::TracingSerialPort>(radioDevice, *trace, "RADIO");
    catTraced = std::make_unique<qd::TracingSerialPort>(catDevice, *trace, "CAT");
    radio = radioTraced.get();
    cat = catTraced.get();
  }
  clock.AttachPort(radio);
  clock.AttachPort(cat);

  qd::gui::QtWindowing windowing;
  qd::Program p(clock, windowing, *radio, *cat);
  p.portPresent = qd::ProbePort;
  windowing.Attach(p);
  if (InstallSignalPipe())
    windowing.WatchSignalPipe(signalPipe[0]);
  else
    std::fprintf(stderr, "qd6250: cannot watch SIGINT/SIGTERM: %s\n", std::strerror(errno));

  try {
    qd::form_Load(p);  // registers the main window's handlers first
  } catch (const qd::ProgramEnd&) {
    return 0;
  }
  return 0;
}
