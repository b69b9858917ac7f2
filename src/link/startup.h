// Start-up: the main window's load handler (single instance, window placement,
// the settings files, the CAT and radio ports) and the stages that bring the
// panel up for REMOTE or LOCAL working. The main loop re-enters the stages.
#pragma once

#include "link/main_loop.h"
#include "platform/errors.h"
#include "program.h"

namespace qd {

// Registers the main window's handlers, runs start-up, then the main loop;
// leaves only by throwing ProgramEnd.
void form_Load(Program& p);

Stage PortOpenStage(Program& p);
Stage LinkStart(Program& p);
Stage QueryLoop(Program& p);
Stage RemoteSetup(Program& p);
Stage RemotePanelSetup(Program& p);
Stage LocalSetup(Program& p);

// Start-up's error policy: a statement that fails with a run-time error is
// skipped and the next one runs.
template <typename Statement>
void SkipOnError(Statement&& statement) {
  try {
    statement();
  } catch (const RuntimeError&) {
  }
}

// Query pause: the radio's full status burst needs this long to arrive.
constexpr double kQueryPauseSeconds = 0.6;
// The window's top sits at this fraction of the free screen height.
constexpr int kWindowTopDivisor = 3;

}  // namespace qd
