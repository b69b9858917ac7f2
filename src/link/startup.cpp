#include "link/startup.h"

#include <unistd.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "cat/cat_port.h"
#include "link/events.h"
#include "link/radio_port.h"
#include "link/reply_reader.h"
#include "link/send.h"
#include "panel/audio_source.h"
#include "panel/main_window_events.h"
#include "panel/receiver_adjustments.h"
#include "platform/instance_lock.h"
#include "platform/text_file.h"
#include "setup/audio_settings.h"
#include "setup/cat_setup.h"
#include "setup/ini_file.h"
#include "setup/port_setup.h"
#include "setup/setup_menu.h"
#include "status/band_guard.h"
#include "status/indicators.h"
#include "status/setting_commands.h"
#include "status/vocabulary.h"

namespace qd {

namespace {

using vocab::Item;

constexpr const char* kPermissionsFileName = "Permissions.txt";
constexpr double kSettleSeconds = 0.5;
constexpr double kBreakBackOffSeconds = 5.0;
constexpr double kSourceStepWaitSeconds = 0.2;
constexpr int kMaxSourceTries = 4;
constexpr int kMaxClippingTries = 3;
constexpr int kMaxVoxTries = 4;
// Part of a restored window that must stay on the screen (twips), so the
// operator can always reach its title bar.
constexpr int kOnScreenMargin = 100 * kTwipsPerPixel;

struct FirmwareCaptions {
  const char* adapt;     // type 2
  const char* nonAdapt;  // type 3
  const char* v601;      // type 1
};
constexpr FirmwareCaptions kRemoteCaptions{"F/W: v604 Adapt", "F/W: v604 NonAdapt", "F/W: v601"};
constexpr FirmwareCaptions kLocalCaptions{"F/W: v604M Adapt", "F/W: v604M NonAdapt", "F/W: v601C"};

const std::string& Text(Program& p, Item item) {
  return p.status.Text(item);
}

void Query(Program& p) {
  SendCommand(p, "?", true, kQueryPauseSeconds);
}

int PortNumberValue(const std::string& text) {
  const double n = NumericValue(text);
  return n >= 1 && n <= INT_MAX ? static_cast<int>(n) : 0;
}

// The folder shown in the "Opening ..." messages, joined to the file name as is.
std::string ProgramFolder() {
  char buffer[4096];
  return getcwd(buffer, sizeof buffer) ? buffer : "";
}

// Shows the radio's control state and names the stage it calls for.
std::optional<Stage> StageForControlState(Program& p) {
  ShowControlState(p);
  p.main.lblREMOTE.foreColour = colour::kWhite;
  if (Text(p, Item::ControlState) == "R1") return Stage::RemoteSetup;
  if (Text(p, Item::ControlState) == "R0") return Stage::LocalSetup;
  return std::nullopt;
}

// A "!" marks the original firmware; "#" without "!" the adaptive one; "Q"
// items only come from the non-adaptive v604.
void DetectFirmware(Program& p, const FirmwareCaptions& captions) {
  const RadioStatus& st = p.status;
  if (!st.StatusEndSeen || !(st.ExclaimSeen || st.HashSeen)) return;
  if (!st.ExclaimSeen) {
    p.link.FirmwareType = 2;
    p.main.lblFWType.caption = captions.adapt;
  } else if (st.QSeen) {
    p.link.FirmwareType = 3;
    p.main.lblFWType.caption = captions.nonAdapt;
  } else {
    p.link.FirmwareType = 1;
    p.main.lblFWType.caption = captions.v601;
  }
}

// Centred, a third of the free height from the top; then the saved position,
// unless that would leave the window out of reach on this screen.
void PlaceWindow(Program& p) {
  frmQD6250& f = p.main;
  const ScreenSize screen = p.windowing.Screen();
  const int centredLeft = (screen.width - f.width) / 2;
  const int centredTop = (screen.height - f.height) / kWindowTopDivisor;
  f.left = centredLeft;
  f.top = centredTop;
  f.IniFileName = kIniFileName;
  if (!FileExists(f.IniFileName)) return;
  SkipOnError([&] { ApplyIniLines(f, ReadLines(f.IniFileName)); });
  const bool reachable = f.left + f.width > kOnScreenMargin &&
                         f.left < screen.width - kOnScreenMargin && f.top >= 0 &&
                         f.top < screen.height - kOnScreenMargin;
  if (!reachable) {
    f.left = centredLeft;
    f.top = centredTop;
  }
}

void PanelDefaults(Program& p) {
  frmQD6250& f = p.main;
  f.caption = p.link.ProgramTitle;
  f.lblInfo.caption = "";
  f.txtInData.visible = false;
  f.lblU.visible = false;
  WaitSeconds(p, kSettleSeconds);
  f.lblU.caption = "";
  f.lblXMTRCV.enabled = false;
  f.lblXMTRCV.bold = true;
  f.lblXMTRCV.caption = "Receive";
  f.lblXMTRCV.backColour = colour::kGreen;
  for (Button& b : f.cmdF) b.enabled = true;
  for (Button& b : f.cmdM) b.enabled = true;
  f.BfoReady = false;
  p.op.BfoOffsetSetting = "100";
  f.lblPorM.caption = "";
  f.lblBFOOn.caption = "";
  f.lblREMOTE.backColour = colour::kRed;
  f.lblREMOTE.caption = "NoComm";
  f.lblComStat.caption = "No Com";
  f.shaTrace.visible = false;
  f.loaded = true;
  f.visible = true;
  p.windowing.ShowForm(f);
  for (Label* l : {&f.lblAmpPwr, &f.lblAmpOpStby, &f.lblAmpTuned}) l->caption = "";
  for (Button* b : {&f.cmdAmpPwr, &f.cmdAmpOpr, &f.cmdTuneAmp}) b->enabled = false;
  f.txtInData.visible = true;
  f.txtInfo.visible = true;
}

// "CATSetup.txt": port number, settings, handshake, rig type.
void OpenCatPort(Program& p) {
  frmQD6250& f = p.main;
  f.txtInfo.text = "Opening " + ProgramFolder() + kCatSetupFileName + " File.. ";
  if (!FileExists(kCatSetupFileName)) return;
  SkipOnError([&] {
    const std::vector<std::string> lines = ReadLines(kCatSetupFileName);
    std::string* fields[] = {&p.cat.CatPortNumber, &p.cat.CatPortSettings, &p.cat.CatHandshake,
                             &p.cat.CatRigType};
    for (std::size_t i = 0; i < std::size(fields) && i < lines.size(); ++i) *fields[i] = lines[i];
  });
  f.txtInfo.text = std::string(kCatSetupFileName) + " Opened";
  SkipOnError([&] {
    if (p.portPresent(PortNumberValue(p.cat.CatPortNumber))) {
      SetUpCatPort(p);
    } else {
      f.txtInCat.text = "No CAT Port";
      f.txtOutCAT.text = "No CAT Port";
    }
  });
}

// "PortSetup.txt": port number, settings, handshake, external PTT ("1").
// Without it the operator is asked for a port setup first.
void ReadPortSetup(Program& p) {
  frmQD6250& f = p.main;
  f.txtInfo.visible = true;
  f.txtInfo.text = "Opening " + ProgramFolder() + kPortSetupFileName + " File.. ";
  if (!FileExists(kPortSetupFileName)) {
    p.link.ExtPttEnabled = false;
    SkipOnError([&] { mnuPortSetup_Click(p); });
    return;
  }
  std::string extPtt;
  SkipOnError([&] {
    const std::vector<std::string> lines = ReadLines(kPortSetupFileName);
    std::string* fields[] = {&p.link.RadioPortNumber, &p.link.RadioPortSettings,
                             &p.link.RadioHandshake, &extPtt};
    for (std::size_t i = 0; i < std::size(fields) && i < lines.size(); ++i) *fields[i] = lines[i];
  });
  f.txtInfo.text = std::string(kPortSetupFileName) + " File Opened";
  p.link.ExtPttEnabled = NumericValue(extPtt) == 1;
  f.txtInfo.text = "";
}

// Sends the status query until a complete report arrives, yielding between
// tries; a port setup applied meanwhile wins.
std::optional<Stage> QueryUntilComplete(Program& p, const FirmwareCaptions* captions) {
  while (!p.status.StatusComplete) {
    SkipOnError([&] { Query(p); });
    SkipOnError([&] { ReadReply(p); });
    if (p.status.StatusComplete) break;
    DoEvents(p);
    if (p.link.PortSetupChanged) return Stage::PortOpen;
  }
  if (captions) DetectFirmware(p, *captions);
  return std::nullopt;
}

// Brings the radio to the saved audio settings and paints the panel from the
// first status report.
void ApplyAudioSettings(Program& p) {
  frmQD6250& f = p.main;
  const AudioSettings& audio = p.op.audio;
  auto routeDiffers = [&] { return Text(p, Item::AudioRoute) != audio.AudioRoute; };
  if (routeDiffers()) SkipOnError([&] { ToggleAudioRoute(p); });
  SkipOnError([&] { ShowAudioRoute(p); });

  // Stepping the source itself (not cmbSource's choice) to the saved setting;
  // it may switch remote audio to local, so the routing is checked again.
  for (int i = 0; i < kMaxSourceTries && Text(p, Item::AudioSource) != audio.PhoneAudioSource;
       ++i) {
    SkipOnError([&] { SetAudioSource(p, audio.PhoneAudioSource); });
    SkipOnError([&] { ReadReply(p); });
    WaitSeconds(p, kSourceStepWaitSeconds);
  }
  if (routeDiffers()) {
    SkipOnError([&] { ToggleAudioRoute(p); });
    SkipOnError([&] { ShowAudioRoute(p); });
  }
  SkipOnError([&] { ShowAudioSource(p); });
  p.op.AudioSourceCopy = Text(p, Item::AudioSource);

  for (int i = 0; i < kMaxClippingTries && Text(p, Item::Clipping) != "I0"; ++i)
    SkipOnError([&] { ToggleClipping(p); });
  SkipOnError([&] { ShowClipping(p); });

  p.module.PttEnableWanted = audio.PttEnable == "'1";
  SkipOnError([&] { SetPttEnable(p, p.module.PttEnableWanted); });
  SkipOnError([&] { ShowPttEnable(p); });
  p.module.SavedPttEnable = Text(p, Item::PttEnable);

  SkipOnError([&] { ShowSideTone(p); });
  p.module.SavedSideTone = Text(p, Item::SideTone);

  for (int i = 0; i < kMaxVoxTries && Text(p, Item::Vox) != "V0"; ++i)
    SkipOnError([&] { ToggleVox(p); });
  SkipOnError([&] { ShowVox(p); });

  SkipOnError([&] { ShowAgc(p); });
  SkipOnError([&] { ShowMode(p); });

  if (!p.status.FreqWellFormed) {
    f.txtInfo.text = "Invalid Frequency: Setting frequency to 12345.67";
    SkipOnError([&] { SetFreq(p, "1234567"); });
  }
  SkipOnError([&] { ShowFreq(p); });
  p.status.ShownFreq = Text(p, Item::Freq);
  SkipOnError([&] { GuardTransmitFrequency(p); });
}

// RF gain at full, meters, BFO centred and switched through to off.
void ReceiverControls(Program& p) {
  frmQD6250& f = p.main;
  f.vscRFG.value = f.vscRFG.min;  // the top end: full gain
  SkipOnError([&] { vscRFG_Change(p); });
  for (OptionButton& o : f.optMeter) o.enabled = true;
  f.pbMeter.enabled = p.link.FirmwareType != 2;
  f.txtInfo.text = "";
  f.txtInfo.visible = false;
  f.txtInfo.foreColour = colour::kBlack;
  f.txtInfo.bold = false;
  for (Frame* fr : {&f.fraLeftButtons, &f.fraRightButtons, &f.fraRF, &f.fraBand, &f.fraBFO})
    fr->visible = true;
  f.cmdMute.enabled = true;
  f.cmdBFO.enabled = true;
  f.vscBFO.value = kBfoCentre;
  SkipOnError([&] { SendBfoOffset(p); });
  f.BfoReady = true;
  for (int i = 0; i < 3; ++i) SkipOnError([&] { ToggleBfo(p); });
}

}  // namespace

void form_Load(Program& p) {
  p.link.ProgramTitle = kProgramTitle;
  InstanceLock lock;  // held until the program ends
  if (!lock.Acquired()) {
    p.windowing.MessageBox(p.link.ProgramTitle + " is already running. OK to Close this program.",
                           p.link.ProgramTitle);
    throw ProgramEnd{};
  }
  RegisterMainWindowHandlers(p);
  PlaceWindow(p);
  PanelDefaults(p);
  OpenCatPort(p);
  ReadPortSetup(p);
  RunStages(p, Stage::PortOpen);
}

Stage PortOpenStage(Program& p) {
  frmQD6250& f = p.main;
  const int number = PortNumberValue(p.link.RadioPortNumber);
  const bool present = number > 0 && (p.MSComm1.PortNumber() == number || p.portPresent(number));
  if (present) {
    bool opened = false;
    SkipOnError([&] { opened = SetUpRadioPort(p); });
    if (opened) {
      f.lblComStat.caption = "COM" + p.link.RadioPortNumber;
      f.txtInfo.text = "Querying radio status";
      p.link.PortSetupChanged = false;
    }
    return Stage::LinkStart;
  }
  f.txtInfo.visible = true;
  f.txtInfo.text = "Port is not available. Use Setup menu or Exit.";
  f.lblComStat.caption = "No Port";
  f.lblREMOTE.caption = "";
  p.link.PortSetupChanged = false;
  while (!p.link.PortSetupChanged) DoEvents(p);
  return Stage::PortOpen;
}

Stage LinkStart(Program& p) {
  p.link.PortSetupChanged = false;
  WaitSeconds(p, kSettleSeconds);
  p.status[Item::ControlState].changed = false;
  SkipOnError([&] { Query(p); });
  if (RadioBytesPending(p) > 0) {
    SkipOnError([&] { ReadReply(p); });
    if (p.status[Item::ControlState].changed)
      if (auto next = StageForControlState(p)) return *next;
  }
  return Stage::QueryLoop;
}

Stage QueryLoop(Program& p) {
  DoEvents(p);
  if (p.link.PortSetupChanged) {
    p.link.PortSetupChanged = false;
    return Stage::PortOpen;
  }
  SkipOnError([&] { Query(p); });
  if (RadioBytesPending(p) > 0) {
    SkipOnError([&] { ReadPending(p); });
    SkipOnError([&] { Query(p); });
    SkipOnError([&] { ReadReply(p); });
    if (p.status.StatusComplete)
      if (auto next = StageForControlState(p)) return *next;
  } else if (p.link.LastRadioEvent == comm_event::kBreak) {
    WaitSeconds(p, kBreakBackOffSeconds);
  }
  return p.status.StatusComplete ? Stage::LoopInit : Stage::QueryLoop;
}

Stage RemoteSetup(Program& p) {
  if (p.main.RestartFlag) return Stage::LoopInit;
  p.main.ModeText = "REMOTE";
  p.link.AudioSetupChanged = false;
  p.module.BandGuardOff = FileExists(kPermissionsFileName);
  if (FileExists(kAudioSetupFileName))
    SkipOnError([&] { ReadAudioSetupFile(kAudioSetupFileName, p.op.audio); });
  else
    p.op.audio = AudioSettings{};
  p.op.DigitalAudioSource = p.op.audio.DigitalAudioSource;
  p.op.DigitalVox = p.op.audio.DigitalVox;
  return Stage::RemotePanel;
}

Stage RemotePanelSetup(Program& p) {
  frmQD6250& f = p.main;
  for (Button* b : {&f.cmdSideTone, &f.cmdViewInData, &f.cmdVOX, &f.cmdClipping})
    b->enabled = false;
  f.vscRFG.enabled = true;
  f.cmbDig.text = "OFF";
  f.FreqEntryLocked = true;
  f.txtInfo.foreColour = colour::kRed;
  f.txtInfo.bold = true;
  f.txtInfo.visible = true;
  f.txtInfo.text = "STANDBY - SETTING ALL COMMAND BUTTONS";
  f.txtInData.visible = true;
  f.lblREMOTE.foreColour = colour::kWhite;
  p.windowing.Repaint();

  if (auto next = QueryUntilComplete(p, &kRemoteCaptions)) return *next;
  ApplyAudioSettings(p);
  p.windowing.Repaint();
  ReceiverControls(p);

  // Transmit and tune stay as the band guard left them above.
  for (Button* b : {&f.cmdSideTone, &f.cmdViewInData, &f.cmdVOX, &f.cmdClipping, &f.cmdPTT})
    b->enabled = true;
  f.mnuScanFreqs.enabled = true;
  f.mnuScanBands.enabled = true;
  f.lblU.visible = true;
  f.lblXMTRCV.enabled = true;

  f.pbMeter.enabled = true;
  f.cmdTest.enabled = true;
  SkipOnError([&] { ReadReply(p); });
  SkipOnError([&] { Query(p); });
  SkipOnError([&] { ReadReply(p); });
  f.FreqEntryLocked = false;
  for (Button* b : {&f.cmdAmpPwr, &f.cmdAmpOpr, &f.cmdTuneAmp}) b->enabled = true;
  if (p.MSComm1.IsOpen()) p.MSComm1.SetDtr(true);
  WaitSeconds(p, kSettleSeconds);
  return Stage::LoopInit;
}

Stage LocalSetup(Program& p) {
  frmQD6250& f = p.main;
  if (f.RestartFlag) return Stage::LoopInit;
  f.ModeText = "LOCAL";
  p.status[Item::ControlState].changed = false;
  p.status.StatusComplete = false;
  if (auto next = QueryUntilComplete(p, &kLocalCaptions)) return *next;

  for (Frame* fr : {&f.fraRightButtons, &f.fraLeftButtons, &f.fraRF, &f.fraBand})
    fr->visible = true;
  f.BfoReady = false;
  p.op.BfoOffsetSetting = "100";
  if (p.link.FirmwareType == 2) f.pbMeter.enabled = false;
  for (Button* b : {&f.cmdMute, &f.cmdBFO, &f.cmdSideTone, &f.cmdVOX, &f.cmdClipping, &f.cmdTune,
                    &f.cmdXmit, &f.cmdPTT})
    b->enabled = false;
  f.vscRFG.enabled = false;
  f.cmdViewInData.enabled = true;
  if (p.link.FirmwareType == 2)
    f.ScanMenusAllowed = true;
  else if (p.link.FirmwareType == 1 || p.link.FirmwareType == 3)
    f.ScanMenusAllowed = false;
  f.FreqEntryLocked = f.ScanMenusAllowed;
  f.mnuScanFreqs.enabled = f.ScanMenusAllowed;
  f.mnuScanBands.enabled = f.ScanMenusAllowed;
  f.lblU.visible = false;
  f.txtInData.text = "";
  f.txtInData.visible = false;
  p.link.SyncChar = " ";
  return Stage::LoopInit;
}

}  // namespace qd
