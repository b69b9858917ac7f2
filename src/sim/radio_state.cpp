#include "sim/radio_state.h"

#include <string>

#include "status/vocabulary.h"

namespace qd::sim {

RadioState InitialState(bool remote) {
  RadioState s;
  s.remote = remote;
  s.channels[0] = StoredChannel{"0190000", 2};
  s.channels[1] = StoredChannel{"0371500", 2};
  s.channels[5] = StoredChannel{"1423000", 1};
  s.channels[12] = StoredChannel{"2120000", 4};
  return s;
}

bool InFrequencyRange(std::string_view digits) {
  if (!vocab::IsFreqDigits(digits)) return false;
  const long value = std::stol(std::string(digits));
  return value >= vocab::kLowestFreq && value <= vocab::kHighestFreq;
}

}  // namespace qd::sim
