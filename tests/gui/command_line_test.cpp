// The program's options.
#include <gtest/gtest.h>

#include "gui/command_line.h"

namespace qd::gui {
namespace {

TEST(CommandLine, OptionsAndTheirMistakes) {
  struct Case {
    std::vector<std::string> args;
    std::optional<std::string> trace;
    bool help;
    std::string error;
  };
  const std::vector<Case> cases = {
      {{}, std::nullopt, false, ""},
      {{"--trace", "wire.txt"}, "wire.txt", false, ""},
      {{"--trace=wire.txt"}, "wire.txt", false, ""},
      {{"--help"}, std::nullopt, true, ""},
      {{"-h"}, std::nullopt, true, ""},
      {{"--trace"}, std::nullopt, false, "--trace needs a file name"},
      {{"--trace", ""}, std::nullopt, false, "--trace needs a file name"},
      {{"--trace="}, std::nullopt, false, "unknown option: --trace="},
      {{"--verbose"}, std::nullopt, false, "unknown option: --verbose"},
      {{"COM3"}, std::nullopt, false, "unknown option: COM3"},
  };
  for (const Case& c : cases) {
    const CommandLine got = ParseCommandLine(c.args);
    const std::string shown = c.args.empty() ? "(none)" : c.args[0];
    EXPECT_EQ(got.traceFile, c.trace) << shown;
    EXPECT_EQ(got.help, c.help) << shown;
    EXPECT_EQ(got.error, c.error) << shown;
  }
  EXPECT_NE(std::string(kUsage).find("--trace FILE"), std::string::npos);
  EXPECT_NE(std::string(kUsage).find("--help"), std::string::npos);
}

}  // namespace
}  // namespace qd::gui
