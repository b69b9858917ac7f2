#include "sim/command_line.h"

#include <charconv>
#include <optional>

#include "platform/port_paths.h"
#include "status/vocabulary.h"

namespace qd::sim {
namespace {

std::optional<double> Number(const std::string& text) {
  try {
    std::size_t used = 0;
    const double v = std::stod(text, &used);
    if (used == text.size() && v >= 0) return v;
  } catch (const std::exception&) {
  }
  return std::nullopt;
}

std::optional<int> Whole(const std::string& text) {
  int v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return v;
}

}  // namespace

std::string Usage() {
  return "Usage: qd6250-sim [options]\n"
         "A simulated QD-6250 radio on a pseudo-terminal, published as DIR/COM<N>.\n"
         "\n"
         "  --firmware 1|2|3    firmware type (default 1)\n"
         "  --port-dir DIR      port folder (default $QD6250_PORT_DIR, else ports)\n"
         "  --port N            port number 1..16, the link DIR/COM<N> (default 1)\n"
         "  --baud B            line speed for the reply timing (default 9600)\n"
         "  --local             start in LOCAL (front panel) control\n"
         "  --latency MS        delay before a reply leaves (default 20)\n"
         "  --log FILE          write every command received, with its time\n"
         "  --warmup S          amplifier warm-up time (default 3)\n"
         "  --tune-time S       amplifier tune time (default 2)\n"
         "  --test-time S       self-test time (default 2)\n"
         "  --test-fault        the self test finds a fault\n"
         "  --fault-code DDD    the fault's result code (default 123)\n"
         "faults:\n"
         "  --silent            answer nothing\n"
         "  --slow              answer about a second late\n"
         "  --drop SHARE        drop this share (0..1) of the answers\n"
         "  --cut N             cut the next N answers inside a message\n"
         "  --garbage           start every answer with a line of noise\n"
         "  --unknown-code      end every answer with a message of an unknown code\n"
         "  --bad-freq          frequency messages with six digits\n"
         "  --long-freq         frequency messages with eight digits\n"
         "  --help              this text\n"
         "\n"
         "Control lines on standard input change the radio while it runs:\n"
         "  local | remote | freq DDDDDDD | mode 1..4 | fault on|off |\n"
         "  silent|slow|garbage|unknown|badfreq|longfreq on|off | drop SHARE | cut N |\n"
         "  status | help | quit\n";
}

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine result;
  ToolOptions& o = result.options;
  auto fail = [&result](std::string text) {
    result.error = std::move(text);
    return result;
  };
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    // Switches without a value.
    if (a == "--help" || a == "-h") {
      o.help = true;
      continue;
    }
    if (a == "--local") {
      o.sim.remote = false;
      continue;
    }
    bool* flag = a == "--test-fault"     ? &o.testFault
                 : a == "--silent"       ? &o.faults.silent
                 : a == "--slow"         ? &o.faults.slow
                 : a == "--garbage"      ? &o.faults.garbageLine
                 : a == "--unknown-code" ? &o.faults.unknownCode
                 : a == "--bad-freq"     ? &o.faults.malformedFreq
                 : a == "--long-freq"    ? &o.faults.longFreq
                                         : nullptr;
    if (flag) {
      *flag = true;
      continue;
    }
    // Options with a value.
    if (a.rfind("--", 0) != 0) return fail("unexpected argument: " + a);
    if (i + 1 >= args.size()) return fail(a + " needs a value");
    const std::string& v = args[++i];
    if (a == "--firmware") {
      auto n = Whole(v);
      if (!n || *n < 1 || *n > 3) return fail("--firmware must be 1, 2 or 3");
      o.sim.firmwareType = *n;
    } else if (a == "--port-dir") {
      if (v.empty()) return fail("--port-dir needs a folder");
      o.portDir = v;
    } else if (a == "--port") {
      auto n = Whole(v);
      if (!n || *n < kLowestPortNumber || *n > kHighestPortNumber)
        return fail("--port must be 1..16");
      o.port = *n;
    } else if (a == "--baud") {
      auto n = Whole(v);
      if (!n || *n <= 0) return fail("--baud must be a positive whole number");
      o.sim.baud = *n;
    } else if (a == "--latency") {
      auto n = Number(v);
      if (!n) return fail("--latency must be milliseconds, 0 or more");
      o.sim.latency = *n / 1000.0;
    } else if (a == "--log") {
      o.logFile = v;
    } else if (a == "--warmup" || a == "--tune-time" || a == "--test-time") {
      auto n = Number(v);
      if (!n) return fail(a + " must be seconds, 0 or more");
      (a == "--warmup"      ? o.sim.warmUpTime
       : a == "--tune-time" ? o.sim.tuneTime
                            : o.sim.testTime) = *n;
    } else if (a == "--fault-code") {
      if (!vocab::IsCodeWithDigits("X" + v, 'X', 3))
        return fail("--fault-code must be three digits");
      o.sim.faultCode = v;
    } else if (a == "--drop") {
      auto n = Number(v);
      if (!n || *n > 1) return fail("--drop must be a share from 0 to 1");
      o.faults.dropShare = *n;
    } else if (a == "--cut") {
      auto n = Whole(v);
      if (!n || *n < 0) return fail("--cut must be a count, 0 or more");
      o.faults.cutBursts = *n;
    } else {
      return fail("unknown option: " + a);
    }
  }
  return result;
}

}  // namespace qd::sim
