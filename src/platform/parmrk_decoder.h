// Decoder for input read with INPCK + PARMRK: "\377\0X" is a byte received with
// a parity or framing error (delivered as ":"), "\377\0\0" a break, "\377\377"
// a real 0xFF. NUL bytes are dropped after decoding. Keeps its state across
// reads, since a mark can be split between two.
#pragma once

#include <string>
#include <string_view>

namespace qd {

constexpr char kParityReplacement = ':';

class ParmrkDecoder {
 public:
  struct Result {
    std::string data;
    int breaks = 0;  // breaks seen in this piece (bursts within one piece count once)
    int errors = 0;  // bytes replaced by ":"
  };
  // Decodes one piece of raw input; `mask7` clears the top bit of data bytes
  // (7 data bits).
  Result Feed(std::string_view raw, bool mask7 = false);
  void Reset() { state_ = State::Normal; }

 private:
  enum class State { Normal, AfterFF, AfterFF00 };
  State state_ = State::Normal;
};

}  // namespace qd
