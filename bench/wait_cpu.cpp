// How much CPU the link's waits cost on a silent line: WaitSeconds for 10 s and
// ReadReply loops for 10 s on a real pseudo-terminal that never answers, with
// the real clock and the termios ports. Both should be close to zero.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <string>

#include "controls/windowing.h"
#include "link/reply_reader.h"
#include "link/send.h"
#include "platform/posix_serial_port.h"
#include "platform/real_clock.h"
#include "program.h"

namespace {

// The waits deliver no events, so a windowing that does nothing will do.
class NoWindowing : public qd::Windowing {
 public:
  void Pump(qd::ActionQueue&, double, std::span<const int>) override {}
  void Repaint() override {}
  void Beep() override {}
  void MessageBox(const std::string&, const std::string&) override {}
  void ShowForm(qd::Form&) override {}
  void HideForm(qd::Form&) override {}
  std::optional<std::string> FileOpenDialog(const qd::FileDialogOptions&) override { return {}; }
  std::optional<std::string> FileSaveDialog(const qd::FileDialogOptions&) override { return {}; }
  bool OpenWithDesktop(const std::string&) override { return false; }
  qd::ScreenSize Screen() override { return {}; }
};

double CpuSeconds() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  auto s = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return s(u.ru_utime) + s(u.ru_stime);
}

double Monotonic() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// A pty whose master nobody reads or writes: a radio that is switched off.
std::string SilentPty() {
  const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
    std::perror("posix_openpt");
    std::exit(1);
  }
  return ptsname(master);  // the master stays open for the program's life
}

void Report(const char* what, double wall, double cpu) {
  std::printf("%-22s wall %6.2f s  cpu %7.4f s  (%.2f%%)\n", what, wall, cpu, 100.0 * cpu / wall);
}

}  // namespace

int main() {
  std::string folder = (std::filesystem::temp_directory_path() / "qd6250-bench-XXXXXX").string();
  if (!mkdtemp(folder.data())) {
    std::perror("mkdtemp");
    return 1;
  }
  setenv("QD6250_PORT_DIR", folder.c_str(), 1);
  std::filesystem::create_symlink(SilentPty(), folder + "/COM1");
  std::filesystem::create_symlink(SilentPty(), folder + "/COM2");

  qd::PosixSerialPort radio, cat;
  if (!radio.Open(1, "9600,O,7,1", qd::Handshake::None) ||
      !cat.Open(2, "4800,N,8,1", qd::Handshake::None)) {
    std::fprintf(stderr, "ports did not open: %s %s\n", radio.LastError().c_str(),
                 cat.LastError().c_str());
    return 1;
  }
  qd::RealClock clock;
  clock.AttachPort(&radio);
  clock.AttachPort(&cat);
  NoWindowing windowing;
  qd::Program p(clock, windowing, radio, cat);

  double wall = Monotonic();
  double cpu = CpuSeconds();
  qd::WaitSeconds(p, 10.0);
  Report("WaitSeconds(10)", Monotonic() - wall, CpuSeconds() - cpu);

  wall = Monotonic();
  cpu = CpuSeconds();
  int replies = 0;
  while (Monotonic() - wall < 10.0) {
    qd::ReadReply(p);
    ++replies;
  }
  Report("ReadReply loop", Monotonic() - wall, CpuSeconds() - cpu);
  std::printf("%d reply waits, lblComStat \"%s\"\n", replies, p.main.lblComStat.caption.c_str());

  radio.Close();
  cat.Close();
  std::filesystem::remove_all(folder);
  return 0;
}
