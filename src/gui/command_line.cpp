#include "gui/command_line.h"

namespace qd::gui {

const char* const kUsage =
    "Usage: qd6250 [--trace FILE]\n"
    "Front panel for the QD-6250 HF transceiver.\n"
    "\n"
    "  --trace FILE  append every byte sent and received on the radio and CAT\n"
    "                ports to FILE, with the time of day\n"
    "  --help        show this help and exit\n"
    "\n"
    "Serial port n is the link ports/COM<n> in the working directory (or in\n"
    "$QD6250_PORT_DIR), e.g. ln -s /dev/ttyUSB0 ports/COM3.\n";

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine c;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      c.help = true;
    } else if (arg == "--trace") {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        c.error = "--trace needs a file name";
        return c;
      }
      c.traceFile = args[++i];
    } else if (arg.rfind("--trace=", 0) == 0 && arg.size() > 8) {
      c.traceFile = arg.substr(8);
    } else {
      c.error = "unknown option: " + arg;
      return c;
    }
  }
  return c;
}

}  // namespace qd::gui
