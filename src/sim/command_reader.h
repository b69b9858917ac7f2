// Cuts the panel's byte stream into commands the way the radio's receiver
// does: a command is its code character and the argument width that code has
// for the firmware type (vocab::CommandArgumentWidth). A line feed only
// separates; commands may follow each other without one. A digit can never
// start a command, so a digit right after a complete command means the
// command was longer than its form (an eight-digit "F", "M1" on a type
// without direct mode): it is dropped with the rest of its line. The line
// falling idle ends whatever is pending.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qd::sim {

// Character times of silence after which the line counts as idle.
constexpr int kIdleCharacters = 2;

struct ReadPiece {
  std::string text;  // code and argument characters, or the junk skipped
  bool command;      // true: a complete command of this type's vocabulary
};

class CommandReader {
 public:
  CommandReader(int firmwareType, double idleGap) : type_(firmwareType), idleGap_(idleGap) {}

  // One byte arriving at time t; appends what it finished to `done`.
  void Feed(char byte, double t, std::vector<ReadPiece>& done);
  // When the line counts as idle, while something is pending.
  std::optional<double> IdleDeadline() const;
  // The line fell idle: finishes what is pending.
  std::optional<ReadPiece> Idle();

 private:
  enum class State { Boundary, Argument, Complete, Skipping };
  void Finish(bool command, std::vector<ReadPiece>& done);

  int type_;
  double idleGap_;
  State state_ = State::Boundary;
  std::string text_;
  int need_ = 0;
  double lastByte_ = 0;
};

}  // namespace qd::sim
