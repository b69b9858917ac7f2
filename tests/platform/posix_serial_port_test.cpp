// The termios port on pseudo-terminal pairs: the master is the far end.
#include "platform/posix_serial_port.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include <chrono>
#include <cmath>
#include <thread>

#include "platform/errors.h"
#include "platform/port_paths.h"
#include "pty_fixture.h"

namespace qd::test {
namespace {

// Generous: a sleeping wait costs microseconds, a spinning one the whole wait.
constexpr double kSleepingCpuSeconds = 0.1;

class PosixPortTest : public ::testing::Test {
 protected:
  void SetUp() override { dir.Link(3, pty.slave()); }

  termios FarSideSettings() {
    termios t{};
    EXPECT_EQ(tcgetattr(pty.master(), &t), 0);  // the master reports the slave's settings
    return t;
  }

  PtyPair pty;
  PortDir dir;
  PosixSerialPort port;
};

TEST_F(PosixPortTest, UsableSettingsOpenAndConfigureTheLine) {
  struct Case {
    const char* settings;
    Handshake handshake;
    speed_t speed;
    bool twoStops;
  };
  const Case cases[] = {{"9600,O,7,1", Handshake::None, B9600, false},
                        {" 4800 , e , 8 , 2 ", Handshake::None, B4800, true},
                        {"1200,M,7,1", Handshake::RtsCts, B1200, false},
                        {"115200,S,8,2", Handshake::None, B115200, true},
                        {"19200,N,8,1", Handshake::RtsCts, B19200, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.settings);
    ASSERT_TRUE(port.Open(3, c.settings, c.handshake)) << port.LastError();
    EXPECT_TRUE(port.IsOpen());
    EXPECT_EQ(port.PortNumber(), 3);
    EXPECT_EQ(port.Settings(), c.settings);
    const termios t = FarSideSettings();
    EXPECT_EQ(cfgetospeed(&t), c.speed);
    EXPECT_EQ((t.c_cflag & CSTOPB) != 0, c.twoStops);
    EXPECT_EQ((t.c_cflag & CRTSCTS) != 0, c.handshake == Handshake::RtsCts);
    // Marks on, and nothing that would drop, translate or echo bytes.
    EXPECT_EQ(t.c_iflag, static_cast<tcflag_t>(INPCK | PARMRK));
    EXPECT_EQ(t.c_oflag, 0u);
    EXPECT_EQ(t.c_lflag & (ECHO | ICANON | ISIG | IEXTEN), 0u);
    port.Close();
    EXPECT_FALSE(port.IsOpen());
  }
}

TEST_F(PosixPortTest, UnusableSettingsThrowInvalidPropertyValue) {
  for (const char* bad : {"", "9600", "9600,O,7", "9600,O,7,1,1", "9600,X,7,1", "9600,O,6,1",
                          "9600,O,7,3", "abc,O,7,1", "9601,O,7,1", "-9600,O,7,1", "9600,OO,7,1"}) {
    SCOPED_TRACE(bad);
    try {
      port.Open(3, bad, Handshake::None);
      ADD_FAILURE() << "opened";
    } catch (const RuntimeError& e) {
      EXPECT_EQ(e.number(), 380);
      EXPECT_EQ(e.description(), "Invalid property value");
    }
    EXPECT_FALSE(port.IsOpen());
  }
}

TEST_F(PosixPortTest, MissingPortDoesNotOpenAndSaysWhy) {
  EXPECT_FALSE(port.Open(4, "9600,O,7,1", Handshake::None));
  EXPECT_FALSE(port.IsOpen());
  EXPECT_NE(port.LastError().find("COM4"), std::string::npos) << port.LastError();
  EXPECT_FALSE(port.Open(0, "9600,O,7,1", Handshake::None));
}

TEST_F(PosixPortTest, ANonTerminalIsNotASerialPort) {
  const std::string file = dir.path() + "/plain";
  close(open(file.c_str(), O_CREAT | O_WRONLY, 0600));
  dir.Link(5, file);
  EXPECT_FALSE(port.Open(5, "9600,O,7,1", Handshake::None));
  EXPECT_FALSE(ProbePort(5));
}

TEST_F(PosixPortTest, WritesLeaveUnchangedAndReadsAreCounted) {
  ASSERT_TRUE(port.Open(3, "9600,O,7,1", Handshake::None));
  port.Output("F1420000\nU");
  EXPECT_EQ(pty.Receive(10), "F1420000\nU");  // no CR added
  EXPECT_EQ(port.OutBufferCount(), 0u);

  pty.Send("A1\r\nM2\n");
  EXPECT_EQ(port.WaitForInput(2.0, 6), 7u);
  EXPECT_EQ(port.InBufferCount(), 7u);
  EXPECT_EQ(port.Input(), "A1\r\nM2\n");
  EXPECT_EQ(port.InBufferCount(), 0u);
  EXPECT_EQ(port.Input(), "");
}

TEST_F(PosixPortTest, OutputTheDeviceCannotTakeYetIsKeptAndSentInOrder) {
  ASSERT_TRUE(port.Open(3, "9600,N,8,1", Handshake::None));
  std::string big;
  for (int i = 0; i < 8000; ++i) big += std::to_string(i) + ",";
  port.Output(big);  // more than a pty holds while nobody reads
  EXPECT_GT(port.OutBufferCount(), 0u);
  std::string got;
  while (got.size() < big.size()) {
    const std::string piece = pty.Receive(1, 0.5);
    ASSERT_FALSE(piece.empty()) << "output stalled at " << got.size();
    got += piece;
    port.Service();
  }
  EXPECT_EQ(got, big);
  EXPECT_EQ(port.OutBufferCount(), 0u);
}

TEST_F(PosixPortTest, ReceivedBytesAreDecoded) {
  struct Case {
    const char* settings;
    std::string sent;
    std::string read;
  };
  const Case cases[] = {
      {"9600,N,8,1", std::string("A\0B\0", 4), "AB"},  // NULs dropped
      {"9600,N,8,1", "\xff", "\xff"},                  // escaped by the kernel, not a mark
      {"9600,N,8,1", std::string("\xff\0B", 3),
       "\xff"
       "B"},                                // line bytes that only look like a mark
      {"9600,O,7,1", "\xc1\xff", "A\x7f"},  // 7 data bits
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.settings);
    ASSERT_TRUE(port.Open(3, c.settings, Handshake::None));
    pty.Send(c.sent);
    port.WaitForInput(2.0, c.read.size() - 1);
    EXPECT_EQ(port.Input(), c.read);
    EXPECT_FALSE(port.TakeEvent());
    port.Close();
  }
}

TEST_F(PosixPortTest, FlushInputDiscardsWhatArrived) {
  ASSERT_TRUE(port.Open(3, "9600,O,7,1", Handshake::None));
  pty.Send("stale");
  port.WaitForInput(2.0, 4);
  port.FlushInput();
  EXPECT_EQ(port.InBufferCount(), 0u);
  pty.Send("new");
  port.WaitForInput(2.0, 2);
  EXPECT_EQ(port.Input(), "new");
}

TEST_F(PosixPortTest, WaitForInputSleepsUntilArrivalOrTimeout) {
  ASSERT_TRUE(port.Open(3, "9600,O,7,1", Handshake::None));
  double cpu = ProcessCpuSeconds();
  EXPECT_EQ(port.WaitForInput(0.5), 0u);
  EXPECT_LT(ProcessCpuSeconds() - cpu, kSleepingCpuSeconds);

  std::thread writer([this] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    pty.Send("OK\n");
  });
  cpu = ProcessCpuSeconds();
  const std::size_t got = port.WaitForInput(30.0);
  writer.join();
  EXPECT_GE(got, 1u);  // returned on arrival, long before the time-out
  EXPECT_LT(ProcessCpuSeconds() - cpu, kSleepingCpuSeconds);

  // Bytes already waiting do not end a wait for more than them.
  port.WaitForInput(2.0, 2);
  cpu = ProcessCpuSeconds();
  EXPECT_EQ(port.WaitForInput(0.3, 3), 3u);
  EXPECT_LT(ProcessCpuSeconds() - cpu, kSleepingCpuSeconds);
}

TEST_F(PosixPortTest, NonsenseWaitsReturnAtOnce) {
  ASSERT_TRUE(port.Open(3, "9600,O,7,1", Handshake::None));
  for (double t : {0.0, -5.0, std::nan("")}) EXPECT_EQ(port.WaitForInput(t), 0u);
}

TEST_F(PosixPortTest, ReceiveThresholdQueuesOneEventUntilInputIsTaken) {
  ASSERT_TRUE(port.Open(3, "9600,N,8,1", Handshake::None));
  port.SetReceiveThreshold(3);
  pty.Send("FA");
  port.WaitForInput(2.0, 1);
  EXPECT_FALSE(port.TakeEvent());
  pty.Send(";");
  port.WaitForInput(2.0, 2);
  ASSERT_EQ(port.TakeEvent().value_or(PortEvent{}).code, comm_event::kReceive);
  pty.Send("IF;");
  port.WaitForInput(2.0, 5);
  EXPECT_FALSE(port.TakeEvent());
  EXPECT_EQ(port.Input(), "FA;IF;");
  pty.Send("MD;");
  port.WaitForInput(2.0, 2);
  EXPECT_EQ(port.TakeEvent().value_or(PortEvent{}).code, comm_event::kReceive);
}

TEST_F(PosixPortTest, LinesThatCannotBeReadReadAsAsserted) {
  ASSERT_TRUE(port.Open(3, "9600,O,7,1", Handshake::None));
  port.SetDtr(false);
  port.SetRts(false);
  EXPECT_TRUE(port.CdHolding());
  EXPECT_TRUE(port.CtsHolding());
  EXPECT_TRUE(port.DsrHolding());
  EXPECT_FALSE(port.TakeEvent());
  EXPECT_TRUE(port.IsOpen());
}

TEST_F(PosixPortTest, HangupClosesThePortAndReportsItOnce) {
  ASSERT_TRUE(port.Open(3, "9600,O,7,1", Handshake::None));
  pty.Hangup();
  double cpu = ProcessCpuSeconds();
  EXPECT_EQ(port.WaitForInput(0.5), 0u);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.PollFd(), -1);
  EXPECT_NE(port.LastError().find("lost"), std::string::npos) << port.LastError();
  EXPECT_EQ(port.TakeEvent().value_or(PortEvent{}).code, comm_event::kDeviceLost);
  EXPECT_FALSE(port.TakeEvent());
  // Still usable as an object: waits sleep, output says the port is closed.
  EXPECT_EQ(port.WaitForInput(0.3), 0u);
  EXPECT_LT(ProcessCpuSeconds() - cpu, kSleepingCpuSeconds);
  try {
    port.Output("F1420000\n");
    ADD_FAILURE() << "wrote to a lost port";
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), kErrPortNotOpen);
  }
  EXPECT_EQ(port.InBufferCount(), 0u);

  // The adapter comes back under the same link: the port opens again.
  PtyPair replugged;
  dir.Link(3, replugged.slave());
  ASSERT_TRUE(port.Open(3, "9600,O,7,1", Handshake::None)) << port.LastError();
  port.Output("?");
  EXPECT_EQ(replugged.Receive(1), "?");
}

TEST_F(PosixPortTest, HangupIsNoticedByEveryEntryPoint) {
  using Poke = void (*)(PosixSerialPort&);
  const Poke pokes[] = {
      [](PosixSerialPort& p) { p.Service(); },
      [](PosixSerialPort& p) { p.InBufferCount(); },
      [](PosixSerialPort& p) { p.Input(); },
      [](PosixSerialPort& p) { p.TakeEvent(); },
  };
  for (Poke poke : pokes) {
    PtyPair far;
    dir.Link(6, far.slave());
    PosixSerialPort p;
    ASSERT_TRUE(p.Open(6, "9600,O,7,1", Handshake::None));
    far.Hangup();
    poke(p);
    EXPECT_FALSE(p.IsOpen());
  }
}

TEST_F(PosixPortTest, APortHeldElsewhereIsRefused) {
  ASSERT_TRUE(port.Open(3, "9600,O,7,1", Handshake::None));
  PosixSerialPort second;
  EXPECT_FALSE(second.Open(3, "9600,O,7,1", Handshake::None));
  EXPECT_NE(second.LastError().find("in use"), std::string::npos) << second.LastError();
  EXPECT_TRUE(port.IsOpen());  // the holder is undisturbed
  port.Close();
  EXPECT_TRUE(second.Open(3, "9600,O,7,1", Handshake::None)) << second.LastError();
  second.Close();

  // Another program holding the device's lock.
  const int other = open(pty.slave().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  ASSERT_GE(other, 0);
  ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
  EXPECT_FALSE(port.Open(3, "9600,O,7,1", Handshake::None));
  close(other);
  EXPECT_TRUE(port.Open(3, "9600,O,7,1", Handshake::None));
}

// Another program that opens the device without taking its lock is still kept
// out (root is not, so the other program runs as nobody).
TEST_F(PosixPortTest, AnotherProgramCannotOpenAPortWeHold) {
  ASSERT_TRUE(port.Open(3, "9600,O,7,1", Handshake::None));
  chmod(pty.slave().c_str(), 0666);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
    const int fd = open(pty.slave().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    _exit(fd < 0 && errno == EBUSY ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: opened or wrong error, 3: could not drop root";
}

TEST_F(PosixPortTest, ReopeningAnOpenPortStartsClean) {
  ASSERT_TRUE(port.Open(3, "9600,O,7,1", Handshake::None));
  pty.Send("old");
  port.WaitForInput(2.0, 2);
  // The same settings again: the pty already holds its forced 8N1, so the
  // device changes nothing this time.
  ASSERT_TRUE(port.Open(3, "9600,O,7,1", Handshake::None)) << port.LastError();
  EXPECT_EQ(port.InBufferCount(), 0u);
  ASSERT_TRUE(port.Open(3, "4800,N,8,2", Handshake::None)) << port.LastError();
  EXPECT_EQ(port.InBufferCount(), 0u);
  EXPECT_EQ(port.Settings(), "4800,N,8,2");
  const termios t = FarSideSettings();
  EXPECT_EQ(cfgetospeed(&t), B4800);
}

}  // namespace
}  // namespace qd::test
