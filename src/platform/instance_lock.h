// Single-instance check: a per-user lock file in $XDG_RUNTIME_DIR (or a
// per-user folder under the temporary folder), held for the program's life.
#pragma once

#include <string>

namespace qd {

class InstanceLock {
 public:
  explicit InstanceLock(const std::string& name = "qd6250");
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  // True when no other instance holds the lock (and this one now does).
  bool Acquired() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace qd
