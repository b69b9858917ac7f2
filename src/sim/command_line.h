// The options of tools/qd6250-sim: which radio to simulate, where to publish
// its pseudo-terminal, its timings and its faults. Kept in the library so the
// parsing is tested without starting the tool.
#pragma once

#include <string>
#include <vector>

#include "sim/sim_radio.h"

namespace qd::sim {

constexpr int kDefaultPortNumber = 1;
constexpr char kDefaultPortDir[] = "ports";  // as the panel, without QD6250_PORT_DIR

struct ToolOptions {
  SimOptions sim;
  Faults faults;
  bool testFault = false;
  std::string portDir;  // empty: $QD6250_PORT_DIR, else kDefaultPortDir
  int port = kDefaultPortNumber;
  std::string logFile;  // empty: no log
  bool help = false;
};

struct ParsedCommandLine {
  ToolOptions options;
  std::string error;  // empty when the command line was understood
};

// args excludes the program name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// The --help text.
std::string Usage();

}  // namespace qd::sim
