#include "panel/main_window_events.h"

#include <string>

#include "cat/cat_port.h"
#include "link/events.h"
#include "link/radio_port.h"
#include "link/shutdown.h"
#include "panel/receiver_adjustments.h"
#include "setup/setup_menu.h"

namespace qd {

namespace {

// A handler that only raises one request flag.
void RaiseOnClick(Program& p, const std::string& control, bool RequestFlags::*flag) {
  OnAction(p, control, "Click",
           [flag](Program& p, const Action&) { p.main.requests.*flag = true; });
}

}  // namespace

void RegisterMainWindowHandlers(Program& p) {
  RaiseOnClick(p, "cmbSource", &RequestFlags::source);
  RaiseOnClick(p, "cmbAGC", &RequestFlags::agc);
  RaiseOnClick(p, "cmdBFO", &RequestFlags::bfo);
  RaiseOnClick(p, "cmdClipping", &RequestFlags::clipping);
  for (std::size_t i = 0; i < kBandButtons.size(); ++i)
    OnAction(p, kBandButtons[i].name, "Click",
             [i](Program& p, const Action&) { p.main.requests.band[i] = true; });
  OnAction(p, "optMeter", "Click", [](Program& p, const Action& a) {
    if (ActionIndex(a) < 0) return;
    p.main.chosenMeterIndex = ActionIndex(a);
    p.main.requests.meter = true;
  });
  RaiseOnClick(p, "cmbMode", &RequestFlags::mode);
  RaiseOnClick(p, "cmdMute", &RequestFlags::mute);
  RaiseOnClick(p, "cmdPTTEn", &RequestFlags::pttEn);
  RaiseOnClick(p, "cmdSideTone", &RequestFlags::sideTone);
  RaiseOnClick(p, "cmdTune", &RequestFlags::tune);
  RaiseOnClick(p, "cmdViewInData", &RequestFlags::viewInData);
  RaiseOnClick(p, "cmdVOX", &RequestFlags::vox);
  RaiseOnClick(p, "cmdXmit", &RequestFlags::xmit);
  RaiseOnClick(p, "cmdAmpPwr", &RequestFlags::ampPwr);
  RaiseOnClick(p, "cmdAmpOpr", &RequestFlags::ampOpr);
  RaiseOnClick(p, "cmdTuneAmp", &RequestFlags::tuneAmp);
  RaiseOnClick(p, "cmdM2V", &RequestFlags::m2v);
  RaiseOnClick(p, "cmdV2M", &RequestFlags::v2m);
  RaiseOnClick(p, "cmdGetStatus", &RequestFlags::getStatus);
  OnAction(p, "vscBFO", "Change", [](Program& p, const Action&) { vscBFO_Change(p); });
  OnAction(p, "vscRFG", "Change", [](Program& p, const Action&) { vscRFG_Change(p); });
  RaiseOnClick(p, "cmbDig", &RequestFlags::dig);
  RaiseOnClick(p, "cmdSwap", &RequestFlags::swap);
  RaiseOnClick(p, "cmdA2B", &RequestFlags::a2b);

  OnAction(p, "unload", "Unload", [](Program& p, const Action&) { form_queryUnload(p); });
  OnAction(p, "mnuFileExit", "Click", [](Program& p, const Action&) { form_queryUnload(p); });

  OnAction(p, "MSComm1", "OnComm", [](Program& p, const Action& a) { MSComm1_OnComm(p, a.value); });
  OnAction(p, "MSComm2", "OnComm", [](Program& p, const Action& a) { MSComm2_OnComm(p, a.value); });

  RegisterSetupHandlers(p);
}

}  // namespace qd
