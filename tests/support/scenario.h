// The scenario fixture: a whole Program on a VirtualClock, ScriptedWindowing and
// two FakeSerialPorts (radio, CAT), radio port open, without start-up. Idle
// yields jump to the ports' next due byte or event. Tests attach a peer (the
// simulated radio's SimPeer, or the small ScriptedPeer below) and read the wire log.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "program.h"
#include "support/fake_serial_port.h"
#include "support/scripted_windowing.h"
#include "support/virtual_clock.h"

namespace qd::test {

constexpr double kNoon = 12 * 3600.0;

struct ScenarioOptions {
  double startTimeOfDay = kNoon;  // e.g. 23 * 3600 + 59 * 60 + 50 to cross midnight
  int firmwareType = 3;           // link.FirmwareType
  bool openRadioPort = true;      // as start-up leaves it: port 1, "9600,O,7,1", no handshake
};

struct Scenario {
  explicit Scenario(ScenarioOptions options = {});
  Scenario(const Scenario&) = delete;
  Scenario& operator=(const Scenario&) = delete;

  VirtualClock clock;
  ScriptedWindowing windowing{clock};
  FakeSerialPort radio{clock};
  FakeSerialPort cat{clock};
  Program p{clock, windowing, radio, cat};
  const double start;  // absolute virtual time the scenario began

  void AttachRadioPeer(PortPeer& peer) { radio.AttachPeer(&peer); }

  // Seconds of virtual time since the scenario began.
  double Elapsed() const { return clock.Now() - start; }

  // The program's writes to the radio at or after an elapsed time, joined.
  std::string SentSince(double elapsed) const;
  // The program's writes to the radio, each with its elapsed time.
  std::vector<WireEntry> RadioWrites() const;
  // Elapsed time of the first write to the radio holding `bytes`, if any.
  std::optional<double> WhenSent(std::string_view bytes) const;
  // Bytes arriving at the radio port `delay` seconds from now.
  void RadioSaysIn(double delay, std::string raw) {
    radio.Arrive(clock.Now() + delay, std::move(raw));
  }
};

// Shows line feeds as <LF> and carriage returns as <CR>, for failure messages.
std::string Visible(std::string_view bytes);

// A small radio stand-in: answers a write that equals (or, with an empty
// trigger, any write) after a delay. Rules are tried in order; the first match answers.
class ScriptedPeer : public PortPeer {
 public:
  void Answer(std::string trigger, std::string reply, double delay = 0.02) {
    rules_.push_back({std::move(trigger), std::move(reply), delay});
  }
  void AnswerAny(std::string reply, double delay = 0.02) { Answer("", std::move(reply), delay); }

  void OnWrite(std::string_view bytes, double now) override;
  std::optional<double> NextArrival() override;
  std::string TakeArrivals(double upTo) override;

 private:
  struct Rule {
    std::string trigger;
    std::string reply;
    double delay;
  };
  struct Pending {
    double time;
    std::string raw;
  };
  std::vector<Rule> rules_;
  std::vector<Pending> pending_;
};

}  // namespace qd::test
