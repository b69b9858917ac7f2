// How much CPU the real panel (offscreen) uses while it idles in REMOTE against
// qd6250-sim: syncs every 2 s and nothing else to do. Measured from the
// panel's /proc/<pid>/stat over 30 s once REMOTE is reached; should be under 1%.
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "../tests/blackbox/child_process.h"

namespace {

using namespace qd::blackbox;

constexpr double kMeasureSeconds = 30;

// User plus system CPU seconds of a running process, or -1.
double CpuSeconds(pid_t pid) {
  const std::string stat = ReadFile("/proc/" + std::to_string(pid) + "/stat");
  const size_t close = stat.rfind(')');  // the command name may hold spaces
  if (close == std::string::npos) return -1;
  std::istringstream fields(stat.substr(close + 2));
  std::string field;
  // Fields from the state (3rd) on; utime and stime are the 14th and 15th.
  for (int i = 3; i < 14 && fields >> field; ++i) {
  }
  long long utime = 0, stime = 0;
  if (!(fields >> utime >> stime)) return -1;
  return static_cast<double>(utime + stime) / static_cast<double>(::sysconf(_SC_CLK_TCK));
}

}  // namespace

int main(int, char** argv) {
  const fs::path bin = FindBinDir(fs::weakly_canonical(fs::path("/proc/self/exe")).parent_path());
  if (bin.empty()) {
    std::fprintf(stderr, "%s: qd6250 and qd6250-sim not found beside it or in $QD6250_BIN_DIR\n",
                 argv[0]);
    return 2;
  }
  WorkDir work("panel_cpu");
  if (!work.ok()) return 2;
  work.WritePortSetup();
  Child sim(bin / "qd6250-sim", {"--port-dir", work.Ports(), "--port", "1"}, work.Path());
  if (!WaitUntil([&] { return fs::is_symlink(work.Ports() / "COM1"); }, 10)) {
    std::fprintf(stderr, "qd6250-sim did not publish its port\n");
    return 1;
  }
  const fs::path trace = work.Path() / "trace.txt";
  Child panel(bin / "qd6250", {"--trace", trace}, work.Path());
  const SteadyClock::time_point launched = SteadyClock::now();
  if (!WaitUntil([&] { return ReadFile(trace).find("RADIO TX G00") != std::string::npos; }, 60)) {
    std::fprintf(stderr, "the panel did not reach REMOTE within 60 s\n");
    return 1;
  }
  const double startUpCpu = CpuSeconds(panel.Pid());
  const double startUpWall = Since(launched);
  const SteadyClock::time_point measured = SteadyClock::now();
  ::sleep(static_cast<unsigned>(kMeasureSeconds));
  const double idleCpu = CpuSeconds(panel.Pid()) - startUpCpu;
  const double idleWall = Since(measured);
  if (startUpCpu < 0 || idleCpu < 0) {
    std::fprintf(stderr, "the panel ended early\n");
    return 1;
  }
  std::printf("start-up to REMOTE: %.2f s CPU in %.1f s\n", startUpCpu, startUpWall);
  std::printf("idle in REMOTE:     %.2f s CPU in %.1f s = %.2f%% of one core\n", idleCpu, idleWall,
              100 * idleCpu / idleWall);
  return 0;
}
