#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace qd {

namespace {

// $XDG_RUNTIME_DIR, else a folder of our own under the temporary folder.
std::string LockFolder() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime && *runtime) return runtime;
  const char* tmp = std::getenv("TMPDIR");
  std::string dir = std::string(tmp && *tmp ? tmp : "/tmp") + "/qd6250-" + std::to_string(getuid());
  mkdir(dir.c_str(), 0700);
  return dir;
}

// A folder we may trust with the lock: ours, a real folder, not open to others.
bool Trusted(const std::string& dir) {
  struct stat st {};
  return lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
         (st.st_mode & 022) == 0;
}

}  // namespace

InstanceLock::InstanceLock(const std::string& name) {
  const std::string dir = LockFolder();
  if (!Trusted(dir)) {
    // No safe place for a lock: run rather than claim another instance runs.
    acquired_ = true;
    return;
  }
  const std::string path = dir + "/" + name + ".lock";
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd_ < 0) {
    acquired_ = true;
    return;
  }
  if (flock(fd_, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK) {
    acquired_ = true;
    return;
  }
  ::close(fd_);
  fd_ = -1;
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace qd
