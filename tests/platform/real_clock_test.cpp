// The real clock: local time of day, and sleeps that keep the ports working.
#include "platform/real_clock.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <atomic>
#include <cmath>
#include <ctime>
#include <thread>

#include "platform/posix_serial_port.h"
#include "pty_fixture.h"

namespace qd::test {
namespace {

TEST(RealClock, TimeOfDayIsLocal) {
  const char* oldTz = getenv("TZ");
  const std::string saved = oldTz ? oldTz : "";
  setenv("TZ", "QDT-5", 1);  // five hours east of UTC
  tzset();
  RealClock clock;
  const double tod = clock.TimeOfDay();
  const double expected = std::fmod(static_cast<double>(time(nullptr) % 86400) + 5 * 3600, 86400);
  double diff = std::fabs(tod - expected);
  diff = std::min(diff, 86400 - diff);  // across midnight
  EXPECT_LT(diff, 2.0) << tod << " vs " << expected;
  EXPECT_GE(tod, 0.0);
  EXPECT_LT(tod, 86400.0);
  if (oldTz)
    setenv("TZ", saved.c_str(), 1);
  else
    unsetenv("TZ");
  tzset();
}

class RealClockPorts : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Link(1, pty.slave());
    ASSERT_TRUE(port.Open(1, "9600,N,8,1", Handshake::None));
    clock.AttachPort(&port);
  }
  PtyPair pty;
  PortDir dir;
  PosixSerialPort port;
  RealClock clock;
};

TEST_F(RealClockPorts, OutputKeepsFlowingWhileSleeping) {
  std::string big;
  for (int i = 0; i < 20000; ++i) big += std::to_string(i) + ",";
  port.Output(big);  // far more than the device takes at once
  ASSERT_GT(port.OutBufferCount(), 0u);
  std::atomic<bool> done = false;
  std::string got;
  std::thread reader([&] {
    got = pty.Receive(big.size(), 20.0);
    done = true;
  });
  for (int i = 0; i < 100 && !done; ++i) clock.Sleep(0.2);
  reader.join();
  EXPECT_EQ(got, big);
  EXPECT_EQ(port.OutBufferCount(), 0u);
}

TEST_F(RealClockPorts, SleepingOnASilentOrVanishedPortCostsNoCpu) {
  double cpu = ProcessCpuSeconds();
  clock.Sleep(0.4);
  EXPECT_LT(ProcessCpuSeconds() - cpu, 0.1);

  pty.Hangup();
  cpu = ProcessCpuSeconds();
  clock.Sleep(0.4);
  EXPECT_LT(ProcessCpuSeconds() - cpu, 0.1);
  EXPECT_FALSE(port.IsOpen());
}

}  // namespace
}  // namespace qd::test
