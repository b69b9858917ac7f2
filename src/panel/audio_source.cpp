#include "panel/audio_source.h"

#include "link/reply_reader.h"
#include "link/send.h"
#include "status/vocabulary.h"

namespace qd {

namespace {

const std::string& Route(Program& p) {
  return p.status.Text(vocab::Item::AudioRoute);
}

// The routing command for a wanted code: type 1 only toggles.
std::string RouteCommand(Program& p, const std::string& wanted) {
  const vocab::CommandForm form = vocab::FormFor(vocab::Setting::AudioRoute, p.link.FirmwareType);
  return form.form == vocab::Form::Toggle ? std::string(1, form.character) : wanted;
}

}  // namespace

void SendAudioSource(Program& p) {
  p.main.requests.source = false;
  const std::string& choice = p.main.cmbSource.text;
  if (choice == "MIC")
    SetAudioSource(p, "H1");
  else if (choice == "AUDIO2")
    SetAudioSource(p, "H2");
  else if (choice == "PATCH")
    SetAudioSource(p, "H3");
  else if (choice == "REMOTE")
    SetAudioRoute(p, "REMOTE");
  ReadReply(p);
}

void SetAudioRoute(Program& p, const std::string& target) {
  std::string wanted;
  if (target == "REMOTE")
    wanted = kRouteRemote;
  else if (target == "LOCAL")
    wanted = kRouteLocal;
  else
    return;
  // A radio that never reports the wanted routing must not hold the panel forever.
  for (int tries = 0; Route(p) != wanted; ++tries) {
    if (tries == kMaxRouteTries) {
      ShowInfoMessage(p, "Audio routing: the radio did not switch to " + target + " audio");
      return;
    }
    SendCommand(p, RouteCommand(p, wanted), true, 0.2);
    ReadReply(p);
  }
}

void ToggleAudioRoute(Program& p) {
  std::string wanted;
  if (Route(p) == kRouteRemote)
    wanted = kRouteLocal;
  else if (Route(p) == kRouteLocal)
    wanted = kRouteRemote;
  else if (vocab::FormFor(vocab::Setting::AudioRoute, p.link.FirmwareType).form !=
           vocab::Form::Toggle)
    return;  // the other side of an unknown routing is unknown too
  SendCommand(p, RouteCommand(p, wanted), true, 0.2);
  ReadReply(p);
}

void SetAudioSource(Program& p, const std::string& target) {
  if (Route(p) == kRouteRemote) SendCommand(p, RouteCommand(p, kRouteLocal), true, 0.1);
  const std::string& current = p.status.Text(vocab::Item::AudioSource);
  // Without a known source on both ends there is nothing to count steps from.
  if (!vocab::IsCodeWithDigits(current, vocab::kAudioSource, 1) ||
      !vocab::IsCodeWithDigits(target, vocab::kAudioSource, 1))
    return;
  const int c = current[1] - '0';
  const int t = target[1] - '0';
  if (c == t) return;
  const int steps = t > c ? t - c : t - c + 3;
  SendCommand(p, std::string(steps, vocab::kAudioSource), true, 0.2);
}

}  // namespace qd
