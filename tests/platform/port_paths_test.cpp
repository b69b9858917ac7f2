// Port numbers to device paths, and the "can it be opened now" probe.
#include "platform/port_paths.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/posix_serial_port.h"
#include "pty_fixture.h"

namespace qd::test {
namespace {

TEST(PortPaths, PortFolderVariableNamesTheFolderEvenWithoutALink) {
  PortDir dir;
  EXPECT_EQ(PortFolder(), dir.path());
  EXPECT_EQ(DevicePathForPort(3), dir.path() + "/COM3");
  EXPECT_EQ(DevicePathForPort(12), dir.path() + "/COM12");
}

// Without the variable: ports/ in the working directory, else the ttyS device.
TEST(PortPaths, WithoutTheVariableALinkInPortsWinsOverTheTtySDevice) {
  unsetenv("QD6250_PORT_DIR");
  TempDir work;
  const auto cwd = std::filesystem::current_path();
  std::filesystem::current_path(work.path());
  mkdir("ports", 0700);
  symlink("/dev/null", "ports/COM2");
  EXPECT_EQ(PortFolder(), "ports");
  EXPECT_EQ(DevicePathForPort(2), "ports/COM2");
  EXPECT_EQ(DevicePathForPort(1), "/dev/ttyS0");
  EXPECT_EQ(DevicePathForPort(16), "/dev/ttyS15");
  std::filesystem::current_path(cwd);
}

TEST(PortPaths, ProbeFindsPortsThatOpenNow) {
  PortDir dir;
  PtyPair a, b;
  dir.Link(2, a.slave());
  dir.Link(10, b.slave());
  dir.Link(17, a.slave());                    // beyond the numbers offered
  dir.Link(4, dir.path() + "/nothing-here");  // a dangling link
  std::vector<int> present;
  for (int n = 0; n <= 17; ++n)
    if (ProbePort(n)) present.push_back(n);
  EXPECT_EQ(present, (std::vector<int>{2, 10}));

  // While this program holds a port, the probe leaves it out; after, it is back.
  PosixSerialPort held;
  ASSERT_TRUE(held.Open(10, "9600,O,7,1", Handshake::None));
  EXPECT_FALSE(ProbePort(10));
  EXPECT_TRUE(held.IsOpen());
  held.Close();
  EXPECT_TRUE(ProbePort(10));
  // The probe itself holds nothing.
  EXPECT_TRUE(held.Open(10, "9600,O,7,1", Handshake::None));
}

}  // namespace
}  // namespace qd::test
