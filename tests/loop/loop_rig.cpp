#include "loop_rig.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "link/startup.h"
#include "platform/errors.h"

namespace qd::test {

TempWorkDir::TempWorkDir() {
  std::filesystem::create_directory(path() + "/run");
  std::filesystem::create_directory(path() + "/ports");
  setenv("XDG_RUNTIME_DIR", (path() + "/run").c_str(), 1);
  setenv("QD6250_PORT_DIR", (path() + "/ports").c_str(), 1);
}

void WriteFile(const std::string& name, const std::vector<std::string>& lines) {
  std::ofstream out(name, std::ios::binary);
  for (const std::string& line : lines) out << line << "\r\n";
}

void WritePortSetup(bool extPtt) {
  WriteFile("PortSetup.txt", {"1", "9600 ,O,7,1", "comNone", extPtt ? "1" : "0"});
}

Action PortSetupAction(const std::string& control, const std::string& event,
                       std::optional<std::string> text) {
  Action a;
  a.form = "frmPortSetup";
  a.control = control;
  a.event = event;
  a.text = std::move(text);
  return a;
}

LoopRig::LoopRig(sim::SimOptions options, double startTimeOfDay)
    : s({.startTimeOfDay = startTimeOfDay, .firmwareType = 0, .openRadioPort = false}),
      sim(std::move(options)) {
  s.AttachRadioPeer(sim);
  // A fresh program knows no port until "PortSetup.txt" or the dialog names one.
  s.p.link = LinkState{};
  s.p.portPresent = [](int n) { return n == 1; };
}

bool LoopRig::Run(double seconds, std::function<bool()> until) {
  const double stop = s.start + seconds;
  s.windowing.StopWhen([this, stop, until] {
    for (auto it = timed_.begin(); it != timed_.end();) {
      if (s.Elapsed() >= it->elapsed) {
        auto action = std::move(it->action);
        it = timed_.erase(it);
        action();
      } else {
        ++it;
      }
    }
    for (auto& watch : watches_) watch();
    return s.clock.Now() >= stop || (until && until());
  });
  try {
    form_Load(s.p);
  } catch (const ScriptEnd&) {
    return false;
  } catch (const ProgramEnd&) {
    return true;
  }
  return false;
}

void LoopRig::At(double elapsed, std::function<void()> action) {
  timed_.push_back({elapsed, std::move(action)});
}

std::vector<std::string> LoopRig::CommandsSince(double elapsed) {
  std::vector<std::string> texts;
  for (const sim::LoggedCommand& c : sim.Radio().Log())
    if (c.time - s.start >= elapsed) texts.push_back(c.text);
  return texts;
}

}  // namespace qd::test
