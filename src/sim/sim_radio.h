// The simulated QD-6250: the radio's state and behaviour as the panel sees it.
// It is fed the panel's bytes with their time and gives back raw line bytes
// with their arrival times; it knows nothing of ports or clocks, so tests run
// it in virtual time behind FakeSerialPort (SimPeer) and tools/qd6250-sim
// serves it on a pseudo-terminal with the real clock.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/command_reader.h"
#include "sim/radio_state.h"

namespace qd::sim {

// Timings of the radio model, in seconds unless named otherwise.
constexpr double kDefaultLatency = 0.020;    // command complete -> first reply byte leaves
constexpr double kDefaultWarmUpTime = 3.0;   // amplifier "O2" -> "O3"
constexpr double kDefaultTuneTime = 2.0;     // amplifier "T3" -> "T4" while keyed
constexpr double kDefaultTestTime = 2.0;     // self test "Z1" -> result
constexpr double kDefaultSlowDelay = 1.0;    // extra delay of a slow radio (> 0.8 s read limit)
constexpr int kBitsPerCharacter = 10;        // start, 7 data, parity, stop
constexpr char kDefaultFaultCode[] = "123";  // self-test result with a fault: "X123"

struct SimOptions {
  int firmwareType = 1;  // 1, 2 or 3
  int baud = 9600;
  double latency = kDefaultLatency;
  bool remote = true;  // false: start in LOCAL ("R0")
  double warmUpTime = kDefaultWarmUpTime;
  double tuneTime = kDefaultTuneTime;
  double testTime = kDefaultTestTime;
  double slowDelay = kDefaultSlowDelay;
  std::string faultCode = kDefaultFaultCode;  // three digits
};

// Faults on demand. Each applies to every reply burst (the answer to one
// command, or one unasked report) while it is set.
struct Faults {
  bool silent = false;         // nothing leaves the radio
  bool slow = false;           // bursts leave slowDelay later
  double dropShare = 0.0;      // share of bursts dropped, 0..1, spread evenly
  int cutBursts = 0;           // the next n bursts end in the middle of a message
  bool garbageLine = false;    // each burst starts with a line of noise
  bool parityError = false;    // the first byte of each burst arrives with a parity error
  bool unknownCode = false;    // each burst ends with a message of an unknown code
  bool malformedFreq = false;  // "F" messages carry six digits
  bool longFreq = false;       // "F" messages carry eight digits
};

// One command the radio read, as its code and argument characters.
struct LoggedCommand {
  double time;       // when the radio knew the command complete
  std::string text;  // no line feed
  bool obeyed;       // false: ignored (LOCAL, bad value, form this type lacks, junk)
};

class SimRadio {
 public:
  explicit SimRadio(SimOptions options = {});

  // --- the serial line
  // The panel wrote these bytes at `now` (they arrive one character time apart).
  void Receive(std::string_view bytes, double now);
  // Earliest time at which output is due or something happens inside the radio.
  std::optional<double> NextDue() const;
  // Runs the radio up to `upTo` and returns the raw line bytes arriving by then.
  // A parity error is "\377\0" + byte, a break "\377\0\0" (PARMRK marking).
  std::string TakeOutput(double upTo);
  // Runs the radio's own timers up to `now` without taking output.
  void AdvanceTo(double now);

  // --- the radio itself (its front panel, its operator); reported unasked
  void SetControlState(bool remote, double now);
  // False when digits is not a frequency digit string in the radio's range.
  bool TurnFrequency(std::string_view digits, double now);
  // mode 1..4; false otherwise.
  bool TurnMode(int mode, double now);
  // The fault the next self test finds ("E1" and "X" + fault code).
  void SetTestFault(bool on) { state_.testFault = on; }
  // False (and nothing stored) for a channel, frequency or mode the radio lacks.
  bool FillChannel(int channel, std::string_view digits, int mode);
  void ClearChannel(int channel);

  // --- faults
  void SetFaults(const Faults& faults) { faults_ = faults; }
  Faults& MutableFaults() { return faults_; }
  // A break on the line at `now` (through FakeSerialPort only; a pty cannot carry it).
  void SendBreak(double now);

  // --- for tests
  const RadioState& State() const { return state_; }
  const SimOptions& Options() const { return options_; }
  const std::vector<LoggedCommand>& Log() const { return log_; }
  // The logged command texts, oldest first.
  std::vector<std::string> CommandTexts() const;
  // Seconds one character takes on the line at the configured speed.
  double CharacterTime() const;
  // The answer to "?" as the radio would send it now.
  std::string StatusReport() const;

 private:
  struct OutChar {
    double time;
    std::string raw;  // one line character (with its PARMRK marking, if any)
  };

  void RunUntil(double t);
  std::optional<double> NextTimer() const;
  void FireTimers(double t);
  void Obey(const std::string& command, double now);
  bool ObeyCommand(char code, std::string_view arg, double now, std::string& reply);
  bool ObeySetting(char code, std::string_view arg, std::string& reply);
  void ObeyAmp(int value, double now, std::string& reply);
  void ObeySync(bool key, double now, std::string& reply);
  void SetFrequency(std::string_view digits, std::string& reply);
  void AmpSeesNewFrequency(std::string& reply);
  void SelectChannel(int channel, std::string& reply);
  bool StoreChannel(std::string_view arg);
  void ModeDisturbs(std::string& reply);
  // Sends a burst through the fault filter; it starts leaving at `ready`.
  void Report(std::string burst, double ready);
  std::string Msg(char code, int value) const;
  std::string FreqMessage() const;
  std::string ChannelMessage() const;

  SimOptions options_;
  RadioState state_;
  Faults faults_;
  CommandReader reader_;
  std::vector<LoggedCommand> log_;
  std::deque<OutChar> out_;
  double now_ = 0;
  double inFree_ = 0;   // when the line from the panel is free
  double outFree_ = 0;  // when the line to the panel is free
  double dropAccumulator_ = 0;
  int meterReadings_ = 0;
  std::optional<double> warmUpDone_;
  std::optional<double> tuneDone_;
  std::optional<double> testDone_;
};

}  // namespace qd::sim
