#include "status/band_guard.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "link/reply_reader.h"
#include "link/send.h"
#include "platform/errors.h"

namespace qd {

namespace {

using vocab::Item;

struct Range {
  std::int32_t lowest;  // Hz, both ends permitted
  std::int32_t highest;
};

constexpr std::array<Range, 9> kBands{{
    {1'800'000, 2'000'000},    // 160 m
    {3'500'000, 4'000'000},    // 80 m
    {7'000'000, 7'300'000},    // 40 m
    {10'100'000, 10'150'000},  // 30 m
    {14'000'000, 14'350'000},  // 20 m
    {18'068'000, 18'168'000},  // 17 m
    {21'000'000, 21'450'000},  // 15 m
    {24'890'000, 24'990'000},  // 12 m
    {28'000'000, 29'700'000},  // 10 m
}};

// 60 m: five channels only.
constexpr std::array<std::int32_t, 5> kChannels60m{5'330'500, 5'346'500, 5'357'000, 5'371'500,
                                                   5'403'500};

// The last seven characters of a frequency item, blanks trimmed, in Hz.
// Anything but digits there is a type mismatch.
std::int32_t ItemHz(const std::string& freqItem) {
  std::string digits = freqItem.size() > vocab::kFreqDigits
                           ? freqItem.substr(freqItem.size() - vocab::kFreqDigits)
                           : freqItem;
  const auto first = digits.find_first_not_of(' ');
  const auto last = digits.find_last_not_of(' ');
  digits = first == std::string::npos ? "" : digits.substr(first, last - first + 1);
  if (digits.empty() ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    throw TypeMismatch();
  return std::stoi(digits) * 10;
}

const std::string kPttOn = std::string{vocab::kPttEnable, '1'};
const std::string kPttOff = std::string{vocab::kPttEnable, '0'};

}  // namespace

bool InBand(Program& p, const std::string& freqItem) {
  if (p.module.BandGuardOff) return true;
  const std::int32_t hz = ItemHz(freqItem);
  if (std::find(kChannels60m.begin(), kChannels60m.end(), hz) != kChannels60m.end()) return true;
  return std::any_of(kBands.begin(), kBands.end(),
                     [hz](const Range& r) { return hz >= r.lowest && hz <= r.highest; });
}

bool TransmitFrequencyInBand(Program& p) {
  if (!p.main.optTXVFO[0].value) return InBand(p, p.status.VfoBFreq);
  return InBand(p, p.status.Text(Item::Freq)) && p.status.FreqWellFormed;
}

void GuardTransmitFrequency(Program& p) {
  bool inBand = false;
  try {
    inBand = TransmitFrequencyInBand(p);
  } catch (const RuntimeError&) {
    ApplyBandGuard(p, false);
    throw;
  }
  ApplyBandGuard(p, inBand);
}

void ApplyBandGuard(Program& p, bool inBand) {
  frmQD6250& f = p.main;
  if (p.link.ScanActive) inBand = false;
  // Only a panel set up for REMOTE may transmit. A radio in LOCAL ignores
  // commands, so its push-to-talk enable is left alone there: asking again on
  // every pass would stall the loop.
  const bool remote = f.ModeText == "REMOTE";

  if (f.cmdPTTEn.enabled != inBand) f.cmdPTTEn.enabled = inBand;

  if (inBand) {
    // A running transmission or tune keeps its buttons as they are.
    const bool enable = remote && f.cmdXmit.caption == "&XMT ON" && f.cmdTune.caption == "T&UNE ON";
    if (enable && !f.cmdTune.enabled) f.cmdTune.enabled = true;
    if (enable && !f.cmdXmit.enabled) f.cmdXmit.enabled = true;
    if (remote && p.status.Text(Item::PttEnable) == kPttOff)
      SetPttEnable(p, p.module.PttEnableWanted);
    f.lblInBand.caption = "";
    f.lblInBand.backColour = colour::kLightGrey;
  } else {
    f.cmdTune.enabled = false;
    f.cmdXmit.enabled = false;
    if (remote && p.status.Text(Item::PttEnable) == kPttOn) SetPttEnable(p, false);
    if (p.link.ScanActive) {
      f.lblInBand.caption = "Scanning";
    } else {
      f.lblInBand.caption = "Out Of Band";
      f.lblInBand.backColour = colour::kRed;
    }
  }
}

void SetPttEnable(Program& p, bool wanted) {
  const std::string& now = p.status.Text(Item::PttEnable);
  if (wanted ? now != kPttOff : now != kPttOn) return;
  // Type 1 flips the enable with a bare character; the others name the state.
  const vocab::CommandForm form = vocab::FormFor(vocab::Setting::PttEnable, p.link.FirmwareType);
  std::string command(1, form.character);
  if (form.form == vocab::Form::Direct) command += wanted ? '1' : '0';
  SendCommand(p, command, true, 0.2);
  // Only a sent command has a reply to wait for: the guard calls this on every
  // pass, and waiting for nothing would stall the loop and show "No Com".
  ReadReply(p);
}

}  // namespace qd
