// State of the CAT port: its settings from "CATSetup.txt" and what its receive
// handler has stored for ServiceCatCommand.
#pragma once

#include <string>

namespace qd {

struct CatState {
  std::string CatPortNumber;
  std::string CatPortSettings;
  std::string CatHandshake;
  std::string CatRigType;
  std::string CatBuffer;
  bool CatCommandPending = false;
  bool CatBreakSeen = false;
  bool CatSetupChanged = false;
};

}  // namespace qd
