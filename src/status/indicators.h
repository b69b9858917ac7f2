// Display routines: each brings the main window's controls in line with one
// status item; values they do not know leave the controls alone.
#pragma once

#include "program.h"

namespace qd {

void ShowControlState(Program& p);
void ShowAgc(Program& p);
void ShowMode(Program& p);
void ShowFreq(Program& p);
void ShowAudioRoute(Program& p);
void ShowAudioSource(Program& p);
void ShowClipping(Program& p);
void ShowPttEnable(Program& p);
void ShowSpeaker(Program& p);
void ShowSideTone(Program& p);
void ShowVox(Program& p);
void ShowChannel(Program& p);
void ShowTestState(Program& p);
void ShowFault(Program& p);
void ShowTestResult(Program& p);
void ShowChannelData(Program& p);

}  // namespace qd
