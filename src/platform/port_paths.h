// Serial port numbers 1..16 on Linux: port n is the entry COM<n> of the port
// folder ($QD6250_PORT_DIR, else ports/ in the working directory), normally a
// symlink to the real device; only with QD6250_PORT_DIR unset and no link does
// n fall back to /dev/ttyS<n-1>.
#pragma once

#include <string>

namespace qd {

constexpr int kLowestPortNumber = 1;
constexpr int kHighestPortNumber = 16;

std::string PortFolder();
std::string DevicePathForPort(int portNumber);

// True when port n can be opened at this moment; false for a port held open
// by another program or by this one.
bool ProbePort(int portNumber);

}  // namespace qd
