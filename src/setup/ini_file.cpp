#include "setup/ini_file.h"

#include <cmath>
#include <limits>

#include "status/vocabulary.h"

namespace qd {

namespace {

int ToTwips(double value) {
  constexpr double kLimit = std::numeric_limits<int>::max() / 2;
  if (!(std::abs(value) < kLimit)) return 0;  // also rejects NaN
  return static_cast<int>(std::lround(value));
}

}  // namespace

double NumericValue(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  double sign = 1;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) sign = text[i++] == '-' ? -1 : 1;
  double value = 0;
  double scale = 0;  // 0 before the decimal point, then 0.1, 0.01, ...
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c == '.' && scale == 0) {
      scale = 0.1;
    } else if (c >= '0' && c <= '9') {
      if (scale == 0) {
        value = value * 10 + (c - '0');
      } else {
        value += (c - '0') * scale;
        scale /= 10;
      }
    } else {
      break;
    }
  }
  return sign * value;
}

void ApplyIniLines(frmQD6250& f, const std::vector<std::string>& lines) {
  auto line = [&lines](std::size_t n) -> const std::string* {
    return n <= lines.size() ? &lines[n - 1] : nullptr;
  };
  if (auto* l = line(1)) f.left = ToTwips(NumericValue(*l));
  if (auto* l = line(2)) f.top = ToTwips(NumericValue(*l));
  if (auto* l = line(3); l && vocab::IsFreqDigits(*l))
    for (std::size_t i = 0; i < f.cmdVFOB.size(); ++i)
      f.cmdVFOB[i].caption = std::string(1, (*l)[i]);
  if (auto* l = line(4)) f.cmbVFOBMode.text = *l;
  if (auto* l = line(5)) f.lblSplit.caption = *l;
  if (auto* l = line(6)) f.cmbStepSize.text = *l;
}

std::vector<std::string> IniFileLines(const frmQD6250& f) {
  std::string vfoB;
  for (const Button& b : f.cmdVFOB) vfoB += b.caption;
  return {std::to_string(f.left), std::to_string(f.top), vfoB,
          f.cmbVFOBMode.text,     f.lblSplit.caption,    f.cmbStepSize.text};
}

}  // namespace qd
