// Line errors and modem-line changes as a real UART reports them. A pty has
// neither kernel counters nor modem lines, so this program's own ioctl() stands
// in for the C library's and answers those requests from a scripted line.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <linux/serial.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <vector>

#include "platform/posix_serial_port.h"
#include "pty_fixture.h"

namespace {

struct ScriptedLine {
  serial_icounter_struct icount{};
  int modem = TIOCM_CTS | TIOCM_DSR | TIOCM_CD | TIOCM_DTR | TIOCM_RTS;  // as after open()
  int failWith = 0;                                                      // errno, or 0
};
ScriptedLine* gLine = nullptr;

}  // namespace

extern "C" int ioctl(int fd, unsigned long request, ...) noexcept {
  va_list ap;
  va_start(ap, request);
  void* arg = va_arg(ap, void*);
  va_end(ap);
  const bool lineRequest =
      request == TIOCGICOUNT || request == TIOCMGET || request == TIOCMBIS || request == TIOCMBIC;
  if (gLine && lineRequest) {
    if (gLine->failWith) {
      errno = gLine->failWith;
      return -1;
    }
    int* bits = static_cast<int*>(arg);
    if (request == TIOCGICOUNT) std::memcpy(arg, &gLine->icount, sizeof gLine->icount);
    if (request == TIOCMGET) *bits = gLine->modem;
    if (request == TIOCMBIS) gLine->modem |= *bits;
    if (request == TIOCMBIC) gLine->modem &= ~*bits;
    return 0;
  }
  static const auto real =
      reinterpret_cast<int (*)(int, unsigned long, ...)>(dlsym(RTLD_NEXT, "ioctl"));
  return real(fd, request, arg);
}

namespace qd::test {
namespace {

class LineEventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir.Link(3, pty.slave());
    gLine = &line;
  }
  void TearDown() override {
    port.Close();
    gLine = nullptr;
  }
  void Open(Handshake handshake = Handshake::None) {
    ASSERT_TRUE(port.Open(3, "9600,O,7,1", handshake)) << port.LastError();
  }
  std::vector<int> Events() {
    std::vector<int> codes;
    while (auto e = port.TakeEvent()) codes.push_back(e->code);
    return codes;
  }

  PtyPair pty;
  PortDir dir;
  ScriptedLine line;
  PosixSerialPort port;
};

TEST_F(LineEventsTest, EachCounterMoveIsOneEventOfItsKind) {
  struct Case {
    int serial_icounter_struct::*counter;
    int code;
  };
  using S = serial_icounter_struct;
  const Case cases[] = {
      {&S::frame, comm_event::kFrame},
      {&S::overrun, comm_event::kOverrun},
      {&S::parity, comm_event::kRxParity},
      {&S::brk, comm_event::kBreak},
      {&S::buf_overrun, comm_event::kRxOver},
      {&S::cts, comm_event::kCts},
      {&S::dsr, comm_event::kDsr},
      {&S::dcd, comm_event::kCd},
      {&S::rng, comm_event::kRing},
  };
  line.icount.frame = 7;  // counters are cumulative: what was there before opening is old
  Open();
  EXPECT_TRUE(Events().empty());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    line.icount.*c.counter += 3;  // several within one check: one event
    EXPECT_EQ(Events(), std::vector<int>{c.code});
    EXPECT_TRUE(Events().empty());
  }
}

TEST_F(LineEventsTest, LevelChangesAreEventsAndReadAsTheyAre) {
  Open();
  EXPECT_TRUE(port.DsrHolding());
  line.modem &= ~TIOCM_DSR;  // external push-to-talk pressed
  EXPECT_FALSE(port.DsrHolding());
  EXPECT_EQ(Events(), std::vector<int>{comm_event::kDsr});
  line.modem &= ~(TIOCM_CTS | TIOCM_CD);
  EXPECT_FALSE(port.CtsHolding());
  EXPECT_FALSE(port.CdHolding());
  EXPECT_EQ(Events(), (std::vector<int>{comm_event::kCts, comm_event::kCd}));
  // A pulse shorter than our checks: the level is back, the counter moved.
  ++line.icount.dsr;
  EXPECT_EQ(Events(), std::vector<int>{comm_event::kDsr});
  EXPECT_FALSE(port.DsrHolding());
}

TEST_F(LineEventsTest, OutputLinesAreWhatTheProgramLastSet) {
  port.SetDtr(false);  // before opening: open() raises it, the port lowers it again
  Open();
  EXPECT_EQ(line.modem & (TIOCM_DTR | TIOCM_RTS), TIOCM_RTS);
  port.SetRts(false);
  port.SetDtr(true);
  EXPECT_EQ(line.modem & (TIOCM_DTR | TIOCM_RTS), TIOCM_DTR);
  port.Close();

  // Under RTS/CTS the kernel owns RTS.
  line.modem |= TIOCM_RTS;
  Open(Handshake::RtsCts);
  port.SetRts(false);
  EXPECT_TRUE(line.modem & TIOCM_RTS);
}

TEST_F(LineEventsTest, ALineCallFailingWithEioMeansTheDeviceIsGone) {
  Open();
  line.failWith = EIO;
  EXPECT_TRUE(port.DsrHolding());  // unreadable: asserted, push-to-talk released
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(Events(), std::vector<int>{comm_event::kDeviceLost});
}

TEST_F(LineEventsTest, ALineCallTheDriverDoesNotKnowChangesNothing) {
  line.failWith = EINVAL;
  Open();
  port.SetDtr(false);
  EXPECT_TRUE(port.IsOpen());
  EXPECT_TRUE(port.CdHolding());
  EXPECT_TRUE(Events().empty());
}

}  // namespace
}  // namespace qd::test
