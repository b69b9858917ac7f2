#include "setup/setting_text.h"

#include <cctype>
#include <charconv>

namespace qd {

std::string Trimmed(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return std::string(s);
}

std::string PortTextFromLine(const std::string& line) {
  return Trimmed(line.substr(0, 2));
}

std::vector<std::string> SplitSettings(const std::string& settings) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (parts.size() < 3) {
    std::size_t comma = settings.find(',', start);
    if (comma == std::string::npos) break;
    parts.push_back(settings.substr(start, comma - start));
    start = comma + 1;
  }
  parts.push_back(settings.substr(start));
  return parts;
}

std::string FormatText(const std::vector<std::string>& parts) {
  if (parts.size() < 4) return "";
  const std::string parity = Trimmed(parts[1]), bits = Trimmed(parts[2]), stops = Trimmed(parts[3]);
  if (parity.empty() || bits.empty() || stops.empty()) return "";
  return parity + ", " + bits + ", " + stops;
}

bool LineValueIsOne(const std::string& line) {
  std::string t = Trimmed(line);
  int value = 0;
  auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
  return ec == std::errc() && end == t.data() + t.size() && value == 1;
}

void SelectOrAdd(ComboBox& combo, const std::string& value) {
  const std::string wanted = Trimmed(value);
  for (const std::string& item : combo.items)
    if (Trimmed(item) == wanted) {
      combo.text = item;
      return;
    }
  combo.items.push_back(value);
  combo.text = value;
}

}  // namespace qd
