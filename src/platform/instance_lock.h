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
  // True when no other instance holds the lock (and this one now does). Also
  // true when no lock file can be made at all: better to run than to refuse.
  bool Acquired() const { return acquired_; }

 private:
  int fd_ = -1;
  bool acquired_ = false;
};

}  // namespace qd
