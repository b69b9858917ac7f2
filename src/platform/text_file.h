// Whole-file text helpers for the settings and list files: lines ended by
// CR LF (LF alone accepted on reading), and atomic writes (a temporary beside
// the file renamed over it, through a symlink to its target). Failures throw
// RuntimeError carrying errno and the system's text.
#pragma once

#include <string>
#include <vector>

namespace qd {

bool FileExists(const std::string& path);  // can be opened for reading
std::vector<std::string> ReadLines(const std::string& path);
// Writes the lines, each followed by CR LF, replacing the file atomically.
void WriteLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace qd
