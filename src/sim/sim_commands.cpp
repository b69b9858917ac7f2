// What the simulated radio does with each command it reads, and the messages
// it answers with. Every message is ended by a line feed; a setting command
// is answered with its item even when the value did not change.
#include <algorithm>
#include <array>
#include <string>

#include "sim/sim_radio.h"
#include "status/vocabulary.h"

namespace qd::sim {
namespace {

using vocab::Form;
using vocab::Setting;

// A setting the panel changes through the per-type command forms.
struct SettingRule {
  Setting setting;
  char item;  // the status item it is reported as
  int RadioState::*value;
  int low, high;  // values a direct command may name
  int cycleHigh;  // a step from here (or above) wraps to `low`
};

constexpr std::array<SettingRule, 9> kSettings{{
    {Setting::Mode, vocab::kMode, &RadioState::mode, 1, kModeCount, kModeCount},
    {Setting::Agc, vocab::kAgc, &RadioState::agc, 1, kAgcCount, kAgcCount},
    {Setting::Meter, vocab::kMeterSelect, &RadioState::meter, 1, kMeterCount, kMeterCount},
    {Setting::AudioSource, vocab::kAudioSource, &RadioState::source, 1, kSourceCycle, kSourceCycle},
    {Setting::Vox, vocab::kVox, &RadioState::vox, 0, kVoxCount - 1, kVoxCount - 1},
    {Setting::AudioRoute, vocab::kAudioRoute, &RadioState::route, 0, 1, 1},
    {Setting::PttEnable, vocab::kPttEnable, &RadioState::pttEnable, 0, 1, 1},
    {Setting::SideTone, vocab::kSideTone, &RadioState::sideTone, 0, 1, 1},
    {Setting::Clipping, vocab::kClipping, &RadioState::clipping, 0, 1, 1},
}};

// Meter readings (0..21 on the panel's bar) by meter digit, with a small wobble
// so the bar moves: receive shows audio levels and signal strength, transmit
// audio levels, forward and reflected power and VSWR.
constexpr std::array<int, kMeterCount> kReceiveReading{9, 11, 7, 8, 8, 8};
constexpr std::array<int, kMeterCount> kTransmitReading{12, 12, 10, 16, 2, 3};
constexpr std::array<int, 6> kWobble{0, 1, 2, 1, 0, -1};
constexpr int kMeterTop = 21;

bool AllDigits(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string Padded(int value, int width) {
  std::string s = std::to_string(value);
  return std::string(width > static_cast<int>(s.size()) ? width - s.size() : 0, '0') + s;
}

void Add(std::string& reply, std::string message) {
  reply += message + vocab::kLineFeed;
}

}  // namespace

std::string SimRadio::Msg(char code, int value) const {
  return std::string(1, code) + std::to_string(value);
}

std::string SimRadio::FreqMessage() const {
  if (faults_.malformedFreq) return vocab::kFreq + state_.freq.substr(0, vocab::kFreqDigits - 1);
  if (faults_.longFreq) return vocab::kFreq + state_.freq + "0";
  return vocab::kFreq + state_.freq;
}

std::string SimRadio::ChannelMessage() const {
  return vocab::kChannel +
         (state_.channel == kVfoChannel ? std::string(kVfoChannelText) : Padded(state_.channel, 2));
}

// The full status report:
//   F<7 digits> M<d> A<d> D<d> H<d> "<d> '<d> (<d> ,<c> R<d> O<d> T<d> G<2 digits> I<d> S<d>
//   V<d> C<2 digits or --> B<3 digits> *<c> X<3 digits> Z<d> E<d>
//   then "!" (types 1 and 3), QT<c> and QC<c> (type 3), "#" and "."; one message a line.
std::string SimRadio::StatusReport() const {
  const RadioState& s = state_;
  std::string r;
  Add(r, FreqMessage());
  Add(r, Msg(vocab::kMode, s.mode));
  Add(r, Msg(vocab::kAgc, s.agc));
  Add(r, Msg(vocab::kMeterSelect, s.meter));
  Add(r, Msg(vocab::kAudioSource, s.source));
  Add(r, Msg(vocab::kAudioRoute, s.route));
  Add(r, Msg(vocab::kPttEnable, s.pttEnable));
  Add(r, Msg(vocab::kSpeaker, s.speaker));
  Add(r, std::string{vocab::kComma, s.commaItem});
  Add(r, Msg(vocab::kControlState, s.remote ? 1 : 0));
  Add(r, Msg(vocab::kAmpState, s.amp));
  Add(r, Msg(vocab::kAmpTune, s.ampTune));
  Add(r, vocab::kRfGain + Padded(s.rfGain, 2));
  Add(r, Msg(vocab::kClipping, s.clipping));
  Add(r, Msg(vocab::kSideTone, s.sideTone));
  Add(r, Msg(vocab::kVox, s.vox));
  Add(r, ChannelMessage());
  Add(r, vocab::kBfo + Padded(s.bfo, 3));
  Add(r, std::string{vocab::kStar, s.starItem});
  Add(r, vocab::kTestResult + s.testResult);
  Add(r, Msg(vocab::kTestState, s.testState));
  Add(r, Msg(vocab::kFault, s.fault));
  if (options_.firmwareType != 2) Add(r, std::string(1, vocab::kExclaim));
  if (options_.firmwareType == 3) {
    Add(r, std::string{vocab::kQItems, 'T', s.qtItem});
    Add(r, std::string{vocab::kQItems, 'C', s.qcItem});
  }
  Add(r, std::string(1, vocab::kHash));
  Add(r, std::string(1, vocab::kStatusEnd));
  return r;
}

void SimRadio::Obey(const std::string& command, double now) {
  const char code = command[0];
  const std::string_view arg = std::string_view(command).substr(1);
  std::string reply;
  bool obeyed = true;
  if (code == vocab::kQuery) {
    reply = StatusReport();
  } else if (!state_.remote) {
    obeyed = false;  // LOCAL: the front panel is in charge
  } else if (code == vocab::kSyncReceive || code == vocab::kSyncTransmit) {
    ObeySync(code == vocab::kSyncTransmit, now, reply);
  } else {
    obeyed = ObeyCommand(code, arg, now, reply);
  }
  log_.push_back({now, command, obeyed});
  Report(reply, now + options_.latency);
}

bool SimRadio::ObeyCommand(char code, std::string_view arg, double now, std::string& reply) {
  if (!AllDigits(arg)) return false;
  const int value = arg.empty() ? 0 : std::stoi(std::string(arg));
  switch (code) {
    case vocab::kFreq:
      if (!InFrequencyRange(arg)) return false;
      SetFrequency(arg, reply);
      return true;
    case vocab::kSpeaker:
      if (value > 1) return false;
      state_.speaker = value;
      Add(reply, Msg(code, value));
      return true;
    case vocab::kRfGain:
      state_.rfGain = value;
      Add(reply, vocab::kRfGain + Padded(value, 2));
      return true;
    case vocab::kBfo:
      if (value > kBfoMaxCode) return false;
      state_.bfo = value;
      Add(reply, vocab::kBfo + Padded(value, 3));
      return true;
    case vocab::kChannel:
      SelectChannel(value, reply);
      return true;
    case vocab::kChannelData:
      return StoreChannel(arg);
    case vocab::kChannelQuery:
      if (const auto& c = state_.channels[value])
        Add(reply, vocab::kChannelData + std::string(arg) + c->digits + std::to_string(c->mode));
      return true;
    case vocab::kAmpState:
      if (value < kAmpOff || value > kAmpOperate) return false;
      ObeyAmp(value, now, reply);
      return true;
    case vocab::kTestState:
      if (state_.testState == 0) {
        state_.testState = 1;
        testDone_ = now + options_.testTime;
      }
      Add(reply, Msg(code, state_.testState));
      return true;
    default:
      return ObeySetting(code, arg, reply);
  }
}

bool SimRadio::ObeySetting(char code, std::string_view arg, std::string& reply) {
  for (const SettingRule& rule : kSettings) {
    const vocab::CommandForm form = vocab::FormFor(rule.setting, options_.firmwareType);
    if (form.character != code || form.form == Form::None) continue;
    int& value = state_.*rule.value;
    const int before = value;
    if (form.form == Form::Direct) {
      if (arg.size() != 1) return false;
      const int wanted = arg[0] - '0';
      if (wanted < rule.low || wanted > rule.high) return false;
      value = wanted;
    } else {
      value = value >= rule.cycleHigh ? rule.low : value + 1;
    }
    Add(reply, Msg(rule.item, value));
    if (rule.setting == Setting::Mode && value != before) ModeDisturbs(reply);
    return true;
  }
  return false;
}

void SimRadio::ModeDisturbs(std::string& reply) {
  if (options_.firmwareType == 2) return;
  state_.sideTone = 1;
  state_.pttEnable = 0;
  Add(reply, Msg(vocab::kSideTone, 1));
  Add(reply, Msg(vocab::kPttEnable, 0));
}

void SimRadio::SetFrequency(std::string_view digits, std::string& reply) {
  const bool changed = digits != state_.freq;
  state_.freq = std::string(digits);
  Add(reply, FreqMessage());
  if (state_.channel != kVfoChannel) {
    state_.channel = kVfoChannel;
    Add(reply, ChannelMessage());
  }
  if (changed) AmpSeesNewFrequency(reply);
}

void SimRadio::AmpSeesNewFrequency(std::string& reply) {
  if (state_.amp != kAmpOperate || state_.ampTune == kTuning) return;
  state_.ampTune = kTuneReady;
  Add(reply, Msg(vocab::kAmpTune, kTuneReady));
}

void SimRadio::SelectChannel(int channel, std::string& reply) {
  state_.channel = channel;
  Add(reply, ChannelMessage());
  if (const auto& c = state_.channels[channel]) {
    const bool changed = c->digits != state_.freq;
    state_.freq = c->digits;
    state_.mode = c->mode;
    Add(reply, FreqMessage());
    Add(reply, Msg(vocab::kMode, state_.mode));
    if (changed) AmpSeesNewFrequency(reply);
  } else {
    Add(reply, FreqMessage());
    Add(reply, Msg(vocab::kMode, state_.mode));
  }
}

// "P" + channel (2) + frequency digits (7) + mode digit (1).
bool SimRadio::StoreChannel(std::string_view arg) {
  const std::string_view digits = arg.substr(2, vocab::kFreqDigits);
  const int mode = arg[2 + vocab::kFreqDigits] - '0';
  if (!InFrequencyRange(digits) || mode < 1 || mode > kModeCount) return false;
  state_.channels[std::stoi(std::string(arg.substr(0, 2)))] =
      StoredChannel{std::string(digits), mode};
  return true;
}

void SimRadio::ObeyAmp(int value, double now, std::string& reply) {
  RadioState& s = state_;
  if (value == kAmpOff) {
    s.amp = kAmpOff;
    s.ampTune = kTuneIdle;
    warmUpDone_.reset();
    tuneDone_.reset();
  } else if (value == kAmpWarmingUp && s.amp == kAmpOff) {
    s.amp = kAmpWarmingUp;
    warmUpDone_ = now + options_.warmUpTime;
  } else if (value == kAmpStandby && s.amp == kAmpOperate) {
    s.amp = kAmpStandby;
    s.ampTune = kTuneIdle;
    tuneDone_.reset();
  } else if (value == kAmpOperate && s.amp == kAmpStandby) {
    s.amp = kAmpOperate;
    s.ampTune = kTuneIdle;
    Add(reply, Msg(vocab::kAmpState, s.amp));
    Add(reply, Msg(vocab::kAmpTune, s.ampTune));
    return;
  }
  Add(reply, Msg(vocab::kAmpState, s.amp));
}

void SimRadio::ObeySync(bool key, double now, std::string& reply) {
  RadioState& s = state_;
  s.keyed = key;
  Add(reply, std::string(1, key ? vocab::kSyncTransmit : vocab::kSyncReceive));
  const auto& base = key ? kTransmitReading : kReceiveReading;
  const int reading =
      std::clamp(base[state_.meter - 1] + kWobble[meterReadings_++ % kWobble.size()], 0, kMeterTop);
  Add(reply, vocab::kMeterReading + Padded(reading, 2));
  if (key && s.amp == kAmpOperate && s.ampTune == kTuneReady) {
    s.ampTune = kTuning;
    tuneDone_ = now + options_.tuneTime;
    Add(reply, Msg(vocab::kAmpTune, kTuning));
  } else if (!key && s.ampTune == kTuning) {  // released before the amplifier finished
    s.ampTune = kTuneReady;
    tuneDone_.reset();
    Add(reply, Msg(vocab::kAmpTune, kTuneReady));
  }
}

void SimRadio::FireTimers(double t) {
  std::string report;
  if (reader_.IdleDeadline() && *reader_.IdleDeadline() <= t) {
    if (std::optional<ReadPiece> piece = reader_.Idle()) {
      if (piece->command) {
        Obey(piece->text, t);
      } else {
        log_.push_back({t, piece->text, false});
      }
    }
  }
  if (warmUpDone_ && *warmUpDone_ <= t) {
    warmUpDone_.reset();
    state_.amp = kAmpStandby;
    Add(report, Msg(vocab::kAmpState, state_.amp));
  }
  if (tuneDone_ && *tuneDone_ <= t) {
    tuneDone_.reset();
    state_.ampTune = kTuned;
    Add(report, Msg(vocab::kAmpTune, kTuned));
  }
  if (testDone_ && *testDone_ <= t) {
    testDone_.reset();
    RadioState& s = state_;
    if (s.testFault) {
      s.fault = 1;
      s.testResult = options_.faultCode;
      Add(report, Msg(vocab::kFault, 1));
    } else {
      if (s.fault != 0) Add(report, Msg(vocab::kFault, 0));
      s.fault = 0;
      s.testResult = "001";
    }
    Add(report, vocab::kTestResult + s.testResult);
    s.testState = 0;
    Add(report, Msg(vocab::kTestState, 0));
  }
  Report(report, t);
}

// --- the radio itself

void SimRadio::SetControlState(bool remote, double now) {
  RunUntil(now);
  state_.remote = remote;
  if (!remote) state_.keyed = false;  // the front panel takes over; a remote key is let go
  std::string report;
  Add(report, Msg(vocab::kControlState, remote ? 1 : 0));
  Report(report, now_);
}

bool SimRadio::TurnFrequency(std::string_view digits, double now) {
  if (!InFrequencyRange(digits)) return false;
  RunUntil(now);
  std::string report;
  SetFrequency(digits, report);
  Report(report, now_);
  return true;
}

bool SimRadio::TurnMode(int mode, double now) {
  if (mode < 1 || mode > kModeCount) return false;
  RunUntil(now);
  std::string report;
  const bool changed = mode != state_.mode;
  state_.mode = mode;
  Add(report, Msg(vocab::kMode, mode));
  if (changed) ModeDisturbs(report);
  Report(report, now_);
  return true;
}

bool SimRadio::FillChannel(int channel, std::string_view digits, int mode) {
  if (channel < 0 || channel >= kChannelCount || !InFrequencyRange(digits) || mode < 1 ||
      mode > kModeCount)
    return false;
  state_.channels[channel] = StoredChannel{std::string(digits), mode};
  return true;
}

void SimRadio::ClearChannel(int channel) {
  if (channel >= 0 && channel < kChannelCount) state_.channels[channel].reset();
}

}  // namespace qd::sim
