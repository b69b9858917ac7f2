// Port enumeration: the dialogs' port list from a probe, and the real probe
// over a port folder of links to pseudo-terminals.
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>

#include "platform/port_paths.h"
#include "platform/posix_serial_port.h"
#include "setup/comm_ports.h"
#include "setup_fixture.h"

namespace qd::test {
namespace {

struct ListCase {
  std::set<int> present;
  std::vector<std::string> items;
  std::string found;
};

class PortListTest : public SetupTest, public ::testing::WithParamInterface<ListCase> {};

TEST_P(PortListTest, ListsPresentPortsInOrder) {
  present = GetParam().present;
  ComboBox combo;
  combo.items = {"stale"};
  TextBox found;
  found.text = "stale";
  FillPortList(p, combo, found);
  EXPECT_EQ(combo.items, GetParam().items);
  EXPECT_EQ(found.text, GetParam().found);
}

INSTANTIATE_TEST_SUITE_P(
    Probes, PortListTest,
    ::testing::Values(ListCase{{}, {}, "No Ports"},                 // none present
                      ListCase{{17, 0, -1}, {}, "No Ports"},        // only numbers outside 1..16
                      ListCase{{1, 3}, {"1", "3"}, "1, 3, "},       // trailing separator kept
                      ListCase{{10, 2}, {"2", "10"}, "2, 10, "},    // numeric order
                      ListCase{{16, 1}, {"1", "16"}, "1, 16, "}));  // both ends

TEST_F(SetupTest, GetCommPortsAsksOnlyPortsOneToSixteen) {
  std::vector<int> asked;
  p.portPresent = [&asked](int n) {
    asked.push_back(n);
    return n % 5 == 0;
  };
  EXPECT_EQ(GetCommPorts(p), (std::vector<int>{5, 10, 15}));
  ASSERT_EQ(asked.size(), 16u);
  EXPECT_EQ(asked.front(), 1);
  EXPECT_EQ(asked.back(), 16);
}

// A pseudo-terminal whose master stays open, so its slave can be opened.
class Pty {
 public:
  Pty() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0)
      throw std::runtime_error("no pseudo-terminal");
    slave_ = ptsname(master_);
  }
  ~Pty() { close(master_); }
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;
  const std::string& slave() const { return slave_; }

 private:
  int master_ = -1;
  std::string slave_;
};

// The port folder as the real program sees it: QD6250_PORT_DIR names a folder
// of COM<n> links. A held port and a dangling link are absent, and a port
// above 16 is never asked for.
TEST_F(SetupTest, RealProbeListsOpenablePortsOfThePortFolder) {
  const std::filesystem::path dir = std::filesystem::path(cwd.path()) / "ports";
  std::filesystem::create_directory(dir);
  ASSERT_EQ(setenv("QD6250_PORT_DIR", dir.c_str(), 1), 0);
  struct Unset {
    ~Unset() { unsetenv("QD6250_PORT_DIR"); }
  } unset;
  Pty a, b, held, high;
  std::filesystem::create_symlink(a.slave(), dir / "COM2");
  std::filesystem::create_symlink(b.slave(), dir / "COM10");
  std::filesystem::create_symlink(held.slave(), dir / "COM4");
  std::filesystem::create_symlink(high.slave(), dir / "COM17");
  std::filesystem::create_symlink("/dev/pts/no-such-device", dir / "COM7");
  std::filesystem::create_symlink(dir / "not-a-tty", dir / "COM9");
  WriteFileBytes((dir / "not-a-tty").string(), "plain file");

  PosixSerialPort holder;
  ASSERT_TRUE(holder.Open(4, "9600,N,8,1", Handshake::None)) << holder.LastError();
  p.portPresent = ProbePort;
  EXPECT_EQ(GetCommPorts(p), (std::vector<int>{2, 10}));

  // Released, the port is present again; probing kept nothing open.
  holder.Close();
  EXPECT_EQ(GetCommPorts(p), (std::vector<int>{2, 4, 10}));
  EXPECT_EQ(GetCommPorts(p), (std::vector<int>{2, 4, 10}));
}

}  // namespace
}  // namespace qd::test
