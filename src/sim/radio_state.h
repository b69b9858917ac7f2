// What the simulated radio holds: the value behind every status item, the
// transmitter key, the amplifier and self-test progress and the hundred
// channels. SimRadio changes it; tests read it.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qd::sim {

constexpr int kChannelCount = 100;
constexpr int kVfoChannel = -1;           // working from the VFO, not a channel
constexpr char kVfoChannelText[] = "--";  // reported as "C--"
constexpr int kModeCount = 4;             // M1..M4
constexpr int kAgcCount = 4;              // A1..A4
constexpr int kMeterCount = 6;            // D1..D6
constexpr int kSourceCycle = 3;           // H1 -> H2 -> H3 -> H1 (H4 is only reported)
constexpr int kVoxCount = 3;              // V0 -> V1 -> V2 -> V0
constexpr int kBfoMaxCode = 200;          // "B000".."B200", 100 no offset
constexpr int kDefaultRfGain = 0;         // "G00", full gain

// Amplifier ("O") and tuning ("T") values.
enum AmpValue { kAmpOff = 1, kAmpWarmingUp = 2, kAmpStandby = 3, kAmpOperate = 4 };
enum TuneValue { kTuneIdle = 1, kTuneReady = 2, kTuning = 3, kTuned = 4 };

struct StoredChannel {
  std::string digits;  // frequency digit string
  int mode = 1;
};

struct RadioState {
  std::string freq = "0712500";
  int mode = 2;  // LSB
  int agc = 3;
  int meter = 1;
  int source = 1;
  int route = 1;      // '"1' local
  int pttEnable = 1;  // "'1"
  int speaker = 1;
  bool remote = true;
  int amp = kAmpOff;
  int ampTune = kTuneIdle;
  int rfGain = kDefaultRfGain;
  int clipping = 0;
  int sideTone = 0;
  int vox = 0;
  int channel = kVfoChannel;
  int bfo = 100;
  int testState = 0;               // "Z0" / "Z1"
  std::string testResult = "000";  // no test run yet
  int fault = 0;
  char commaItem = '0';
  char starItem = '0';
  char qtItem = '0';
  char qcItem = '0';
  bool keyed = false;
  bool testFault = false;  // the next self test finds a fault
  std::array<std::optional<StoredChannel>, kChannelCount> channels{};
};

// The radio as it leaves the factory bench: a few channels filled.
RadioState InitialState(bool remote);

// True when digits is a frequency digit string inside the radio's range.
bool InFrequencyRange(std::string_view digits);

}  // namespace qd::sim
