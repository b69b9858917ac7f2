// The audio source and routing procedures behind cmbSource, shared with
// start-up, the digital modes and the tune carrier: SendAudioSource (serves the
// source request), SetAudioRoute, ToggleAudioRoute and SetAudioSource.
#pragma once

#include <string>

#include "program.h"

namespace qd {

// Routing codes: "0 remote audio, "1 local audio.
inline constexpr const char* kRouteRemote = "\"0";
inline constexpr const char* kRouteLocal = "\"1";

// Most routing commands SetAudioRoute sends before it gives up.
constexpr int kMaxRouteTries = 3;

// Serves the source request: "MIC", "AUDIO2", "PATCH" -> SetAudioSource,
// "REMOTE" -> SetAudioRoute("REMOTE"), "OFF/CW" -> nothing; then ReadReply.
void SendAudioSource(Program& p);
// Brings the radio's routing to "REMOTE" or "LOCAL" (other text: nothing);
// tells txtInfo when the radio has not followed after kMaxRouteTries commands.
void SetAudioRoute(Program& p, const std::string& target);
// Sends one routing change and reads the reply.
void ToggleAudioRoute(Program& p);
// Steps the radio's source to an "H" code (switching remote audio to local
// first); reads no reply.
void SetAudioSource(Program& p, const std::string& target);

}  // namespace qd
