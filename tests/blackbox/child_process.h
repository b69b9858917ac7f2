// Running the real qd6250 and qd6250-sim as child processes: finding the
// binaries, a private working folder, launching, bounded waits and reading the
// files they write. Shared by the black-box tests and the panel CPU bench.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace qd::blackbox {

namespace fs = std::filesystem;
using SteadyClock = std::chrono::steady_clock;

inline double Since(SteadyClock::time_point t) {
  return std::chrono::duration<double>(SteadyClock::now() - t).count();
}

// Polls `done` every 50 ms until it holds or `seconds` pass; whether it held.
inline bool WaitUntil(const std::function<bool()>& done, double seconds) {
  const SteadyClock::time_point start = SteadyClock::now();
  while (!done()) {
    if (Since(start) >= seconds) return done();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

inline std::string ReadFile(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// The folder holding qd6250 and qd6250-sim: $QD6250_BIN_DIR, else `fallback`
// (e.g. the caller's own folder); empty when neither holds both.
inline fs::path FindBinDir(const fs::path& fallback = {}) {
  std::vector<fs::path> candidates;
  if (const char* bin = std::getenv("QD6250_BIN_DIR")) candidates.emplace_back(bin);
  if (!fallback.empty()) candidates.push_back(fallback);
  for (const fs::path& dir : candidates)
    if (fs::exists(dir / "qd6250") && fs::exists(dir / "qd6250-sim")) return dir;
  return {};
}

// A private working folder with a port folder, used as the panel's working
// directory, $QD6250_PORT_DIR and $XDG_RUNTIME_DIR (mkdtemp gives the 0700
// that Qt wants there). Removed with everything in it.
class WorkDir {
 public:
  explicit WorkDir(const std::string& prefix) {
    std::string pattern = (fs::temp_directory_path() / (prefix + "_XXXXXX")).string();
    if (!::mkdtemp(pattern.data())) return;
    path_ = pattern;
    fs::create_directories(Ports());
    ::setenv("QD6250_PORT_DIR", Ports().c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", path_.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  ~WorkDir() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove_all(path_, ignored);
  }
  WorkDir(const WorkDir&) = delete;
  WorkDir& operator=(const WorkDir&) = delete;

  bool ok() const { return !path_.empty(); }
  const fs::path& Path() const { return path_; }
  fs::path Ports() const { return path_ / "ports"; }

  // The radio on COM1 at the simulator's default line settings.
  void WritePortSetup() const {
    std::ofstream(path_ / "PortSetup.txt") << "1\r\n9600 ,O,7,1\r\ncomNone\r\n0\r\n";
  }

 private:
  fs::path path_;
};

// A child process started in `cwd` with its output discarded; sent SIGTERM and
// reaped when it goes out of scope unless already reaped.
class Child {
 public:
  Child() = default;
  Child(const fs::path& program, std::vector<std::string> args, const fs::path& cwd) {
    pid_ = ::fork();
    if (pid_ != 0) return;
    if (::chdir(cwd.c_str()) != 0) ::_exit(126);
    const int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, STDIN_FILENO);
    ::dup2(null, STDOUT_FILENO);
    ::dup2(null, STDERR_FILENO);
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ~Child() { Stop(); }
  Child(Child&& other) noexcept : pid_(std::exchange(other.pid_, -1)) {}
  Child& operator=(Child&& other) noexcept {
    Stop();
    pid_ = std::exchange(other.pid_, -1);
    return *this;
  }

  pid_t Pid() const { return pid_; }
  bool Running() const { return pid_ > 0; }
  void Signal(int signal) const {
    if (pid_ > 0) ::kill(pid_, signal);
  }

  // The wait status once the child ended within `seconds`, else nothing.
  std::optional<int> WaitExit(double seconds) {
    int status = 0;
    const bool ended =
        WaitUntil([&] { return pid_ > 0 && ::waitpid(pid_, &status, WNOHANG) == pid_; }, seconds);
    if (!ended) return std::nullopt;
    pid_ = -1;
    return status;
  }

  // SIGTERM, then SIGKILL if it has not ended within a few seconds.
  void Stop() {
    if (pid_ <= 0) return;
    Signal(SIGTERM);
    if (WaitExit(5)) return;
    Signal(SIGKILL);
    ::waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
};

}  // namespace qd::blackbox
