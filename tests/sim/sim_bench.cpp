#include "sim_bench.h"

namespace qd::sim {

std::vector<std::string> Messages(std::string_view raw) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t lf = raw.find('\n'); lf != std::string_view::npos; lf = raw.find('\n', start)) {
    out.emplace_back(raw.substr(start, lf - start));
    start = lf + 1;
  }
  return out;
}

std::string NoMeter(std::string_view raw) {
  std::string out;
  for (const std::string& m : Messages(raw))
    if (m[0] != 'J') out += m + '\n';
  return out;
}

std::vector<std::string> Codes(std::string_view raw) {
  std::vector<std::string> out;
  for (const std::string& m : Messages(raw)) out.push_back(m.substr(0, m[0] == 'Q' ? 2 : 1));
  return out;
}

}  // namespace qd::sim
