// Latency of the CAT port's "FA;" answers in real time: the whole panel
// (start-up and main loop, real termios ports, real clock) runs against
// tools/qd6250-sim in REMOTE on one pseudo-terminal, while a logger on a
// second one polls "FA;" every 250 ms as fldigi does. Prints the median,
// 95th and 99th percentile and worst time from the end of a query to the end
// of its answer. Needs qd6250-sim beside this program (or in $QD6250_BIN_DIR).
//
//   bench_cat_latency [queries] [firmware type]     (defaults 240, 3)
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "controls/windowing.h"
#include "link/startup.h"
#include "platform/errors.h"
#include "platform/port_paths.h"
#include "platform/posix_serial_port.h"
#include "platform/real_clock.h"
#include "program.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kRadioPort = 1;
constexpr int kCatPort = 2;
constexpr double kPollInterval = 0.25;
constexpr double kAnswerTimeout = 2.0;
constexpr double kPanelUpTimeout = 60.0;

double Since(Clock::time_point t) {
  return std::chrono::duration<double>(Clock::now() - t).count();
}

// Thrown from the panel's yield once the logger is done; unwinds form_Load.
struct BenchDone {};

// No windows: a yield sleeps on the ports' descriptors; nothing is clicked.
class HeadlessWindowing : public qd::Windowing {
 public:
  explicit HeadlessWindowing(const std::atomic<bool>& done) : done_(done) {}
  void Pump(qd::ActionQueue&, double maxWaitSeconds, std::span<const int> wakeFds) override {
    if (done_) throw BenchDone{};
    std::vector<pollfd> fds;
    for (int fd : wakeFds) fds.push_back({fd, POLLIN, 0});
    ::poll(fds.data(), fds.size(), static_cast<int>(maxWaitSeconds * 1000));
  }
  void Repaint() override {}
  void Beep() override {}
  void MessageBox(const std::string& text, const std::string&) override {
    std::fprintf(stderr, "panel message: %s\n", text.c_str());
  }
  void ShowForm(qd::Form& form) override {
    if (form.name != "frmQD6250")
      std::fprintf(stderr, "panel opened %s; the bench cannot answer it\n", form.name.c_str());
  }
  void HideForm(qd::Form&) override {}
  std::optional<std::string> FileOpenDialog(const qd::FileDialogOptions&) override { return {}; }
  std::optional<std::string> FileSaveDialog(const qd::FileDialogOptions&) override { return {}; }
  bool OpenWithDesktop(const std::string&) override { return false; }
  qd::ScreenSize Screen() override { return {1366 * 15, 768 * 15}; }

 private:
  const std::atomic<bool>& done_;
};

// The logger's end of the CAT line: a raw pty published as COM<n>.
struct LoggerPty {
  int master = -1;
  int slave = -1;  // held open so the master never sees a hang-up
  bool Create(const fs::path& link) {
    master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return false;
    const char* name = ptsname(master);
    if (!name) return false;
    slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    termios t{};
    if (slave < 0 || tcgetattr(slave, &t) != 0) return false;
    cfmakeraw(&t);
    tcsetattr(slave, TCSANOW, &t);
    return ::symlink(name, link.c_str()) == 0;
  }
  ~LoggerPty() {
    if (slave >= 0) ::close(slave);
    if (master >= 0) ::close(master);
  }
};

// Sends a query; the seconds until its answer's ";" is in, or nullopt.
std::optional<double> Query(int fd, const std::string& query, std::string& answer) {
  answer.clear();
  char drain[256];
  while (::read(fd, drain, sizeof drain) > 0) {
  }
  if (::write(fd, query.data(), query.size()) != static_cast<ssize_t>(query.size())) return {};
  ::tcdrain(fd);
  const Clock::time_point sent = Clock::now();
  while (Since(sent) < kAnswerTimeout) {
    pollfd p{fd, POLLIN, 0};
    ::poll(&p, 1, static_cast<int>((kAnswerTimeout - Since(sent)) * 1000) + 1);
    char buffer[256];
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n > 0) answer.append(buffer, n);
    if (answer.find(';') != std::string::npos) return Since(sent);
  }
  return {};
}

struct Results {
  std::vector<double> latencies;
  int unanswered = 0;
  int wrong = 0;
  bool panelUp = false;
};

void RunLogger(int fd, int queries, Results& r, std::atomic<bool>& done) {
  std::string answer;
  // Wait for the panel to come up in REMOTE and answer.
  const Clock::time_point start = Clock::now();
  while (Since(start) < kPanelUpTimeout && !(r.panelUp = Query(fd, "FA;", answer).has_value()))
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
  const std::string expected = answer;
  Clock::time_point next = Clock::now();
  for (int i = 0; r.panelUp && i < queries; ++i) {
    next += std::chrono::milliseconds(static_cast<int>(kPollInterval * 1000));
    std::optional<double> t = Query(fd, "FA;", answer);
    if (!t)
      ++r.unanswered;
    else if (answer != expected)
      ++r.wrong;
    else
      r.latencies.push_back(*t);
    std::this_thread::sleep_until(next);
  }
  done = true;
}

double Percentile(std::vector<double> v, double q) {
  std::sort(v.begin(), v.end());
  const std::size_t i = static_cast<std::size_t>(q * (v.size() - 1) + 0.5);
  return v[std::min(i, v.size() - 1)];
}

fs::path SimulatorPath(const char* argv0) {
  const char* dir = std::getenv("QD6250_BIN_DIR");
  if (dir && *dir) return fs::path(dir) / "qd6250-sim";
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return (ec ? fs::path(argv0) : self).parent_path() / "qd6250-sim";
}

}  // namespace

int main(int argc, char** argv) {
  const int queries = argc > 1 ? std::max(1, std::atoi(argv[1])) : 240;
  const std::string firmware = argc > 2 ? argv[2] : "3";
  const fs::path sim = SimulatorPath(argv[0]);
  if (!fs::exists(sim)) {
    std::fprintf(stderr, "bench_cat_latency: %s not found; build qd6250-sim\n", sim.c_str());
    return 1;
  }

  char dirTemplate[] = "/tmp/cat_latency_XXXXXX";
  if (!::mkdtemp(dirTemplate)) return 1;
  const fs::path work = dirTemplate;
  const fs::path ports = work / "ports";
  fs::create_directories(ports);
  fs::current_path(work);
  ::setenv("QD6250_PORT_DIR", ports.c_str(), 1);
  ::setenv("XDG_RUNTIME_DIR", work.c_str(), 1);
  std::ofstream("PortSetup.txt") << kRadioPort << "\r\n9600 ,O,7,1\r\ncomNone\r\n0\r\n";
  std::ofstream("CATSetup.txt") << kCatPort << "\r\n9600,N, 8, 1\r\ncomNone\r\nKenwood\r\n";

  const pid_t simPid = ::fork();
  if (simPid == 0) {
    const int null = ::open("/dev/null", O_WRONLY);
    ::dup2(null, STDOUT_FILENO);
    ::execl(sim.c_str(), sim.c_str(), "--port-dir", ports.c_str(), "--port",
            std::to_string(kRadioPort).c_str(), "--firmware", firmware.c_str(),
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  const fs::path radioLink = ports / ("COM" + std::to_string(kRadioPort));
  for (int i = 0; i < 100 && !fs::is_symlink(radioLink); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));

  LoggerPty logger;
  Results results;
  int status = 0;
  if (!fs::is_symlink(radioLink) || !logger.Create(ports / ("COM" + std::to_string(kCatPort)))) {
    std::fprintf(stderr, "bench_cat_latency: cannot set up the pseudo-terminals\n");
    status = 1;
  } else {
    std::atomic<bool> done{false};
    qd::RealClock clock;
    qd::PosixSerialPort radio;
    qd::PosixSerialPort cat;
    clock.AttachPort(&radio);
    clock.AttachPort(&cat);
    HeadlessWindowing windowing(done);
    qd::Program p(clock, windowing, radio, cat);
    p.portPresent = qd::ProbePort;
    std::thread loggerThread(RunLogger, logger.master, queries, std::ref(results), std::ref(done));
    try {
      qd::form_Load(p);
    } catch (const BenchDone&) {
    } catch (const qd::ProgramEnd&) {
      done = true;
    }
    loggerThread.join();
    std::printf("panel: %s, firmware type %d, CAT port %s\n", p.main.ModeText.c_str(),
                p.link.FirmwareType, cat.Settings().c_str());
  }
  ::kill(simPid, SIGTERM);
  ::waitpid(simPid, nullptr, 0);
  fs::current_path("/");
  fs::remove_all(work);

  if (status != 0) return status;
  if (!results.panelUp) {
    std::fprintf(stderr, "bench_cat_latency: the panel never answered \"FA;\"\n");
    return 1;
  }
  const std::vector<double>& v = results.latencies;
  std::printf("\"FA;\" every %.0f ms: %d queries, %zu answered, %d unanswered, %d wrong\n",
              kPollInterval * 1000, queries, v.size(), results.unanswered, results.wrong);
  if (!v.empty())
    std::printf("latency ms: median %.1f  95th %.1f  99th %.1f  worst %.1f\n",
                Percentile(v, 0.5) * 1000, Percentile(v, 0.95) * 1000, Percentile(v, 0.99) * 1000,
                *std::max_element(v.begin(), v.end()) * 1000);
  return 0;
}
