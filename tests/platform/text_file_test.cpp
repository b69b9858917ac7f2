// Whole-file reading and atomic writing of the settings and list files.
#include "platform/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/errors.h"
#include "pty_fixture.h"
#include "support/test_files.h"

namespace qd::test {
namespace {

std::vector<std::string> Names(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(dir))
    names.push_back(e.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

using Lines = std::vector<std::string>;

TEST(ReadLines, AcceptsWhatEditorsWrite) {
  struct Case {
    std::string bytes;
    Lines lines;
  };
  const Case cases[] = {
      {"9600,O,7,1\r\ncomRTS\r\n", {"9600,O,7,1", "comRTS"}},
      {"a\nb\n", {"a", "b"}},
      {"a\r\nb", {"a", "b"}},  // no line end after the last line
      {"a\nb\r\nc", {"a", "b", "c"}},
      {"a\r\n\r\nb\r\n", {"a", "", "b"}},
      {"\r\n", {""}},
      {"", {}},
      {"x \r\n", {"x "}},      // trailing blanks are the reader's business
      {"a\rb\r\n", {"a\rb"}},  // a lone CR is not a line end
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bytes);
    WriteFileBytes(dir / "f.txt", c.bytes);
    EXPECT_EQ(ReadLines(dir / "f.txt"), c.lines);
  }
}

TEST(ReadLines, MissingFileThrowsTheSystemError) {
  TempDir dir;
  try {
    ReadLines(dir / "none.txt");
    ADD_FAILURE();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), ENOENT);
    EXPECT_EQ(e.description(), std::strerror(ENOENT));
  }
}

TEST(FileExists, MeansAFileThatOpensForReading) {
  TempDir dir;
  WriteFileBytes(dir / "f.txt", "x");
  EXPECT_TRUE(FileExists(dir / "f.txt"));
  EXPECT_FALSE(FileExists(dir / "none.txt"));
  EXPECT_FALSE(FileExists(dir.path()));
}

TEST(WriteLines, EndsEveryLineWithCrLfAndRoundTrips) {
  TempDir dir;
  const Lines lines{"1", "9600,O,7,1", "", "comRTS"};
  WriteLines(dir / "PortSetup.txt", lines);
  EXPECT_EQ(FileBytes(dir / "PortSetup.txt"), "1\r\n9600,O,7,1\r\n\r\ncomRTS\r\n");
  EXPECT_EQ(ReadLines(dir / "PortSetup.txt"), lines);
  WriteLines(dir / "PortSetup.txt", {"2"});  // replaces, never appends
  EXPECT_EQ(FileBytes(dir / "PortSetup.txt"), "2\r\n");
  EXPECT_EQ(Names(dir.path()), Lines{"PortSetup.txt"});  // no temporary left
}

TEST(WriteLines, ReplacesTheFileBehindASymlinkAndKeepsItsMode) {
  TempDir dir;
  std::filesystem::create_directory(dir / "real");
  WriteFileBytes(dir / "real/list.txt", "old\r\n");
  chmod((dir / "real/list.txt").c_str(), 0640);
  std::filesystem::create_symlink("real/list.txt", dir / "list.txt");
  WriteLines(dir / "list.txt", {"new"});
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "list.txt"));
  EXPECT_EQ(FileBytes(dir / "real/list.txt"), "new\r\n");
  EXPECT_EQ(Names(dir / "real"), Lines{"list.txt"});
  struct stat st {};
  stat((dir / "real/list.txt").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);

  // A dangling link creates its target.
  std::filesystem::create_symlink("real/fresh.txt", dir / "fresh.txt");
  WriteLines(dir / "fresh.txt", {"a"});
  EXPECT_EQ(FileBytes(dir / "real/fresh.txt"), "a\r\n");
}

TEST(WriteLines, AReadOnlyFileIsLeftAloneWithPermissionDenied) {
  TempDir dir;
  WriteFileBytes(dir / "ro.txt", "keep\r\n");
  chmod((dir / "ro.txt").c_str(), 0444);
  try {
    WriteLines(dir / "ro.txt", {"lost"});
    ADD_FAILURE();
  } catch (const RuntimeError& e) {
    EXPECT_EQ(e.number(), EACCES);
    EXPECT_EQ(e.description(), std::strerror(EACCES));
  }
  EXPECT_EQ(FileBytes(dir / "ro.txt"), "keep\r\n");
}

// A read-only folder stops everyone but root, so the write runs as nobody.
TEST(WriteLines, AReadOnlyFolderFailsWithTheSystemText) {
  TempDir dir;
  std::filesystem::create_directory(dir / "ro");
  WriteFileBytes(dir / "ro/f.txt", "keep\r\n");
  chmod(dir.path().c_str(), 0755);
  chmod((dir / "ro").c_str(), 0555);
  chmod((dir / "ro/f.txt").c_str(), 0666);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(3);
    try {
      WriteLines(dir / "ro/f.txt", {"lost"});
      _exit(1);
    } catch (const RuntimeError& e) {
      _exit(e.number() == EACCES && e.description() == std::strerror(EACCES) ? 0 : 2);
    }
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "1: written, 2: wrong error, 3: could not drop root";
  EXPECT_EQ(FileBytes(dir / "ro/f.txt"), "keep\r\n");
}

}  // namespace
}  // namespace qd::test
