// State of the radio link: the port settings, the sync exchange, the reply
// buffer and the start-up / main-loop module flags.
#pragma once

#include <cstdint>
#include <string>

namespace qd {

// The window caption: model, program version and build stamp.
inline constexpr const char* kProgramVersion = "0.971";
inline constexpr const char* kProgramTitle = "QD-6250 0.971 : 8-20-26 : 1626";

struct LinkState {
  // Radio port settings (from "PortSetup.txt" or the Port Setup dialog).
  std::string RadioPortNumber;
  std::string RadioPortSettings;
  std::string RadioHandshake;
  bool ExtPttEnabled = false;

  bool RadioBreakSeen = false;
  int LastRadioEvent = 0;  // code of the radio port's last event

  // Sync exchange.
  std::string SyncChar = "U";
  std::string LastSyncChar;
  double LastSyncTime = 0;
  std::int16_t SyncFailCount = 0;

  std::string ReplyBuffer;

  // Start-up and main loop.
  std::string ProgramTitle;
  bool PortSetupChanged = false;
  bool AudioSetupChanged = false;
  std::int32_t FirmwareType = 0;
  bool TuneTimerOn = false;
  double TuneStartTime = 0;
  bool ScanActive = false;
};

}  // namespace qd
