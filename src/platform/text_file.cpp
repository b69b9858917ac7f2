#include "platform/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/errors.h"

namespace qd {

namespace {

// Closes a descriptor on every way out.
struct Fd {
  int fd;
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
};

std::string Folder(const std::string& path) {
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a path finally names, following symlinks (a dangling link names
// the file it would create).
std::string RealTarget(std::string path) {
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : 4096), '\0');
    const ssize_t n = readlink(path.c_str(), target.data(), target.size());
    if (n < 0) throw SystemError(errno);
    target.resize(static_cast<size_t>(n));
    path = target.starts_with('/') ? target : Folder(path) + "/" + target;
  }
  throw SystemError(ELOOP);
}

void WriteAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw SystemError(errno);
    done += static_cast<size_t>(n);
  }
}

}  // namespace

bool FileExists(const std::string& path) {
  Fd f{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  struct stat st {};
  return f.fd >= 0 && fstat(f.fd, &st) == 0 && !S_ISDIR(st.st_mode);
}

std::vector<std::string> ReadLines(const std::string& path) {
  Fd f{::open(path.c_str(), O_RDONLY | O_CLOEXEC)};
  if (f.fd < 0) throw SystemError(errno);
  std::string text;
  char buf[8192];
  while (true) {
    const ssize_t n = ::read(f.fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw SystemError(errno);
    if (n == 0) break;
    text.append(buf, static_cast<size_t>(n));
  }
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();  // last line without a line end
    std::string line = text.substr(start, end - start);
    if (line.ends_with('\r')) line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

void WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  const std::string target = RealTarget(path);
  mode_t mode = 0666;
  struct stat st {};
  if (stat(target.c_str(), &st) == 0) {
    // A file without write permission stays as it is, even for root, as a
    // read-only file does for the operator.
    if (access(target.c_str(), W_OK) != 0 || (st.st_mode & 0222) == 0) throw SystemError(EACCES);
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode &= ~mask;
  }
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";

  std::string temp = target + ".XXXXXX";
  Fd f{mkostemp(temp.data(), O_CLOEXEC)};
  if (f.fd < 0) throw SystemError(errno);
  try {
    WriteAll(f.fd, text);
    if (fchmod(f.fd, mode) != 0 || fsync(f.fd) != 0) throw SystemError(errno);
    const int fd = f.fd;
    f.fd = -1;
    if (::close(fd) != 0) throw SystemError(errno);
    if (rename(temp.c_str(), target.c_str()) != 0) throw SystemError(errno);
  } catch (...) {
    unlink(temp.c_str());
    throw;
  }
}

}  // namespace qd
