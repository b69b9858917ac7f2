#include "status/setting_commands.h"

#include "link/reply_reader.h"
#include "link/send.h"
#include "platform/errors.h"
#include "status/band_guard.h"
#include "status/indicators.h"

namespace qd {

namespace {

using vocab::Item;

// The digit of code + one digit 1..max, or 0 when text is not such a value.
int ValueOf(const std::string& text, char code, int max) {
  if (!vocab::IsCodeWithDigits(text, code, 1)) return 0;
  const int v = text[1] - '0';
  return v >= 1 && v <= max ? v : 0;
}

// Forward steps from cur to tgt on a dial of `positions` values that wraps.
int StepsForward(int cur, int tgt, int positions) {
  return tgt > cur ? tgt - cur : tgt - cur + positions;
}

// Shows and consumes an item's change now instead of at the next display pass.
void ShowNow(Program& p, Item item, void (*show)(Program&)) {
  if (!p.status[item].changed) return;
  show(p);
  p.status[item].changed = false;
}

// The radio's push-to-talk enable goes back on only where the band guard
// would leave it on: the frequency may have left the bands since the last pass.
bool GuardAllowsTransmit(Program& p) {
  if (p.link.ScanActive) return false;
  try {
    return TransmitFrequencyInBand(p);
  } catch (const RuntimeError&) {
    return false;
  }
}

}  // namespace

void SetFreq(Program& p, const std::string& digits) {
  if (!vocab::IsFreqDigits(digits)) return;
  SendCommand(p, std::string(1, vocab::kFreq) + digits, true, 0.45);
  ReadReply(p);
}

void SetAgc(Program& p, const std::string& code) {
  const vocab::CommandForm form = vocab::FormFor(vocab::Setting::Agc, p.link.FirmwareType);
  const int tgt = ValueOf(code, vocab::kAgc, 4);
  if (tgt == 0) return;
  if (form.form == vocab::Form::Direct) {
    SendCommand(p, code, false, 0.2);
    // The direct form is followed by the frequency, as after a direct mode change.
    if (p.status.FreqWellFormed) SendCommand(p, p.status.Text(Item::Freq), false, 0.2);
    ReadReply(p);
    return;
  }
  // Steps are counted from the reported AGC; without one there is nothing to count from.
  const int cur = ValueOf(p.status.Text(Item::Agc), vocab::kAgc, 4);
  if (cur == 0 || cur == tgt) return;
  SendCommand(p, std::string(StepsForward(cur, tgt, 4), form.character), true, 0.1);
  ReadReply(p);
}

std::string ModeSteps(Program& p, const std::string& code) {
  const vocab::CommandForm form = vocab::FormFor(vocab::Setting::Mode, p.link.FirmwareType);
  const int tgt = ValueOf(code, vocab::kMode, 4);
  if (tgt == 0) return "";
  if (form.form == vocab::Form::Direct) return code;
  // A mode the radio has not reported counts as the first one (USB).
  const int reported = ValueOf(p.status.Text(Item::Mode), vocab::kMode, 4);
  const int cur = reported == 0 ? 1 : reported;
  if (cur == tgt) return "";
  return std::string(StepsForward(cur, tgt, 4), form.character);
}

void SetMode(Program& p, const std::string& code) {
  RadioStatus& s = p.status;
  // An unknown wanted mode (an unlisted box text) moves nothing.
  if (s.Text(Item::Mode) == code || ValueOf(code, vocab::kMode, 4) == 0) return;
  const std::string command = ModeSteps(p, code);
  p.module.SavedSideTone = s.Text(Item::SideTone);
  p.module.SavedPttEnable = s.Text(Item::PttEnable);

  if (vocab::FormFor(vocab::Setting::Mode, p.link.FirmwareType).form == vocab::Form::Direct) {
    ReadPending(p);
    // One write: the mode, then the frequency again. A frequency report that
    // was not well formed is left out rather than retuning to its cut digits.
    std::string bytes = command + vocab::kLineFeed;
    if (s.FreqWellFormed) bytes += s.Text(Item::Freq) + vocab::kLineFeed;
    WriteRadioPort(p, bytes);
    WaitSeconds(p, 0.3);
    ReadReply(p);
  } else {
    SendCommand(p, command, true, 0.3);
    ReadReply(p);
    // Stepping the mode disturbs the side tone (except into CW) and the
    // push-to-talk enable; bring back what was there before.
    if (s.Text(Item::Mode) != "M4") RestoreSideTone(p, p.module.SavedSideTone);
    if (s.Text(Item::PttEnable) != p.module.SavedPttEnable)
      SetPttEnable(p, p.module.SavedPttEnable == std::string{vocab::kPttEnable, '1'} &&
                          GuardAllowsTransmit(p));
  }

  ShowNow(p, Item::Mode, ShowMode);
  ShowNow(p, Item::SideTone, ShowSideTone);
  ShowNow(p, Item::AudioSource, ShowAudioSource);
  ShowNow(p, Item::PttEnable, ShowPttEnable);
}

void RestoreSideTone(Program& p, const std::string& saved) {
  if (p.status.Text(Item::SideTone) == saved) return;
  const vocab::CommandForm toggle = vocab::FormFor(vocab::Setting::SideTone, p.link.FirmwareType);
  SendCommand(p, std::string(1, toggle.character), true, 0.1);
}

}  // namespace qd
