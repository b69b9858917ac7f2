// Module state of the status subsystem beyond RadioStatus: the band guard's
// switches, the copies kept around a mode change, and the current band list.
#pragma once

#include <string>

namespace qd {

struct StatusModule {
  bool BandGuardOff = false;     // "Permissions.txt" was present at start-up
  bool PttEnableWanted = false;  // the operator's wanted push-to-talk enable
  std::string SavedSideTone;     // SideTone just before the last mode change
  std::string SavedPttEnable;    // PttEnable just before the last mode change
  std::string CurrentBand;       // set by ShowBandList, read by the band list dialog
};

}  // namespace qd
