#include <cctype>
#include <charconv>
#include <string>
#include <vector>

#include "platform/serial_port.h"

namespace qd {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

std::optional<int> ToInt(std::string_view s) {
  int v = 0;
  auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || ptr != s.data() + s.size()) return std::nullopt;
  return v;
}

}  // namespace

std::optional<PortSettings> ParsePortSettings(std::string_view text) {
  std::vector<std::string_view> parts;
  while (true) {
    auto comma = text.find(',');
    parts.push_back(Trim(text.substr(0, comma)));
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  if (parts.size() != 4) return std::nullopt;
  PortSettings s;
  auto baud = ToInt(parts[0]);
  auto bits = ToInt(parts[2]);
  auto stops = ToInt(parts[3]);
  if (!baud || *baud <= 0 || !bits || !stops || parts[1].size() != 1) return std::nullopt;
  s.baud = *baud;
  s.parity = static_cast<char>(std::toupper(static_cast<unsigned char>(parts[1][0])));
  s.dataBits = *bits;
  s.stopBits = *stops;
  if (std::string_view("NOEMS").find(s.parity) == std::string_view::npos) return std::nullopt;
  if (s.dataBits != 7 && s.dataBits != 8) return std::nullopt;
  if (s.stopBits != 1 && s.stopBits != 2) return std::nullopt;
  return s;
}

}  // namespace qd
