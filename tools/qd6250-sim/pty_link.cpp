#include "pty_link.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace qd::sim {
namespace {

std::string SystemError(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

}  // namespace

std::unique_ptr<PtyLink> PtyLink::Create(const std::string& dir, int port, std::string& error) {
  std::unique_ptr<PtyLink> link(new PtyLink);
  link->master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (link->master_ < 0 || grantpt(link->master_) != 0 || unlockpt(link->master_) != 0) {
    error = SystemError("cannot create a pseudo-terminal");
    return nullptr;
  }
  const char* name = ptsname(link->master_);
  if (!name) {
    error = SystemError("cannot name the pseudo-terminal");
    return nullptr;
  }
  link->slavePath_ = name;
  link->slave_ = open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (link->slave_ < 0) {
    error = SystemError("cannot open " + link->slavePath_);
    return nullptr;
  }
  // Raw bytes both ways: no echo, no line editing, no "\n" -> "\r\n".
  termios t{};
  if (tcgetattr(link->slave_, &t) == 0) {
    cfmakeraw(&t);
    tcsetattr(link->slave_, TCSANOW, &t);
  }

  if (mkdir(dir.c_str(), 0755) != 0 && errno != EEXIST) {
    error = SystemError("cannot create " + dir);
    return nullptr;
  }
  const std::string path = dir + "/COM" + std::to_string(port);
  struct stat st {};
  if (lstat(path.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
    error = path + " exists and is not a link";
    return nullptr;
  }
  // Publish atomically: a link left by an earlier run is replaced in one step.
  const std::string temp = path + ".new" + std::to_string(getpid());
  unlink(temp.c_str());
  if (symlink(name, temp.c_str()) != 0 || rename(temp.c_str(), path.c_str()) != 0) {
    error = SystemError("cannot link " + path);
    unlink(temp.c_str());
    return nullptr;
  }
  link->linkPath_ = path;
  return link;
}

PtyLink::~PtyLink() {
  if (!linkPath_.empty()) {
    // Only our own link: another simulator may have taken the name since.
    char target[4096];
    const ssize_t n = readlink(linkPath_.c_str(), target, sizeof target - 1);
    if (n >= 0 && std::string(target, n) == slavePath_) unlink(linkPath_.c_str());
  }
  if (slave_ >= 0) close(slave_);
  if (master_ >= 0) close(master_);
}

}  // namespace qd::sim
