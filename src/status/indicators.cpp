#include "status/indicators.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace qd {

namespace {

using vocab::Item;

// An item value and what the panel shows for it.
struct Shown {
  std::string_view value;
  std::string_view text;
};

// The text listed for `value` (exact, case-sensitive), or nothing: a value not
// listed leaves the control as it is.
std::optional<std::string_view> Lookup(std::initializer_list<Shown> table, std::string_view value) {
  for (const Shown& row : table)
    if (row.value == value) return row.text;
  return std::nullopt;
}

void ShowCaption(Label& label, std::initializer_list<Shown> table, const std::string& value) {
  if (auto text = Lookup(table, value)) label.caption = *text;
}

void ShowOffOn(Label& label, const std::string& value, std::string_view off, std::string_view on) {
  ShowCaption(label, {{off, "OFF"}, {on, "ON"}}, value);
}

// Character `i` (0-based) of an item, blank beyond its end.
char CharAt(const std::string& text, std::size_t i) {
  return i < text.size() ? text[i] : ' ';
}

// The mode box's text for a mode digit ('1'..'4').
std::optional<std::string_view> ModeName(char digit) {
  if (digit < '1' || digit > '4') return std::nullopt;
  return vocab::kModeNames[static_cast<std::size_t>(digit - '1')];
}

// A pair of characters read as a decimal number: leading digits only, none is 0.
int PairValue(char a, char b) {
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  if (!digit(a)) return 0;
  return digit(b) ? (a - '0') * 10 + (b - '0') : a - '0';
}

}  // namespace

void ShowControlState(Program& p) {
  Label& l = p.main.lblREMOTE;
  l.foreColour = colour::kButtonText;
  ShowCaption(l, {{"R1", "REMOTE"}, {"R0", "LOCAL"}}, p.status.Text(Item::ControlState));
}

void ShowAgc(Program& p) {
  const std::string& agc = p.status.Text(Item::Agc);
  if (agc.size() == 2 && agc[0] == vocab::kAgc && agc[1] >= '1' && agc[1] <= '4')
    p.main.cmbAGC.text = vocab::kAgcNames[static_cast<std::size_t>(agc[1] - '1')];
}

void ShowMode(Program& p) {
  const std::string& mode = p.status.Text(Item::Mode);
  if (mode.size() != 2 || mode[0] != vocab::kMode) return;
  if (auto name = ModeName(mode[1])) p.main.cmbMode.text = *name;
}

void ShowFreq(Program& p) {
  // A cut or padded report ("F" and eight digits kept as seven) is not shown:
  // the digits would name a frequency the radio is not on.
  const std::string& freq = p.status.Text(Item::Freq);
  if (!p.status.FreqWellFormed || !vocab::IsCodeWithDigits(freq, vocab::kFreq, vocab::kFreqDigits))
    return;
  for (std::size_t i = 0; i < p.main.cmdF.size(); ++i)
    p.main.cmdF[i].caption = freq.substr(i + 1, 1);
}

void ShowAudioRoute(Program& p) {
  if (p.status.Text(Item::AudioRoute) == "\"0") p.main.cmbSource.text = "REMOTE";
}

void ShowAudioSource(Program& p) {
  // With remote audio the box says "REMOTE" whatever the source is.
  if (p.status.Text(Item::AudioRoute) != "\"1") return;
  if (auto text = Lookup({{"H1", "MIC"}, {"H2", "AUDIO2"}, {"H3", "PATCH"}, {"H4", "OFF/CW"}},
                         p.status.Text(Item::AudioSource)))
    p.main.cmbSource.text = *text;
}

void ShowClipping(Program& p) {
  ShowOffOn(p.main.lblClipping, p.status.Text(Item::Clipping), "I0", "I1");
}

void ShowPttEnable(Program& p) {
  ShowOffOn(p.main.lblPTTEn, p.status.Text(Item::PttEnable), "'0", "'1");
}

void ShowSpeaker(Program& p) {
  ShowOffOn(p.main.lblMute, p.status.Text(Item::Speaker), "(0", "(1");
}

void ShowSideTone(Program& p) {
  ShowOffOn(p.main.lblSideTone, p.status.Text(Item::SideTone), "S0", "S1");
}

void ShowVox(Program& p) {
  ShowCaption(p.main.lblVox, {{"V0", "OFF"}, {"V1", "VOICE"}, {"V2", "DATA"}},
              p.status.Text(Item::Vox));
}

void ShowChannel(Program& p) {
  const std::string& channel = p.status.Text(Item::Channel);
  if (vocab::IsCodeWithDigits(channel, vocab::kChannel, 2)) {
    for (std::size_t i = 0; i < p.main.cmdM.size(); ++i)
      p.main.cmdM[i].caption = channel.substr(i + 1, 1);
    SelectOption(p.main.optChan, 0);  // "Use Radio's Channels"
  } else {
    SelectOption(p.main.optChan, 1);  // "Use VFO"
  }
}

void ShowTestState(Program& p) {
  if (p.status.Text(Item::TestState) != "Z1") return;
  p.main.lblTest.caption = "Testing";
  p.main.lblTest.backColour = colour::kButtonFace;
}

void ShowFault(Program& p) {
  const std::string& fault = p.status.Text(Item::Fault);
  if (fault == "E0") {
    p.main.shaFault.fillColour = colour::kLightGrey;
    p.main.lblFault.caption = "";
  } else if (fault == "E1") {
    p.main.shaFault.fillColour = colour::kRed;
    p.main.lblFault.caption = "FAULT";
  }
}

void ShowTestResult(Program& p) {
  // Only a test started from the panel ends in a result on the label.
  Label& l = p.main.lblTest;
  if (l.caption != "Testing") return;
  // "X" + three characters: "X001" passed; otherwise module (2 and 3) and fault (4 on).
  const std::string& result = p.status.Text(Item::TestResult);
  if (result == "X001") {
    l.caption = "Passed";
  } else if (p.status.Text(Item::Fault) == "E1") {
    const int module = PairValue(CharAt(result, 1), CharAt(result, 2));
    l.caption = "A1A" + std::to_string(module) + "-" + (result.size() > 3 ? result.substr(3) : "");
  }
}

void ShowChannelData(Program& p) {
  // "P" + channel (2) + frequency digits (7) + mode digit (1), shown as it stands.
  const std::string& data = p.status.Text(Item::ChannelData);
  for (std::size_t i = 0; i < p.main.cmdF.size(); ++i)
    p.main.cmdF[i].caption = std::string(1, CharAt(data, 3 + i));
  if (auto name = ModeName(CharAt(data, 10))) p.main.cmbMode.text = *name;
}

}  // namespace qd
