// The panel's entry point: real serial ports (optionally traced), the real
// clock, Qt windowing and the one Program; start-up runs the main loop, and
// ending the program unwinds back here as ProgramEnd.
#include <QApplication>

#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "gui/qt_windowing.h"
#include "link/startup.h"
#include "panel/main_window_events.h"
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

void PrintUsage(std::FILE* to) {
  std::fputs(
      "Usage: qd6250 [--trace FILE]\n"
      "Front panel for the QD-6250 HF transceiver.\n"
      "\n"
      "  --trace FILE  append every byte sent and received on the radio and CAT\n"
      "                ports to FILE, with the time of day\n"
      "  --help        show this help and exit\n"
      "\n"
      "Serial port n is the link ports/COM<n> in the working directory (or in\n"
      "$QD6250_PORT_DIR), e.g. ln -s /dev/ttyUSB0 ports/COM3.\n",
      to);
}

struct Options {
  std::optional<std::string> traceFile;
  std::string error;
};

Options ParseOptions(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--trace") {
      if (i + 1 >= argc) {
        o.error = "--trace needs a file name";
        return o;
      }
      o.traceFile = argv[++i];
    } else if (arg.rfind("--trace=", 0) == 0) {
      o.traceFile = arg.substr(8);
    } else {
      o.error = "unknown option: " + arg;
      return o;
    }
  }
  return o;
}

}  // namespace

int main(int argc, char** argv) {
  // Help needs no display.
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      PrintUsage(stdout);
      return 0;
    }
  // Qt takes its own options (-platform, -style) out of argv first.
  QApplication app(argc, argv);
  const Options options = ParseOptions(argc, argv);
  if (!options.error.empty()) {
    std::fprintf(stderr, "qd6250: %s\n", options.error.c_str());
    PrintUsage(stderr);
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

  qd::RegisterMainWindowHandlers(p);
  try {
    qd::form_Load(p);
  } catch (const qd::ProgramEnd&) {
    return 0;
  }
  return 0;
}
