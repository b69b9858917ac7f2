// The main window frmQD6250 as data: every control with its designed caption,
// tool tip, items and colours, the window's own state, and the request flags
// its event handlers raise for the main loop. Procedures live by topic elsewhere.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "controls/controls.h"
#include "controls/form.h"

namespace qd {

// One Boolean per deferred panel action, in the order the main loop serves them.
struct RequestFlags {
  bool source = false;          // 1  SendAudioSource
  bool agc = false;             // 2  SendAgc
  bool bfo = false;             // 3  ToggleBfo
  bool clipping = false;        // 4  ToggleClipping
  std::array<bool, 12> band{};  // 5-16 ShowBandList, in kBands order
  bool meter = false;           // 17 SelectMeter
  bool mode = false;            // 18 modeCmd
  bool mute = false;            // 19 ToggleSpeaker
  bool pttEn = false;           // 20 TogglePttEnable
  bool sideTone = false;        // 21 ToggleSideTone
  bool tune = false;            // 22 TuneCmd
  bool viewInData = false;      // 23 ToggleDataBox
  bool vox = false;             // 24 ToggleVox
  bool xmit = false;            // 25 XmitCmd
  bool ampPwr = false;          // 26 AmpPowerCmd
  bool ampOpr = false;          // 27 AmpOperateCmd
  bool tuneAmp = false;         // 28 AmpTuneCmd
  bool m2v = false;             // 29 MemoryToVfo
  bool v2m = false;             // 30 VfoToMemory
  bool getStatus = false;       // 31 RefreshStatus
  // 32 is PortSetupChanged (link state)
  bool bfoOffset = false;  // 33 SendBfoOffset
  bool rfGain = false;     // 34 SendRfGain
  // 35 is the CAT port's command-pending flag (CAT state)
  bool dig = false;   // 36 ApplyDigitalMode
  bool swap = false;  // 37 SwapVfos
  bool a2b = false;   // 38 CopyVfoAToB
};

// The nine flags kept per serial port for its line events.
struct CommFlags {
  bool rxFrame = false;
  bool rxOverrun = false;
  bool rxOverflow = false;
  bool rxParity = false;
  bool txFull = false;
  bool dcbError = false;
  bool evCd = false;
  bool evCts = false;
  bool evDsr = false;
};

// The twelve band buttons of fraBand, in request-flag order.
struct BandButtonInfo {
  const char* name;
  const char* caption;
  const char* band;  // CurrentBand value
};
constexpr std::array<BandButtonInfo, 12> kBandButtons{{
    {"cmd160M", "160", "160"},
    {"cmd75M", "75", "75"},
    {"cmd60M", "60 ", "60"},
    {"cmd40M", "40", "40"},
    {"cmd30M", "30", "30"},
    {"cmd20M", "20", "20"},
    {"cmd17M", "17", "17"},
    {"cmd15M", "15", "15"},
    {"cmd12M", "12", "12"},
    {"cmd10M", "10", "10"},
    {"cmdWWV", "WWV", "WWV"},
    {"cmdMARS", "MARS", "MARS"},
}};

struct frmQD6250 : Form {
  frmQD6250();

  // --- link indicators
  Shape shaTrace;
  Label lblU;
  Label lblXMTRCV;
  Label lblComStat;
  Label lblREMOTE;
  Label lblFWType;
  Label lblExtPTT;
  TextBox txtInfo;
  TextBox txtInData;
  Button cmdViewInData;

  // --- VFO A
  std::array<Button, 7> cmdF;
  Button Command1;  // "," separator, inert
  Button Command2;  // "." separator, inert
  Label lblInfo;
  Frame fraExtKnob;
  ComboBox cmbStepSize;
  Label lblUp;
  Label lblDn;

  // --- VFO B and split
  Frame Frame4;
  std::array<Button, 7> cmdVFOB;
  Button cmdCma;
  Button cmdDot;
  ComboBox cmbVFOBMode;
  std::array<OptionButton, 2> optTXVFO;
  Label lblTXA;
  Label lblTXB;
  Label lblSplit;
  Button cmdA2B;
  Button cmdSwap;

  // --- mode, AGC, digital, source
  ComboBox cmbMode;
  ComboBox cmbAGC;
  ComboBox cmbDig;
  ComboBox cmbSource;
  Label lblMode;
  Label lblAGC;
  Label lblDig;
  Label lblSource;

  // --- meters
  ProgressBar pbMeter;
  std::array<Label, 6> lblMeter;
  std::array<OptionButton, 6> optMeter;
  Label lblMeterScale;

  // --- transmit
  Frame fraLeftButtons;
  Frame fraRightButtons;
  Button cmdXmit;
  Button cmdTune;
  Button cmdPTT;
  Button cmdPTTEn;
  Label lblPTTEn;
  Label lblInBand;

  // --- toggles and their indicators
  Button cmdMute;
  Label lblMute;
  Button cmdSideTone;
  Label lblSideTone;
  Button cmdVOX;
  Label lblVox;
  Button cmdClipping;
  Label lblClipping;
  Button cmdTest;
  Label lblTest;
  Shape shaFault;
  Label lblFault;
  Button cmdGetStatus;

  // --- BFO and RF gain
  Frame fraBFO;
  ScrollBar vscBFO;
  TextBox txtBFO;
  Label lblBFOHz;
  Label lblPorM;
  Label lblBFOOn;
  Button cmdBFO;
  Frame fraRF;
  ScrollBar vscRFG;
  TextBox txtRFG;

  // --- bands
  Frame fraBand;
  std::array<Button, 12> bandButtons;  // kBandButtons order; named cmd160M ... cmdMARS

  // --- radio channels
  Frame Frame3;
  std::array<OptionButton, 2> optChan;
  Label lblChan;
  std::array<Button, 2> cmdM;
  Button cmdM2V;
  Button cmdV2M;

  // --- amplifier
  Frame fraAmp;
  Button cmdAmpPwr;
  Button cmdAmpOpr;
  Button cmdTuneAmp;
  Label lblAmpPwr;
  Label lblAmpOpStby;
  Label lblAmpTuned;

  // --- CAT port
  Frame fraCAT;
  TextBox txtInCat;
  TextBox txtOutCAT;

  // --- menu
  MenuEntry mnuFile;
  MenuEntry mnuFileExit;
  MenuEntry mnuScan;
  MenuEntry mnuScanBands;
  MenuEntry mnuScanFreqs;
  MenuEntry mnuSetup;
  MenuEntry mnuPortSetup;
  MenuEntry mnuAudioSetup;
  MenuEntry mnuCATSetup;
  MenuEntry mnuChannelSetup;
  MenuEntry mnuHelp;
  MenuEntry mnuHelpAbout;
  MenuEntry mnuHelpQD6250;

  // --- window state
  RequestFlags requests;
  CommFlags comm1;  // gComm1RXFrame ... gComm1EvDSR
  CommFlags comm2;  // gComm2RXFrame ... gComm2EvDSR
  bool FreqEntryLocked = false;
  bool DigitHeld = false;
  bool KeyStepPending = false;
  bool DigitBusy = false;    // cmdF_MouseDown is running
  bool KeyDownBusy = false;  // Form_KeyDown is running
  std::int16_t DigitRepeatCount = 0;
  bool VfoBDigitHeld = false;
  bool VfoBDigitBusy = false;
  bool ChannelDigitHeld = false;
  bool ChannelDigitBusy = false;
  std::string ChannelSavedVfo;
  std::string ChannelSavedMode;
  bool TransmitOn = false;
  bool PttHeld = false;
  bool ExtPttState = true;  // true: external key released (or not in use)
  std::string SplitSavedVfoA;
  std::string TuneSavedMode;
  std::string TuneSavedSource;
  bool BfoReady = false;
  bool ScanMenusAllowed = false;
  std::string ModeText;  // "REMOTE" or "LOCAL" once set up
  bool RestartFlag = false;
  std::string IniFileName;
  int chosenMeterIndex = 0;
};

// Calls the visitor for every control of the main window.
void VisitControls(frmQD6250& form, ControlVisitor& visitor);

}  // namespace qd
