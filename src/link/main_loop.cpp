#include "link/main_loop.h"

#include <array>
#include <optional>

#include "cat/cat_port.h"
#include "link/events.h"
#include "link/reply_reader.h"
#include "link/startup.h"
#include "link/sync.h"
#include "panel/audio_source.h"
#include "panel/receiver_adjustments.h"
#include "platform/errors.h"
#include "status/display_pass.h"
#include "status/meters.h"

namespace qd {

namespace {

// One request of the loop's fixed serving order: its flag and the procedure
// that serves it (and clears the flag). A request whose procedure is not part
// of the program yet has none and stays raised.
struct Request {
  bool& (*flag)(Program&);
  void (*serve)(Program&);
  bool leavesLoop = false;  // the port setup request: reopen the radio port instead
};

template <std::size_t band>
bool& BandFlag(Program& p) {
  return p.main.requests.band[band];
}

template <bool RequestFlags::*member>
bool& Flag(Program& p) {
  return p.main.requests.*member;
}

const std::array<Request, 38> kRequests{{
    {Flag<&RequestFlags::source>, SendAudioSource},   // 1
    {Flag<&RequestFlags::agc>, nullptr},              // 2 SendAgc
    {Flag<&RequestFlags::bfo>, ToggleBfo},            // 3
    {Flag<&RequestFlags::clipping>, ToggleClipping},  // 4
    {BandFlag<0>, nullptr},                           // 5-16 ShowBandList
    {BandFlag<1>, nullptr},
    {BandFlag<2>, nullptr},
    {BandFlag<3>, nullptr},
    {BandFlag<4>, nullptr},
    {BandFlag<5>, nullptr},
    {BandFlag<6>, nullptr},
    {BandFlag<7>, nullptr},
    {BandFlag<8>, nullptr},
    {BandFlag<9>, nullptr},
    {BandFlag<10>, nullptr},
    {BandFlag<11>, nullptr},
    {Flag<&RequestFlags::meter>, SelectMeter},        // 17
    {Flag<&RequestFlags::mode>, nullptr},             // 18 modeCmd
    {Flag<&RequestFlags::mute>, nullptr},             // 19 ToggleSpeaker
    {Flag<&RequestFlags::pttEn>, nullptr},            // 20 TogglePttEnable
    {Flag<&RequestFlags::sideTone>, nullptr},         // 21 ToggleSideTone
    {Flag<&RequestFlags::tune>, nullptr},             // 22 TuneCmd
    {Flag<&RequestFlags::viewInData>, nullptr},       // 23 ToggleDataBox
    {Flag<&RequestFlags::vox>, ToggleVox},            // 24
    {Flag<&RequestFlags::xmit>, nullptr},             // 25 XmitCmd
    {Flag<&RequestFlags::ampPwr>, nullptr},           // 26 AmpPowerCmd
    {Flag<&RequestFlags::ampOpr>, nullptr},           // 27 AmpOperateCmd
    {Flag<&RequestFlags::tuneAmp>, nullptr},          // 28 AmpTuneCmd
    {Flag<&RequestFlags::m2v>, nullptr},              // 29 MemoryToVfo
    {Flag<&RequestFlags::v2m>, nullptr},              // 30 VfoToMemory
    {Flag<&RequestFlags::getStatus>, RefreshStatus},  // 31
    {[](Program& p) -> bool& { return p.link.PortSetupChanged; }, nullptr, true},      // 32
    {Flag<&RequestFlags::bfoOffset>, SendBfoOffset},                                   // 33
    {Flag<&RequestFlags::rfGain>, SendRfGain},                                         // 34
    {[](Program& p) -> bool& { return p.cat.CatCommandPending; }, ServiceCatCommand},  // 35
    {Flag<&RequestFlags::dig>, nullptr},   // 36 ApplyDigitalMode
    {Flag<&RequestFlags::swap>, nullptr},  // 37 SwapVfos
    {Flag<&RequestFlags::a2b>, nullptr},   // 38 CopyVfoAToB
}};

constexpr std::size_t kTuneRequest = 21;
constexpr std::size_t kXmitRequest = 24;

void Serve(Program& p, const Request& r) {
  if (r.serve) r.serve(p);
}

// The loop's yield: no sleep while radio bytes already wait to be read.
void Yield(Program& p) {
  DoEvents(p, RadioBytesPending(p) > 0 ? 0 : kIdleYieldSeconds);
}

// lblPTTEn shows the radio's push-to-talk enable as "ON"/"OFF"; the longer
// "PTT En ON"/"PTT En OFF" reads the same.
bool PttEnableShown(const frmQD6250& f, const char* state) {
  return f.lblPTTEn.caption == state || f.lblPTTEn.caption == std::string("PTT En ") + state;
}

void TuneTimeOut(Program& p) {
  LinkState& link = p.link;
  if (!link.TuneTimerOn) return;
  const float now = static_cast<float>(p.clock.TimeOfDay());
  if (static_cast<float>(link.TuneStartTime) > now) {
    link.TuneStartTime -= kSecondsPerDay;  // midnight passed
  } else if (p.clock.TimeOfDay() - link.TuneStartTime > kTuneTimeoutSeconds) {
    link.SyncChar = "U";
    link.TuneTimerOn = false;
    ShowInfoMessage(p, "Timeout: Tune Cancelled");
    RefreshStatus(p);
  }
}

void ExternalPttDisplay(Program& p) {
  frmQD6250& f = p.main;
  if (PttEnableShown(f, "OFF")) f.lblExtPTT.backColour = colour::kYellow;
  if (!p.link.ExtPttEnabled)
    f.lblExtPTT.backColour = colour::kYellow;
  else if (PttEnableShown(f, "ON") && f.lblExtPTT.backColour == colour::kYellow && f.ExtPttState)
    f.lblExtPTT.backColour = colour::kGreen;
}

// A pressed external key acts as the push-to-talk button held down.
void ExternalPttAction(Program& p) {
  frmQD6250& f = p.main;
  if (!p.link.ExtPttEnabled) return;
  if (f.lblExtPTT.backColour == colour::kGreen && !f.ExtPttState && !f.TransmitOn) {
    auto handler = p.handlers.find(HandlerKey("", "cmdPTT", "MouseDown"));
    if (handler != p.handlers.end()) {
      f.lblExtPTT.backColour = colour::kRed;
      Action press;
      press.control = "cmdPTT";
      press.event = "MouseDown";
      press.button = 0;
      ActionHandler run = handler->second;
      run(p, press);
    }
  }
  if (f.lblExtPTT.backColour == colour::kRed && f.ExtPttState)
    f.lblExtPTT.backColour = colour::kGreen;
}

// The display pass, and the idle colour of the link activity mark.
void UpdateDisplay(Program& p) {
  gUpdateDisplay(p);
  p.main.shaTrace.fillColour = colour::kGreyText;
}

std::optional<Stage> ServeRequests(Program& p) {
  for (const Request& r : kRequests) {
    if (!r.flag(p)) continue;
    if (r.leavesLoop) return Stage::PortOpen;
    Serve(p, r);
  }
  return std::nullopt;
}

// The radio shows no control state the panel knows (none reported yet): keep
// the window and the link alive until it reports one.
Stage AwaitControlState(Program& p) {
  Yield(p);
  if (p.link.RadioBreakSeen) return Stage::LinkStart;
  if (p.link.PortSetupChanged) return Stage::PortOpen;
  if (RadioBytesPending(p) > 0) {
    ReadReply(p);
    UpdateDisplay(p);
  }
  return Stage::Pass;
}

Stage RunStage(Program& p, Stage stage) {
  switch (stage) {
    case Stage::PortOpen:
      return PortOpenStage(p);
    case Stage::LinkStart:
      return LinkStart(p);
    case Stage::QueryLoop:
      return QueryLoop(p);
    case Stage::RemoteSetup:
      return RemoteSetup(p);
    case Stage::RemotePanel:
      return RemotePanelSetup(p);
    case Stage::LocalSetup:
      return LocalSetup(p);
    case Stage::LoopInit:
      return LoopInit(p);
    case Stage::Pass:
      return MainLoopPass(p);
  }
  return Stage::LoopInit;
}

}  // namespace

void RunStages(Program& p, Stage first) {
  Stage stage = first;
  for (;;) {
    try {
      stage = RunStage(p, stage);
    } catch (const RuntimeError&) {
      stage = Stage::LoopInit;  // the pass is abandoned without a message
    }
  }
}

Stage LoopInit(Program& p) {
  frmQD6250& f = p.main;
  LinkState& link = p.link;
  link.RadioBreakSeen = false;
  link.ScanActive = false;
  link.SyncFailCount = 0;
  f.RestartFlag = false;
  link.SyncChar = "U";

  if (link.ExtPttEnabled) {
    f.ExtPttState = p.MSComm1.DsrHolding();
    if (f.ExtPttState) {
      f.lblExtPTT.backColour = colour::kGreen;
    } else {
      f.lblExtPTT.backColour = colour::kRed;
      p.windowing.MessageBox("Check for stuck Push-to-Talk key, then click OK.", link.ProgramTitle);
      f.ExtPttState = p.MSComm1.DsrHolding();
      f.lblExtPTT.backColour = f.ExtPttState ? colour::kGreen : colour::kYellow;
    }
  } else {
    f.ExtPttState = true;
    f.lblExtPTT.backColour = colour::kYellow;
  }

  if (f.lblSplit.caption.empty()) f.lblSplit.caption = "Split Off";
  if (f.lblSplit.caption == "Split Off") SelectOption(f.optTXVFO, 0);
  if (f.lblSplit.caption == "Split On") SelectOption(f.optTXVFO, 1);
  if (f.cmbStepSize.text.empty()) f.cmbStepSize.text = "OFF";
  return Stage::Pass;
}

Stage MainLoopPass(Program& p) {
  frmQD6250& f = p.main;
  LinkState& link = p.link;
  const std::string& shown = f.lblREMOTE.caption;
  if (shown != f.ModeText) {
    // The radio changed mode, or reported one for a panel set up for neither.
    if (shown == "LOCAL") return Stage::LocalSetup;
    if (shown == "REMOTE") return Stage::RemoteSetup;
    return AwaitControlState(p);
  }

  Yield(p);
  if (link.RadioBreakSeen) return Stage::LinkStart;

  UpdateDisplay(p);

  if (f.ModeText == "REMOTE") {
    TuneTimeOut(p);
    ExternalPttDisplay(p);
    ExternalPttAction(p);
    SyncTick(p);
    if (link.SyncFailCount > kMaxUnansweredSyncs) {
      ShowInfoMessage(p, "No Sync Response: Restarting...");
      f.RestartFlag = true;
      return Stage::LinkStart;
    }
  }

  if (auto next = ServeRequests(p)) return *next;

  // Redoing the REMOTE set-up while the radio is in LOCAL would enable
  // transmitting there; the request waits for REMOTE.
  if (link.AudioSetupChanged && f.ModeText == "REMOTE") {
    link.AudioSetupChanged = false;
    return Stage::RemotePanel;
  }

  // A transmission or tune whose button the band guard disabled is ended.
  if (f.cmdTune.caption == "T&UNE OFF" && !f.cmdTune.enabled) Serve(p, kRequests[kTuneRequest]);
  if (f.cmdXmit.caption == "&XMT OFF" && !f.cmdXmit.enabled) Serve(p, kRequests[kXmitRequest]);

  if (f.lblREMOTE.caption == "REMOTE" && link.AudioSetupChanged) return Stage::RemoteSetup;

  if (RadioBytesPending(p) > 0) ReadReply(p);
  return Stage::Pass;
}

}  // namespace qd
