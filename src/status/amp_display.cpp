#include "status/amp_display.h"

#include "link/send.h"

namespace qd {

namespace {

using vocab::Item;

void SetLabel(Label& l, const char* caption, Colour back) {
  l.caption = caption;
  l.backColour = back;
}

}  // namespace

void ShowAmpState(Program& p) {
  frmQD6250& f = p.main;
  const std::string& state = p.status.Text(Item::AmpState);
  if (state == "O1") {
    SetLabel(f.lblAmpPwr, "OFF", colour::kWhite);
    f.cmdTuneAmp.enabled = false;
    SetLabel(f.lblAmpOpStby, "", colour::kWhite);
    SetLabel(f.lblAmpTuned, "", colour::kWhite);
  } else if (state == "O2" || state == "O3") {
    SetLabel(f.lblAmpPwr, "ON", colour::kRed);
    f.cmdTuneAmp.enabled = false;
    if (state == "O2")
      SetLabel(f.lblAmpOpStby, "Warmup", colour::kYellow);
    else
      SetLabel(f.lblAmpOpStby, "Standby", colour::kGreen);
    SetLabel(f.lblAmpTuned, "", colour::kWhite);
  } else if (state == "O4") {
    SetLabel(f.lblAmpPwr, "ON", colour::kRed);
    f.cmdTuneAmp.enabled = true;
    SetLabel(f.lblAmpOpStby, "Operate", colour::kRed);
    f.lblAmpTuned.backColour = colour::kYellow;
  }
}

void ShowAmpTune(Program& p) {
  if (p.status.Text(Item::AmpState) != "O4") return;
  Label& tuned = p.main.lblAmpTuned;
  const std::string& tune = p.status.Text(Item::AmpTune);
  // While a tune from the panel runs, its own " >> " stays until tuning starts.
  if (tune == "T1" && !p.link.TuneTimerOn) {
    SetLabel(tuned, "", colour::kWhite);
  } else if (tune == "T2" && !p.link.TuneTimerOn) {
    SetLabel(tuned, "Start Tune", colour::kGreen);
  } else if (tune == "T3") {
    SetLabel(tuned, "Tuning", colour::kYellow);
  } else if (tune == "T4") {
    // The tune carrier may have been keyed by a direct "K" that the sync
    // exchange has not repeated yet, or from the radio itself; the repeat rule
    // of gSendSync would hold a "U" back for up to 2 s. So the first "tuned"
    // report (or any during a panel tune) unkeys at once; repeats of it do not.
    const bool unkeyNow = p.link.TuneTimerOn || tuned.caption != "Tuned";
    SetLabel(tuned, "Tuned", colour::kRed);
    p.link.TuneTimerOn = false;
    p.link.SyncChar = std::string(1, vocab::kSyncReceive);
    if (unkeyNow) p.link.LastSyncChar = std::string(1, vocab::kSyncTransmit);
    gSendSync(p, p.link.SyncChar);
  }
}

}  // namespace qd
