// The options of the qd6250 program: --trace FILE and --help. Qt's own
// options (-platform, -style) are taken out of argv by QApplication first.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qd::gui {

struct CommandLine {
  std::optional<std::string> traceFile;
  bool help = false;
  std::string error;  // set when the arguments cannot be used
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);  // without argv[0]

extern const char* const kUsage;

}  // namespace qd::gui
