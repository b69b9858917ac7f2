// The main loop: LoopInit and the passes that yield, refresh the display, keep
// sync, watch the external push-to-talk key and serve the request flags in
// their fixed order. Start-up's stages and the loop hand over to each other
// through the stage machine run by RunStages.
#pragma once

#include "program.h"

namespace qd {

// Where the program goes next. Start-up's stages and the loop's jumps between
// them are returns of this, so re-entering a stage never nests.
enum class Stage {
  PortOpen,     // open the radio port (waits for a port setup when it is missing)
  LinkStart,    // first status query
  QueryLoop,    // query until a complete status report arrives
  RemoteSetup,  // read the audio settings, then the REMOTE panel set-up
  RemotePanel,  // the REMOTE panel set-up alone
  LocalSetup,   // LOCAL panel
  LoopInit,     // the loop's initialisation and error recovery point
  Pass,         // one pass of the loop
};

// Runs stages from `first` on; leaves only by an exception (ProgramEnd after
// shutdown). A run-time error escaping a stage or a pass restarts at LoopInit.
[[noreturn]] void RunStages(Program& p, Stage first);

Stage LoopInit(Program& p);
Stage MainLoopPass(Program& p);

// A pass with no sync answer for more than this many syncs restarts the link.
constexpr int kMaxUnansweredSyncs = 5;
// A tune carrier the operator left on is dropped after this long.
constexpr double kTuneTimeoutSeconds = 20.0;

}  // namespace qd
