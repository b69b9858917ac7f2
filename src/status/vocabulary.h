// The language spoken with the QD-6250 over the radio port, in one place: the
// code characters, the width kept of each status item, and which firmware type
// uses which command form (direct value, step character or toggle). The panel's
// setting commands, the reply filing and the simulated radio all read this table.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace qd::vocab {

// Code characters.
constexpr char kFreq = 'F';
constexpr char kMode = 'M';
constexpr char kAgc = 'A';
constexpr char kMeterSelect = 'D';
constexpr char kAudioSource = 'H';
constexpr char kAudioRoute = '"';
constexpr char kPttEnable = '\'';
constexpr char kSpeaker = '(';
constexpr char kComma = ',';
constexpr char kControlState = 'R';
constexpr char kAmpState = 'O';
constexpr char kAmpTune = 'T';
constexpr char kRfGain = 'G';
constexpr char kClipping = 'I';
constexpr char kSideTone = 'S';
constexpr char kVox = 'V';
constexpr char kChannel = 'C';
constexpr char kBfo = 'B';
constexpr char kChannelData = 'P';
constexpr char kStar = '*';
constexpr char kTestResult = 'X';
constexpr char kTestState = 'Z';
constexpr char kFault = 'E';
constexpr char kQItems = 'Q';
constexpr char kMeterReading = 'J';
constexpr char kChannelQuery = 'L';
constexpr char kQuery = '?';
constexpr char kSyncReceive = 'U';
constexpr char kSyncTransmit = 'K';
constexpr char kExclaim = '!';
constexpr char kHash = '#';
constexpr char kStatusEnd = '.';
constexpr char kIgnored = ')';
constexpr char kLineFeed = '\n';

// Frequency digit strings: seven digits in 10 Hz units.
constexpr int kFreqDigits = 7;
constexpr long kLowestFreq = 160000;    // "0160000", 1.6 MHz
constexpr long kHighestFreq = 2999999;  // "2999999", 29.99999 MHz

// Status items of the record, with the width kept of a received message
// (code character included).
enum class Item {
  Freq,
  Mode,
  Agc,
  MeterSelect,
  AudioSource,
  AudioRoute,
  PttEnable,
  Speaker,
  CommaItem,
  ControlState,
  AmpState,
  AmpTune,
  RfGain,
  Clipping,
  SideTone,
  Vox,
  Channel,
  Bfo,
  ChannelData,
  StarItem,
  TestResult,
  TestState,
  Fault,
  QtItem,
  QcItem
};
constexpr std::size_t kItemCount = 25;

struct ItemInfo {
  Item item;
  char code;        // first character; 'Q' items are told apart by the second
  char secondCode;  // 'T' or 'C' for the Q items, else 0
  int width;
};

constexpr std::array<ItemInfo, kItemCount> kItems{{
    {Item::Freq, kFreq, 0, 8},
    {Item::Mode, kMode, 0, 2},
    {Item::Agc, kAgc, 0, 2},
    {Item::MeterSelect, kMeterSelect, 0, 2},
    {Item::AudioSource, kAudioSource, 0, 2},
    {Item::AudioRoute, kAudioRoute, 0, 2},
    {Item::PttEnable, kPttEnable, 0, 2},
    {Item::Speaker, kSpeaker, 0, 2},
    {Item::CommaItem, kComma, 0, 2},
    {Item::ControlState, kControlState, 0, 2},
    {Item::AmpState, kAmpState, 0, 2},
    {Item::AmpTune, kAmpTune, 0, 2},
    {Item::RfGain, kRfGain, 0, 3},
    {Item::Clipping, kClipping, 0, 2},
    {Item::SideTone, kSideTone, 0, 2},
    {Item::Vox, kVox, 0, 2},
    {Item::Channel, kChannel, 0, 3},
    {Item::Bfo, kBfo, 0, 4},
    {Item::ChannelData, kChannelData, 0, 11},
    {Item::StarItem, kStar, 0, 2},
    {Item::TestResult, kTestResult, 0, 4},
    {Item::TestState, kTestState, 0, 2},
    {Item::Fault, kFault, 0, 2},
    {Item::QtItem, kQItems, 'T', 3},
    {Item::QcItem, kQItems, 'C', 3},
}};

constexpr const ItemInfo& Info(Item item) {
  return kItems[static_cast<std::size_t>(item)];
}

// The item stored for a message starting with `code` (not the Q items), or nullptr.
const ItemInfo* ItemForCode(char code);

// Settings the panel changes, and how each firmware type commands them.
enum class Setting {
  Mode,
  Agc,
  Meter,
  AudioSource,
  Vox,
  AudioRoute,
  PttEnable,
  SideTone,
  Clipping
};

enum class Form {
  None,    // the type has no command for it
  Direct,  // code + value digit ("M2")
  Step,    // one bare step character per step ("mm")
  Toggle,  // one bare character flips it
};

struct CommandForm {
  Form form;
  char character;  // the code (Direct) or the step / toggle character
};

// firmwareType is 1, 2 or 3; any other value is treated as type 1.
CommandForm FormFor(Setting setting, int firmwareType);

// Number of argument characters after `code` in a command to the radio for a
// firmware type; -1 when the type has no such command. A line feed may or may
// not follow; the radio reads a byte stream.
int CommandArgumentWidth(char code, int firmwareType);

// Value encodings.
constexpr std::array<std::string_view, 4> kModeNames{"USB", "LSB", "AME", "CW"};    // M1..M4
constexpr std::array<std::string_view, 4> kAgcNames{"OFF", "SLOW", "MED", "FAST"};  // A1..A4
constexpr std::array<std::string_view, 6> kMeterNames{"Aud", "Line", "Patch", "FWD", "REF", "VSWR"};

// True when text is `code` followed by exactly `digits` decimal digits.
bool IsCodeWithDigits(std::string_view text, char code, int digits);
// True when text is exactly seven decimal digits.
bool IsFreqDigits(std::string_view text);

}  // namespace qd::vocab
