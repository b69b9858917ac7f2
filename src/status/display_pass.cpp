#include "status/display_pass.h"

#include "link/reply_reader.h"
#include "platform/errors.h"
#include "status/amp_display.h"
#include "status/band_guard.h"
#include "status/indicators.h"
#include "status/meters.h"

namespace qd {

namespace {

using vocab::Item;

// Runs an item's display routine when its flag is set; the flag is cleared
// only after the routine returned, so a failing one is tried again next pass.
void Step(Program& p, Item item, void (*show)(Program&)) {
  if (!p.status[item].changed) return;
  show(p);
  p.status[item].changed = false;
}

void ShowAmpStateAndTune(Program& p) {
  ShowAmpState(p);
  ShowAmpTune(p);
}

}  // namespace

void gUpdateDisplay(Program& p) {
  RadioStatus& s = p.status;
  try {
    Step(p, Item::ControlState, ShowControlState);
    Step(p, Item::Agc, ShowAgc);
    Step(p, Item::Mode, ShowMode);
    if (s[Item::Freq].changed) {
      ShowFreq(p);
      s.ShownFreq = s.Text(Item::Freq);
      s[Item::Freq].changed = false;
    }

    s.VfoBFreq = std::string(1, vocab::kFreq);
    for (const Button& digit : p.main.cmdVFOB) s.VfoBFreq += digit.caption;
    GuardTransmitFrequency(p);

    if (s[Item::Channel].changed) {
      s[Item::Channel].changed = false;
      ShowChannel(p);
    }
    Step(p, Item::AudioSource, ShowAudioSource);
    Step(p, Item::AudioRoute, ShowAudioRoute);
    Step(p, Item::Clipping, ShowClipping);
    Step(p, Item::MeterSelect, ShowMeterSelect);
    Step(p, Item::PttEnable, ShowPttEnable);
    Step(p, Item::Speaker, ShowSpeaker);
    Step(p, Item::SideTone, ShowSideTone);
    Step(p, Item::Vox, ShowVox);
    Step(p, Item::AmpState, ShowAmpStateAndTune);
    Step(p, Item::AmpTune, ShowAmpTune);
    Step(p, Item::TestState, ShowTestState);
    Step(p, Item::Fault, ShowFault);
    Step(p, Item::TestResult, ShowTestResult);
    Step(p, Item::ChannelData, ShowChannelData);
  } catch (const RuntimeError& e) {
    ShowInfoMessage(p, ErrorText("gUpdateDisplay", e));
  }
}

}  // namespace qd
