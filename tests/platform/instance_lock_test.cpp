// The single-instance lock.
#include "platform/instance_lock.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

#include "pty_fixture.h"

namespace qd::test {
namespace {

TEST(InstanceLock, SecondHolderIsRefusedUntilTheFirstEnds) {
  TempDir runtime;
  setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
  std::optional<InstanceLock> first(std::in_place, "qd6250-test");
  EXPECT_TRUE(first->Acquired());
  InstanceLock second("qd6250-test");
  EXPECT_FALSE(second.Acquired());
  InstanceLock other("another-name");
  EXPECT_TRUE(other.Acquired());
  first.reset();
  InstanceLock third("qd6250-test");
  EXPECT_TRUE(third.Acquired());
  unsetenv("XDG_RUNTIME_DIR");
}

TEST(InstanceLock, WithoutARuntimeFolderUsesAPrivateOneUnderTemp) {
  unsetenv("XDG_RUNTIME_DIR");
  TempDir tmp;
  setenv("TMPDIR", tmp.path().c_str(), 1);
  {
    InstanceLock first("qd6250-test");
    InstanceLock second("qd6250-test");
    EXPECT_TRUE(first.Acquired());
    EXPECT_FALSE(second.Acquired());
  }
  struct stat st {};
  const std::string folder = tmp / ("qd6250-" + std::to_string(getuid()));
  ASSERT_EQ(lstat(folder.c_str(), &st), 0);
  EXPECT_TRUE(S_ISDIR(st.st_mode));
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  unsetenv("TMPDIR");
}

}  // namespace
}  // namespace qd::test
