// Black box: the real qd6250 (offscreen) with qd6250-sim on one
// pseudo-terminal and a logger on another, published in a port folder. The
// logger reads and sets the radio's frequency and mode over the CAT port.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <string>

#include "blackbox/child_process.h"

namespace {

using namespace qd::blackbox;

// The logger's end of the CAT line: a raw pty published as a port link.
class LoggerLine {
 public:
  explicit LoggerLine(const fs::path& link) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
    const char* name = ptsname(master_);
    if (!name) return;
    slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);  // no hang-up between users
    termios t{};
    if (slave_ < 0 || tcgetattr(slave_, &t) != 0) return;
    cfmakeraw(&t);
    tcsetattr(slave_, TCSANOW, &t);
    ok_ = ::symlink(name, link.c_str()) == 0;
  }
  ~LoggerLine() {
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
  }
  bool ok() const { return ok_; }

  void Send(const std::string& text) {
    char drain[256];
    while (::read(master_, drain, sizeof drain) > 0) {
    }
    ASSERT_EQ(::write(master_, text.data(), text.size()), static_cast<ssize_t>(text.size()));
  }

  // The first answer (up to its ";") within `seconds`, or "".
  std::string Answer(double seconds) {
    std::string answer;
    const SteadyClock::time_point start = SteadyClock::now();
    while (Since(start) < seconds && answer.find(';') == std::string::npos) {
      pollfd p{master_, POLLIN, 0};
      ::poll(&p, 1, 100);
      char buffer[256];
      const ssize_t n = ::read(master_, buffer, sizeof buffer);
      if (n > 0) answer.append(buffer, n);
    }
    return answer.substr(0, answer.find(';') + 1);
  }

  // Asks until the answer is `wanted` or `seconds` pass; the last answer.
  std::string AskUntil(const std::string& query, const std::string& wanted, double seconds) {
    std::string answer;
    const SteadyClock::time_point start = SteadyClock::now();
    while (Since(start) < seconds) {
      Send(query);
      answer = Answer(1.0);
      if (answer == wanted) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    return answer;
  }

 private:
  int master_ = -1;
  int slave_ = -1;
  bool ok_ = false;
};

class CatBlackBox : public ::testing::Test {
 protected:
  void SetUp() override {
    bin_ = FindBinDir();
    if (bin_.empty()) GTEST_SKIP() << "QD6250_BIN_DIR does not hold qd6250 and qd6250-sim";
    ASSERT_TRUE(work_.ok());
    work_.WritePortSetup();
    std::ofstream(work_.Path() / "CATSetup.txt") << "2\r\n4800,N, 8, 1\r\ncomNone\r\nKenwood\r\n";
  }

  std::string SimLog() const { return ReadFile(work_.Path() / "sim.log"); }

  fs::path bin_;
  WorkDir work_{"cat_blackbox"};
  Child sim_, panel_;
};

TEST_F(CatBlackBox, LoggerReadsAndSetsFrequencyAndMode) {
  sim_ = Child(bin_ / "qd6250-sim",
               {"--port-dir", work_.Ports(), "--port", "1", "--firmware", "3", "--log",
                work_.Path() / "sim.log"},
               work_.Path());
  ASSERT_TRUE(WaitUntil([&] { return fs::is_symlink(work_.Ports() / "COM1"); }, 10))
      << "qd6250-sim did not publish its port";
  LoggerLine logger(work_.Ports() / "COM2");
  ASSERT_TRUE(logger.ok());
  panel_ = Child(bin_ / "qd6250", {}, work_.Path());

  // The radio leaves the bench on 7125.00 kHz LSB.
  ASSERT_EQ(logger.AskUntil("FA;", "FA00007125000;", 60), "FA00007125000;");
  logger.Send("MD;");
  EXPECT_EQ(logger.Answer(5), "MD1;");

  logger.Send("FA00014070000;");
  EXPECT_EQ(logger.AskUntil("FA;", "FA00014070000;", 10), "FA00014070000;");
  logger.Send("MD2;");
  EXPECT_EQ(logger.AskUntil("MD;", "MD2;", 10), "MD2;");
  logger.Send("IF;");
  EXPECT_EQ(logger.Answer(1.5), "");
  EXPECT_NE(SimLog().find("F1407000"), std::string::npos) << SimLog();

  // The panel ends cleanly on SIGTERM.
  panel_.Signal(SIGTERM);
  const std::optional<int> status = panel_.WaitExit(10);
  ASSERT_TRUE(status) << "the panel did not end within 10 s of SIGTERM";
  EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << *status;
}

}  // namespace
