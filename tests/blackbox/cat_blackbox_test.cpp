// Black box: the real qd6250 (offscreen) with qd6250-sim on one
// pseudo-terminal and a logger on another, published in a port folder. The
// logger reads and sets the radio's frequency and mode over the CAT port.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Since(Clock::time_point t) {
  return std::chrono::duration<double>(Clock::now() - t).count();
}

pid_t Spawn(const fs::path& program, std::vector<std::string> args, const fs::path& cwd) {
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  if (::chdir(cwd.c_str()) != 0) ::_exit(126);
  const int null = ::open("/dev/null", O_WRONLY);
  ::dup2(null, STDOUT_FILENO);
  ::dup2(null, STDERR_FILENO);
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  ::execv(program.c_str(), argv.data());
  ::_exit(127);
}

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
    const Clock::time_point start = Clock::now();
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
    const Clock::time_point start = Clock::now();
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
    const char* bin = std::getenv("QD6250_BIN_DIR");
    if (!bin || !fs::exists(fs::path(bin) / "qd6250") || !fs::exists(fs::path(bin) / "qd6250-sim"))
      GTEST_SKIP() << "QD6250_BIN_DIR does not hold qd6250 and qd6250-sim";
    bin_ = bin;
    char dirTemplate[] = "/tmp/cat_blackbox_XXXXXX";
    ASSERT_NE(::mkdtemp(dirTemplate), nullptr);
    work_ = dirTemplate;
    ports_ = work_ / "ports";
    fs::create_directories(ports_);
    ::setenv("QD6250_PORT_DIR", ports_.c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", work_.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::ofstream(work_ / "PortSetup.txt") << "1\r\n9600 ,O,7,1\r\ncomNone\r\n0\r\n";
    std::ofstream(work_ / "CATSetup.txt") << "2\r\n4800,N, 8, 1\r\ncomNone\r\nKenwood\r\n";
  }
  void TearDown() override {
    for (pid_t pid : {panel_, sim_})
      if (pid > 0) {
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
      }
    if (!work_.empty()) fs::remove_all(work_);
  }

  std::string SimLog() const {
    std::ifstream in(work_ / "sim.log");
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  fs::path bin_, work_, ports_;
  pid_t sim_ = -1;
  pid_t panel_ = -1;
};

TEST_F(CatBlackBox, LoggerReadsAndSetsFrequencyAndMode) {
  sim_ = Spawn(bin_ / "qd6250-sim",
               {"--port-dir", ports_, "--port", "1", "--firmware", "3", "--log", work_ / "sim.log"},
               work_);
  const Clock::time_point start = Clock::now();
  while (!fs::is_symlink(ports_ / "COM1") && Since(start) < 10)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  ASSERT_TRUE(fs::is_symlink(ports_ / "COM1")) << "qd6250-sim did not publish its port";
  LoggerLine logger(ports_ / "COM2");
  ASSERT_TRUE(logger.ok());
  panel_ = Spawn(bin_ / "qd6250", {}, work_);

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
  ::kill(panel_, SIGTERM);
  int status = 0;
  ::waitpid(panel_, &status, 0);
  panel_ = -1;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
