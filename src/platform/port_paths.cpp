#include "platform/port_paths.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace qd {

namespace {

const char* PortDirVariable() {
  const char* dir = std::getenv("QD6250_PORT_DIR");
  return dir && *dir ? dir : nullptr;
}

}  // namespace

std::string PortFolder() {
  const char* dir = PortDirVariable();
  return dir ? dir : "ports";
}

std::string DevicePathForPort(int portNumber) {
  const std::string entry = PortFolder() + "/COM" + std::to_string(portNumber);
  struct stat st {};
  if (PortDirVariable() || lstat(entry.c_str(), &st) == 0) return entry;
  return "/dev/ttyS" + std::to_string(portNumber - 1);
}

bool ProbePort(int portNumber) {
  if (portNumber < kLowestPortNumber || portNumber > kHighestPortNumber) return false;
  const std::string path = DevicePathForPort(portNumber);
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;  // missing, refused, or held with TIOCEXCL by another program
  // A port held by this program (or any holder of the lock, root included)
  // keeps its flock; ours then fails.
  const bool present = isatty(fd) && flock(fd, LOCK_EX | LOCK_NB) == 0;
  ::close(fd);
  return present;
}

}  // namespace qd
