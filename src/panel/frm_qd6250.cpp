#include "panel/frm_qd6250.h"

#include "controls/control_init.h"

namespace qd {

namespace {

constexpr const char* kDigitTip = "Left Click Up,Right Click Down";
constexpr const char* kDigitFont = "Courier New";

}  // namespace

frmQD6250::frmQD6250() {
  InitForm(*this, "frmQD6250", "QD-6250", 1240, 700);

  Init(shaTrace, "shaTrace");
  shaTrace.fillColour = colour::kGreyText;
  InitLabel(lblU, "lblU");
  InitLabel(lblXMTRCV, "lblXMTRCV", "Receive");
  lblXMTRCV.backColour = colour::kGreen;
  InitLabel(lblComStat, "lblComStat", "No Com");
  InitLabel(lblREMOTE, "lblREMOTE", "NoComm");
  InitLabel(lblFWType, "lblFWType");
  InitLabel(lblExtPTT, "lblExtPTT", "Ext PTT", "Yellow: Disabled, Green: Ready, Red: Active");
  lblExtPTT.backColour = colour::kYellow;
  Init(txtInfo, "txtInfo");
  txtInfo.multiLine = true;
  txtInfo.locked = true;
  Init(txtInData, "txtInData");
  txtInData.multiLine = true;
  txtInData.locked = true;
  txtInData.text = "Data from QD-6250";
  InitButton(cmdViewInData, "cmdViewInData", "Hide Data", "Show / Hide the Data Box");

  NameArray(cmdF, "cmdF");
  for (auto& b : cmdF) {
    b.caption = "0";
    b.fontName = kDigitFont;
  }
  cmdF[0].toolTip = kDigitTip;
  InitButton(Command1, "Command1", ",");
  InitButton(Command2, "Command2", ".");
  InitLabel(lblInfo, "lblInfo", "CHANNEL 03");
  InitFrame(fraExtKnob, "fraExtKnob", "Ext. Knob");
  InitCombo(cmbStepSize, "cmbStepSize", {"10Hz", "100Hz", "1KHz", "10KHz", "OFF"},
            "Step size for KB Input", "OFF");
  InitLabel(lblUp, "lblUp", "Up = i");
  InitLabel(lblDn, "lblDn", "Dn = d");

  InitFrame(Frame4, "Frame4", "VFO B");
  NameArray(cmdVFOB, "cmdVFOB");
  for (auto& b : cmdVFOB) {
    b.caption = "0";
    b.fontName = kDigitFont;
    b.toolTip = kDigitTip;
  }
  InitButton(cmdCma, "cmdCma", ",");
  InitButton(cmdDot, "cmdDot", ".");
  InitCombo(cmbVFOBMode, "cmbVFOBMode", {"USB", "LSB", "AME", "CW"}, "Select Mode for VFO B",
            "USB");
  NameArray(optTXVFO, "optTXVFO");
  optTXVFO[0].caption = "Transmit using VFO A";
  optTXVFO[1].caption = "Transmit using VFO B";
  optTXVFO[0].value = true;
  InitLabel(lblTXA, "lblTXA", "TXA");
  InitLabel(lblTXB, "lblTXB", "TXB");
  InitLabel(lblSplit, "lblSplit", "Split Off");
  InitButton(cmdA2B, "cmdA2B", "A->B", "Copy VFO A  to VFO B");
  InitButton(cmdSwap, "cmdSwap", "Swap ", "Swap VFO A and VFO B");

  InitCombo(cmbMode, "cmbMode", {"USB", "LSB", "AME", "CW"}, "Select Mode");
  InitCombo(cmbAGC, "cmbAGC", {"SLOW", "MED", "FAST", "OFF"}, "Select AGC Time");
  InitCombo(cmbDig, "cmbDig", {"OFF", "PSK", "FSK", "RTTY"}, "Choose Digital Mode", "OFF");
  InitCombo(cmbSource, "cmbSource", {"MIC", "AUDIO2", "PATCH", "REMOTE", "OFF/CW"},
            "Select Audio Source");
  InitLabel(lblMode, "lblMode", "Mode");
  InitLabel(lblAGC, "lblAGC", "AGC");
  InitLabel(lblDig, "lblDig", "Digital");
  InitLabel(lblSource, "lblSource", "Source");

  Init(pbMeter, "pbMeter");
  pbMeter.min = 0;
  pbMeter.max = 21;
  pbMeter.value = 0;
  NameArray(lblMeter, "lblMeter");
  NameArray(optMeter, "optMeter");
  const char* meterCaptions[] = {"Aud", "Line", "Patch", "FWD", "REF", "VSWR"};
  for (int i = 0; i < 6; ++i) {
    lblMeter[i].caption = meterCaptions[i];
    lblMeter[i].foreColour = colour::kGreyText;
  }
  InitLabel(lblMeterScale, "lblMeterScale");

  InitFrame(fraLeftButtons, "fraLeftButtons", "");
  InitFrame(fraRightButtons, "fraRightButtons", "");
  InitButton(cmdXmit, "cmdXmit", "&XMT ON", "Toggle between RCV and XMT");
  InitButton(cmdTune, "cmdTune", "T&UNE ON", "Transmit AM For Tuning");
  InitButton(cmdPTT, "cmdPTT", "&PTT", "Press Mouse Button to Transmit");
  InitButton(cmdPTTEn, "cmdPTTEn", "PTT En");
  InitLabel(lblPTTEn, "lblPTTEn");
  InitLabel(lblInBand, "lblInBand");
  lblInBand.backColour = colour::kLightGrey;

  InitButton(cmdMute, "cmdMute", "SPKR", "Toggle Panel Speaker");
  InitLabel(lblMute, "lblMute");
  InitButton(cmdSideTone, "cmdSideTone", "SideTone");
  InitLabel(lblSideTone, "lblSideTone");
  InitButton(cmdVOX, "cmdVOX", " VOX");
  InitLabel(lblVox, "lblVox");
  InitButton(cmdClipping, "cmdClipping", "CLIP");
  InitLabel(lblClipping, "lblClipping");
  InitButton(cmdTest, "cmdTest", "TEST");
  InitLabel(lblTest, "lblTest");
  Init(shaFault, "shaFault");
  shaFault.fillColour = colour::kLightGrey;
  InitLabel(lblFault, "lblFault");
  InitButton(cmdGetStatus, "cmdGetStatus", "Refresh", "Refresh Radio Status");

  InitFrame(fraBFO, "fraBFO", "BFO");
  Init(vscBFO, "vscBFO");
  vscBFO.min = 200;  // top end
  vscBFO.max = 0;
  vscBFO.value = 100;
  Init(txtBFO, "txtBFO", "Set BFO Offset");
  txtBFO.text = "000";
  InitLabel(lblBFOHz, "lblBFOHz", "Hz");
  InitLabel(lblPorM, "lblPorM");
  InitLabel(lblBFOOn, "lblBFOOn");
  InitButton(cmdBFO, "cmdBFO", "ON", "Toggle BFO State");
  InitFrame(fraRF, "fraRF", "RF Gain");
  Init(vscRFG, "vscRFG");
  vscRFG.min = 63;  // top end
  vscRFG.max = 0;
  vscRFG.value = 63;
  Init(txtRFG, "txtRFG", "Set RF Gain");
  txtRFG.text = "100";

  InitFrame(fraBand, "fraBand", "Band");
  for (std::size_t i = 0; i < kBandButtons.size(); ++i) {
    const BandButtonInfo& info = kBandButtons[i];
    InitButton(bandButtons[i], info.name, info.caption);
    std::string bandName = info.band;
    bandButtons[i].toolTip =
        "Open menu of " + (i < 10 ? bandName + "M" : bandName) + " Frequencies";
  }

  InitFrame(Frame3, "Frame3", "Channel");
  NameArray(optChan, "optChan");
  optChan[0].caption = "Use Radio's Channels";
  optChan[1].caption = "Use VFO";
  optChan[1].value = true;
  InitLabel(lblChan, "lblChan", "CHAN");
  NameArray(cmdM, "cmdM");
  for (auto& b : cmdM) {
    b.caption = "0";
    b.fontName = kDigitFont;
    b.toolTip = kDigitTip;
  }
  InitButton(cmdM2V, "cmdM2V", "M->V", "Memory to VFO");
  InitButton(cmdV2M, "cmdV2M", "V->M", "VFO to Memory");

  InitFrame(fraAmp, "fraAmp", "Amp");
  InitButton(cmdAmpPwr, "cmdAmpPwr", "PWR ->", "Turn Amp ON / OFF");
  InitButton(cmdAmpOpr, "cmdAmpOpr", "OPR ->", "Place AMP in Operate / Standby");
  InitButton(cmdTuneAmp, "cmdTuneAmp", "TUN ->", "Start Amp Tune Cycle");
  InitLabel(lblAmpPwr, "lblAmpPwr", "OFF");
  InitLabel(lblAmpOpStby, "lblAmpOpStby");
  InitLabel(lblAmpTuned, "lblAmpTuned");
  for (Label* l : {&lblAmpPwr, &lblAmpOpStby, &lblAmpTuned}) l->backColour = colour::kWhite;

  InitFrame(fraCAT, "fraCAT", "CAT");
  Init(txtInCat, "txtInCat");
  txtInCat.locked = true;
  Init(txtOutCAT, "txtOutCAT");
  txtOutCAT.locked = true;

  InitMenu(mnuFile, "mnuFile", "&File");
  InitMenu(mnuFileExit, "mnuFileExit", "E&xit");
  InitMenu(mnuScan, "mnuScan", "Scan");
  InitMenu(mnuScanBands, "mnuScanBands", "Scan Bands");
  InitMenu(mnuScanFreqs, "mnuScanFreqs", "Scan Freqs");
  InitMenu(mnuSetup, "mnuSetup", "Setup");
  InitMenu(mnuPortSetup, "mnuPortSetup", "Port Setup");
  InitMenu(mnuAudioSetup, "mnuAudioSetup", "Audio Setup");
  InitMenu(mnuCATSetup, "mnuCATSetup", "CAT Setup");
  InitMenu(mnuChannelSetup, "mnuChannelSetup", "Channels");
  InitMenu(mnuHelp, "mnuHelp", "Help");
  InitMenu(mnuHelpAbout, "mnuHelpAbout", "About");
  InitMenu(mnuHelpQD6250, "mnuHelpQD6250", "QD-6250 Help");

  // Controls the REMOTE set-up enables once the radio's state is known; until
  // then nothing can key the transmitter or command the radio from them.
  for (Button* b : {&cmdXmit, &cmdTune, &cmdPTT, &cmdTest, &cmdMute, &cmdBFO}) b->enabled = false;
  for (OptionButton& o : optMeter) o.enabled = false;
  vscRFG.enabled = false;
  vscBFO.enabled = false;
  mnuScanFreqs.enabled = false;
  mnuScanBands.enabled = false;
}

void VisitControls(frmQD6250& f, ControlVisitor& v) {
  auto all = [&v](auto&... controls) { (v.Visit(controls), ...); };
  auto each = [&v](auto& array) {
    for (auto& c : array) v.Visit(c);
  };
  all(f.shaTrace, f.lblU, f.lblXMTRCV, f.lblComStat, f.lblREMOTE, f.lblFWType, f.lblExtPTT,
      f.txtInfo, f.txtInData, f.cmdViewInData);
  each(f.cmdF);
  all(f.Command1, f.Command2, f.lblInfo, f.fraExtKnob, f.cmbStepSize, f.lblUp, f.lblDn, f.Frame4);
  each(f.cmdVFOB);
  all(f.cmdCma, f.cmdDot, f.cmbVFOBMode);
  each(f.optTXVFO);
  all(f.lblTXA, f.lblTXB, f.lblSplit, f.cmdA2B, f.cmdSwap, f.cmbMode, f.cmbAGC, f.cmbDig,
      f.cmbSource, f.lblMode, f.lblAGC, f.lblDig, f.lblSource, f.pbMeter);
  each(f.lblMeter);
  each(f.optMeter);
  all(f.lblMeterScale, f.fraLeftButtons, f.fraRightButtons, f.cmdXmit, f.cmdTune, f.cmdPTT,
      f.cmdPTTEn, f.lblPTTEn, f.lblInBand, f.cmdMute, f.lblMute, f.cmdSideTone, f.lblSideTone,
      f.cmdVOX, f.lblVox, f.cmdClipping, f.lblClipping, f.cmdTest, f.lblTest, f.shaFault,
      f.lblFault, f.cmdGetStatus, f.fraBFO, f.vscBFO, f.txtBFO, f.lblBFOHz, f.lblPorM, f.lblBFOOn,
      f.cmdBFO, f.fraRF, f.vscRFG, f.txtRFG, f.fraBand);
  each(f.bandButtons);
  all(f.Frame3);
  each(f.optChan);
  all(f.lblChan);
  each(f.cmdM);
  all(f.cmdM2V, f.cmdV2M, f.fraAmp, f.cmdAmpPwr, f.cmdAmpOpr, f.cmdTuneAmp, f.lblAmpPwr,
      f.lblAmpOpStby, f.lblAmpTuned, f.fraCAT, f.txtInCat, f.txtOutCAT, f.mnuFile, f.mnuFileExit,
      f.mnuScan, f.mnuScanBands, f.mnuScanFreqs, f.mnuSetup, f.mnuPortSetup, f.mnuAudioSetup,
      f.mnuCATSetup, f.mnuChannelSetup, f.mnuHelp, f.mnuHelpAbout, f.mnuHelpQD6250);
}

}  // namespace qd
