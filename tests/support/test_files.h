// Files for tests: a temporary working directory of a test's own (the
// settings files land there), and whole files read and written as bytes.
#pragma once

#include <string>

namespace qd::test {

// A fresh temporary folder made the working directory for the object's
// lifetime; the previous one is restored and the folder removed with all in it.
class TempCwd {
 public:
  TempCwd();
  ~TempCwd();
  TempCwd(const TempCwd&) = delete;
  TempCwd& operator=(const TempCwd&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string previous_;
};

std::string FileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace qd::test
