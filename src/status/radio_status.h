// RadioStatus: the radio's last reported value of every status item, kept as
// fixed-width text with a Changed flag, plus the sync, marker and meter fields.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "status/vocabulary.h"

namespace qd {

struct StatusItem {
  std::string text;  // the whole message, code included, cut or blank-padded to width
  bool changed = false;
};

struct RadioStatus {
  std::array<StatusItem, vocab::kItemCount> items{};

  StatusItem& operator[](vocab::Item i) { return items[static_cast<std::size_t>(i)]; }
  const StatusItem& operator[](vocab::Item i) const { return items[static_cast<std::size_t>(i)]; }
  const std::string& Text(vocab::Item i) const { return (*this)[i].text; }

  std::int32_t MeterValue = 0;
  bool MeterSeen = false;
  bool SyncAnswered = false;
  bool TransmitterKeyed = false;
  bool ExclaimSeen = false;
  bool HashSeen = false;
  bool QSeen = false;
  bool StatusEndSeen = false;
  bool StatusComplete = false;
  bool FreqWellFormed = false;
  std::string VfoBFreq;
  std::string ShownFreq;
};

}  // namespace qd
