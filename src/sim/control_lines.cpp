#include "sim/control_lines.h"

#include <charconv>
#include <sstream>
#include <vector>

namespace qd::sim {
namespace {

std::vector<std::string> Words(std::string_view line) {
  std::istringstream in{std::string(line)};
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

ControlResult Error(std::string text) {
  return {false, false, std::move(text)};
}

}  // namespace

std::string ControlHelp() {
  return "local | remote              control state, reported at once\n"
         "freq DDDDDDD                turn the frequency (0160000..2999999)\n"
         "mode 1..4                   turn the mode (USB, LSB, AME, CW)\n"
         "fault on|off                the self test finds a fault\n"
         "silent|slow|garbage|unknown|badfreq|longfreq on|off\n"
         "drop SHARE                  drop this share (0..1) of the answers\n"
         "cut N                       cut the next N answers inside a message\n"
         "status                      show the status report\n"
         "quit                        end the simulator\n";
}

ControlResult ApplyControlLine(SimRadio& radio, std::string_view line, double now) {
  const std::vector<std::string> w = Words(line);
  if (w.empty()) return {};
  const std::string& verb = w[0];
  if (w.size() == 1) {
    if (verb == "local" || verb == "remote") {
      radio.SetControlState(verb == "remote", now);
      return {};
    }
    if (verb == "status") return {true, false, radio.StatusReport()};
    if (verb == "help") return {true, false, ControlHelp()};
    if (verb == "quit") return {true, true, ""};
    return Error("unknown control line: " + std::string(line));
  }
  if (w.size() != 2) return Error("unknown control line: " + std::string(line));
  const std::string& arg = w[1];
  if (verb == "freq") {
    if (!radio.TurnFrequency(arg, now)) return Error("freq needs seven digits, 0160000..2999999");
    return {};
  }
  if (verb == "mode") {
    if (arg.size() != 1 || !radio.TurnMode(arg[0] - '0', now)) return Error("mode needs 1..4");
    return {};
  }
  if (verb == "drop") {
    double share = -1;
    try {
      std::size_t used = 0;
      share = std::stod(arg, &used);
      if (used != arg.size()) share = -1;
    } catch (const std::exception&) {
    }
    if (share < 0 || share > 1) return Error("drop needs a share from 0 to 1");
    radio.MutableFaults().dropShare = share;
    return {};
  }
  if (verb == "cut") {
    int n = -1;
    auto [end, ec] = std::from_chars(arg.data(), arg.data() + arg.size(), n);
    if (ec != std::errc() || end != arg.data() + arg.size() || n < 0)
      return Error("cut needs a count, 0 or more");
    radio.MutableFaults().cutBursts = n;
    return {};
  }
  if (arg != "on" && arg != "off") return Error(verb + " needs on or off");
  const bool on = arg == "on";
  Faults& f = radio.MutableFaults();
  if (verb == "fault") {
    radio.SetTestFault(on);
  } else if (verb == "silent") {
    f.silent = on;
  } else if (verb == "slow") {
    f.slow = on;
  } else if (verb == "garbage") {
    f.garbageLine = on;
  } else if (verb == "unknown") {
    f.unknownCode = on;
  } else if (verb == "badfreq") {
    f.malformedFreq = on;
  } else if (verb == "longfreq") {
    f.longFreq = on;
  } else {
    return Error("unknown control line: " + std::string(line));
  }
  return {};
}

}  // namespace qd::sim
