#include "pty_fixture.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>
#include <stdexcept>

namespace qd::test {

TempDir::TempDir() {
  std::string tmpl = std::filesystem::temp_directory_path() / "qd6250-test-XXXXXX";
  if (!mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  path_ = tmpl;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(path_, ec);
}

PtyPair::PtyPair() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
    throw std::runtime_error("no pseudo-terminal");
  slave_ = ptsname(master_);
}

void PtyPair::Send(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(master_, bytes.data(), bytes.size());
    if (n < 0 && errno != EAGAIN && errno != EINTR) throw std::runtime_error("master write failed");
    if (n > 0) bytes.remove_prefix(static_cast<size_t>(n));
  }
}

std::string PtyPair::Receive(std::size_t atLeast, double seconds) {
  std::string got;
  timespec start{};
  clock_gettime(CLOCK_MONOTONIC, &start);
  while (got.size() < atLeast) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const double left = seconds - (now.tv_sec - start.tv_sec) - (now.tv_nsec - start.tv_nsec) / 1e9;
    if (left <= 0) break;
    pollfd p{master_, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left * 1000) + 1) <= 0) continue;
    char buf[4096];
    const ssize_t n = read(master_, buf, sizeof buf);
    if (n <= 0) break;
    got.append(buf, static_cast<size_t>(n));
  }
  return got;
}

void PtyPair::Hangup() {
  if (master_ >= 0) close(master_);
  master_ = -1;
}

PortDir::PortDir() {
  setenv("QD6250_PORT_DIR", dir_.path().c_str(), 1);
}

PortDir::~PortDir() {
  unsetenv("QD6250_PORT_DIR");
}

void PortDir::Link(int portNumber, const std::string& device) const {
  const std::string entry = dir_ / ("COM" + std::to_string(portNumber));
  unlink(entry.c_str());
  if (symlink(device.c_str(), entry.c_str()) != 0) throw std::runtime_error("symlink failed");
}

double ProcessCpuSeconds() {
  timespec ts{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

}  // namespace qd::test
