#include "status/meters.h"

#include <algorithm>
#include <array>

#include "link/reply_reader.h"
#include "link/send.h"
#include "platform/errors.h"

namespace qd {

namespace {

// The scale written under the bar, per meter index (D1..D6), while receiving
// and while transmitting. Every scale is 38 characters, blanks included.
constexpr const char* kLevelScale = " -20       -10          0         +10 ";
constexpr const char* kSignalScale = "  S3    S6     S9      +30      +60   ";
constexpr const char* kPowerScale = "0            25          50   100  150";
constexpr const char* kVswrScale = "1               2             3      4";

struct MeterScales {
  const char* receiving;
  const char* transmitting;
};
constexpr std::array<MeterScales, 6> kScales{{
    {kLevelScale, kLevelScale},
    {kLevelScale, kLevelScale},
    {kLevelScale, kLevelScale},
    {kSignalScale, kPowerScale},
    {kSignalScale, kPowerScale},
    {kSignalScale, kVswrScale},
}};
constexpr int kMeterCount = static_cast<int>(kScales.size());
constexpr double kMeterPauseSeconds = 0.3;

// Index 0..5 of a meter code "D1".."D6", or -1 for anything else.
int MeterIndex(const std::string& code) {
  if (!vocab::IsCodeWithDigits(code, vocab::kMeterSelect, 1)) return -1;
  const int digit = code[1] - '0';
  return digit >= 1 && digit <= kMeterCount ? digit - 1 : -1;
}

// The reading: characters 2 and 3 as a decimal number, leading sign and
// digits only; no digits read as 0.
std::int32_t ReadingOf(const std::string& message) {
  const std::string field = message.size() > 1 ? message.substr(1, 2) : std::string();
  std::size_t i = 0;
  const bool negative = i < field.size() && field[i] == '-';
  if (i < field.size() && (field[i] == '-' || field[i] == '+')) ++i;
  std::int32_t value = 0;
  for (; i < field.size() && field[i] >= '0' && field[i] <= '9'; ++i)
    value = value * 10 + (field[i] - '0');
  return negative ? -value : value;
}

}  // namespace

void gDisplayMeterData(Program& p, const std::string& message) {
  try {
    p.status.MeterValue = ReadingOf(message);
    ProgressBar& bar = p.main.pbMeter;
    if (bar.min <= p.status.MeterValue && p.status.MeterValue <= bar.max)
      bar.value = p.status.MeterValue;
  } catch (const RuntimeError& e) {
    ShowInfoMessage(p, ErrorText("gDisplayMeterData", e));
  }
}

void ShowMeterSelect(Program& p) {
  frmQD6250& f = p.main;
  for (int i = 0; i < kMeterCount; ++i) {
    f.lblMeter[i].foreColour = colour::kGreyText;
    f.optMeter[i].value = false;
  }
  const int i = MeterIndex(p.status.Text(vocab::Item::MeterSelect));
  if (i < 0) return;
  f.lblMeter[i].foreColour = colour::kButtonText;
  f.optMeter[i].value = true;
  f.lblMeterScale.caption =
      p.status.TransmitterKeyed ? kScales[i].transmitting : kScales[i].receiving;
}

void SelectMeter(Program& p) {
  p.main.requests.meter = false;
  SetMeter(p, std::string(1, vocab::kMeterSelect) + std::to_string(p.main.chosenMeterIndex + 1));
}

void SetMeter(Program& p, const std::string& code) {
  for (Label& label : p.main.lblMeter) label.foreColour = colour::kGreyText;
  const int target = MeterIndex(code);
  if (target < 0) return;  // not a meter code: nothing the radio could take
  const int current = std::max(0, MeterIndex(p.status.Text(vocab::Item::MeterSelect)));
  if (current == target) return;
  const vocab::CommandForm form = vocab::FormFor(vocab::Setting::Meter, p.link.FirmwareType);
  std::string command;
  if (form.form == vocab::Form::Direct) {
    // Type 2 has no meter step character: the radio takes the wanted value
    // directly, and answers with the "D" message the caller waits for.
    command = std::string(1, form.character) + code[1];
  } else {
    // The radio's selection only moves forward, wrapping from D6 to D1.
    const int steps = target > current ? target - current : target - current + kMeterCount;
    command = std::string(static_cast<std::size_t>(steps), form.character);
  }
  SendCommand(p, command, true, kMeterPauseSeconds);
  ReadReply(p);
}

}  // namespace qd
