// qd6250-sim as a separate process on a pseudo-terminal, spoken to with plain
// bytes through its port link: status report, sync answer, frequency set,
// a control line on its standard input, and a clean end on SIGTERM.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "sim_bench.h"

namespace qd::sim {
namespace {

// Generous bound for a loaded machine; a healthy run takes milliseconds.
constexpr int kPatienceMs = 10000;

// Reads from fd until `text` has arrived `times` times (or the patience runs
// out); returns all read.
std::string ReadUntil(int fd, const std::string& text, int times = 1) {
  std::string got;
  auto count = [&got, &text] {
    int n = 0;
    for (std::size_t at = got.find(text); at != std::string::npos; at = got.find(text, at + 1)) ++n;
    return n;
  };
  const auto give_up = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatienceMs);
  while (count() < times) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        give_up - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, static_cast<int>(left.count())) <= 0) break;
    char buffer[512];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    got.append(buffer, n);
  }
  return got;
}

class ToolOnPty : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* bin = std::getenv("QD6250_BIN_DIR");
    if (!bin) GTEST_SKIP() << "QD6250_BIN_DIR not set";
    char dir[] = "/tmp/qd6250-sim-test-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    dir_ = dir;
    int in[2], out[2];
    ASSERT_EQ(pipe(in), 0);
    ASSERT_EQ(pipe(out), 0);
    const std::string tool = std::string(bin) + "/qd6250-sim";
    const std::string log = dir_ + "/log.txt";
    pid_ = fork();
    ASSERT_GE(pid_, 0);
    if (pid_ == 0) {
      dup2(in[0], STDIN_FILENO);
      dup2(out[1], STDOUT_FILENO);
      close(in[1]);
      close(out[0]);
      execl(tool.c_str(), tool.c_str(), "--firmware", "3", "--port-dir", dir_.c_str(), "--port",
            "7", "--log", log.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    close(in[0]);
    close(out[1]);
    control_ = in[1];
    stdout_ = out[0];
    // The tool says where it is once the link is in place.
    ASSERT_NE(ReadUntil(stdout_, "\n").find(dir_ + "/COM7"), std::string::npos);
    port_ = open((dir_ + "/COM7").c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(port_, 0);
    termios t{};
    ASSERT_EQ(tcgetattr(port_, &t), 0);
    cfmakeraw(&t);
    ASSERT_EQ(tcsetattr(port_, TCSANOW, &t), 0);
  }

  void TearDown() override {
    if (port_ >= 0) close(port_);
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
    if (control_ >= 0) close(control_);
    if (stdout_ >= 0) close(stdout_);
    if (!dir_.empty()) {
      unlink((dir_ + "/log.txt").c_str());
      unlink((dir_ + "/COM7").c_str());
      rmdir(dir_.c_str());
    }
  }

  std::string Ask(const std::string& bytes, const std::string& until, int times = 1) {
    EXPECT_EQ(write(port_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    return ReadUntil(port_, until, times);
  }

  std::string dir_;
  pid_t pid_ = -1;
  int control_ = -1;
  int stdout_ = -1;
  int port_ = -1;
};

TEST_F(ToolOnPty, AnswersStatusSyncAndFrequencyThenEndsCleanly) {
  const std::string report = Ask("?\n", "#\n.\n");
  const std::vector<std::string> codes = Codes(report);
  ASSERT_GE(codes.size(), 5u);
  EXPECT_EQ(codes.front(), "F");
  EXPECT_EQ(std::vector<std::string>(codes.end() - 5, codes.end()),
            (std::vector<std::string>{"!", "QT", "QC", "#", "."}));

  const std::vector<std::string> sync = Messages(Ask("U", "\n", 2));
  ASSERT_EQ(sync.size(), 2u);
  EXPECT_EQ(sync[0], "U");
  EXPECT_EQ(sync[1].substr(0, 1), "J");

  EXPECT_EQ(Ask("F1425000\n", "\n"), "F1425000\n");

  // The radio's front panel goes LOCAL: reported unasked.
  const std::string line = "local\n";
  ASSERT_EQ(write(control_, line.data(), line.size()), static_cast<ssize_t>(line.size()));
  EXPECT_NE(ReadUntil(port_, "R0\n").find("R0\n"), std::string::npos);

  ASSERT_EQ(kill(pid_, SIGTERM), 0);
  int status = 0;
  ASSERT_EQ(waitpid(pid_, &status, 0), pid_);
  pid_ = -1;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  struct stat st {};
  EXPECT_NE(lstat((dir_ + "/COM7").c_str(), &st), 0) << "link left behind";

  std::ifstream log(dir_ + "/log.txt");
  std::stringstream text;
  text << log.rdbuf();
  for (const char* command : {" ?\n", " U\n", " F1425000\n"})
    EXPECT_NE(text.str().find(command), std::string::npos) << command << " in\n" << text.str();
}

}  // namespace
}  // namespace qd::sim
