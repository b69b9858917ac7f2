#include "sim/command_reader.h"

#include "status/vocabulary.h"

namespace qd::sim {
namespace {

bool IsSeparator(char c) {
  return c == vocab::kLineFeed || c == '\r';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

void CommandReader::Finish(bool command, std::vector<ReadPiece>& done) {
  if (!text_.empty()) done.push_back({text_, command});
  text_.clear();
  state_ = State::Boundary;
}

void CommandReader::Feed(char byte, double t, std::vector<ReadPiece>& done) {
  lastByte_ = t;
  switch (state_) {
    case State::Complete:
      if (IsDigit(byte)) {  // the command ran past its width
        text_ += byte;
        state_ = State::Skipping;
        return;
      }
      Finish(true, done);
      break;  // the byte starts what follows
    case State::Skipping:
      if (IsSeparator(byte)) {
        Finish(false, done);
      } else {
        text_ += byte;
      }
      return;
    case State::Argument:
      if (IsSeparator(byte)) {  // cut short
        Finish(false, done);
        return;
      }
      text_ += byte;
      if (--need_ == 0) state_ = State::Complete;
      return;
    case State::Boundary:
      break;
  }
  if (IsSeparator(byte)) return;
  const int width = vocab::CommandArgumentWidth(byte, type_);
  text_ = std::string(1, byte);
  if (width < 0) {
    state_ = State::Skipping;
  } else if (width == 0) {
    state_ = State::Complete;
  } else {
    need_ = width;
    state_ = State::Argument;
  }
}

std::optional<double> CommandReader::IdleDeadline() const {
  if (state_ == State::Boundary) return std::nullopt;
  return lastByte_ + idleGap_;
}

std::optional<ReadPiece> CommandReader::Idle() {
  if (state_ == State::Boundary) return std::nullopt;
  ReadPiece piece{text_, state_ == State::Complete};
  text_.clear();
  state_ = State::Boundary;
  return piece;
}

}  // namespace qd::sim
