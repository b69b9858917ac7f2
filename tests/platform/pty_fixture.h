// Test helpers for the real serial port: a pseudo-terminal pair whose master
// plays the far end of the line, a temporary port folder (QD6250_PORT_DIR)
// with COM<n> links, and the process CPU time for "did it sleep?" checks.
#pragma once

#include <string>
#include <string_view>

namespace qd::test {

// A temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

class PtyPair {
 public:
  PtyPair();
  ~PtyPair() { Hangup(); }
  const std::string& slave() const { return slave_; }
  int master() const { return master_; }
  void Send(std::string_view bytes);
  // Whatever the program wrote, waiting up to `seconds` for at least `atLeast` bytes.
  std::string Receive(std::size_t atLeast, double seconds = 2.0);
  // Closes the master: the program's side sees the line hung up.
  void Hangup();

 private:
  int master_ = -1;
  std::string slave_;
};

// A temporary port folder named by QD6250_PORT_DIR for the fixture's lifetime.
class PortDir {
 public:
  PortDir();
  ~PortDir();
  const std::string& path() const { return dir_.path(); }
  // Links COM<n> to a device path.
  void Link(int portNumber, const std::string& device) const;

 private:
  TempDir dir_;
};

double ProcessCpuSeconds();

}  // namespace qd::test
