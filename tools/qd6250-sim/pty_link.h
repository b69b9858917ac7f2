// The simulator's end of the line: a pseudo-terminal whose slave side is
// published as DIR/COM<N> for the panel to open. It keeps a slave descriptor
// of its own open (raw) so the master never sees a hang-up between clients,
// and removes the link again when it goes.
#pragma once

#include <memory>
#include <string>

namespace qd::sim {

class PtyLink {
 public:
  // Creates the pty and the link; nullptr with `error` set when that fails.
  static std::unique_ptr<PtyLink> Create(const std::string& dir, int port, std::string& error);
  ~PtyLink();
  PtyLink(const PtyLink&) = delete;
  PtyLink& operator=(const PtyLink&) = delete;

  int MasterFd() const { return master_; }
  const std::string& SlavePath() const { return slavePath_; }
  const std::string& LinkPath() const { return linkPath_; }

 private:
  PtyLink() = default;
  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
  std::string linkPath_;
};

}  // namespace qd::sim
