#include "panel/receiver_adjustments.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "link/reply_reader.h"
#include "link/send.h"

namespace qd {

namespace {

constexpr int kRfGainTop = 63;

std::string Digits(int value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", width, value);
  return text;
}

}  // namespace

std::string BfoOffsetText(int position) {
  const int hertz = (position - kBfoCentre) * 10;
  return (hertz < 0 ? "-" : "") + Digits(std::abs(hertz), 3);
}

std::string RfGainText(int position) {
  // Nearest whole percent; positions are never negative.
  return Digits((std::clamp(position, 0, kRfGainTop) * 100 + kRfGainTop / 2) / kRfGainTop, 3);
}

void vscBFO_Change(Program& p) {
  p.main.txtBFO.text = BfoOffsetText(p.main.vscBFO.value);
  p.main.requests.bfoOffset = true;
}

void vscRFG_Change(Program& p) {
  p.main.txtRFG.text = RfGainText(p.main.vscRFG.value);
  p.main.requests.rfGain = true;
}

void SendBfoOffset(Program& p) {
  p.main.requests.bfoOffset = false;
  const int position = std::clamp(p.main.vscBFO.value, 0, 2 * kBfoCentre);
  p.main.lblPorM.caption = position > kBfoCentre ? "+" : position < kBfoCentre ? "-" : "";
  p.op.BfoOffsetSetting = Digits(position, 3);
  // The offset goes out only while the BFO is on (the button then offers "OFF").
  if (p.main.cmdBFO.caption == "OFF") WriteRadioPort(p, "B" + p.op.BfoOffsetSetting + "\n");
}

void ToggleBfo(Program& p) {
  p.main.requests.bfo = false;
  if (!p.main.BfoReady) {
    p.main.BfoReady = true;
    p.main.cmdBFO.caption = "OFF";
    p.main.lblBFOOn.caption = "BFO";
    p.main.lblPorM.caption = "";
    vscBFO_Change(p);
    p.main.vscBFO.enabled = true;
  } else {
    p.main.BfoReady = false;
    p.main.cmdBFO.caption = "ON";
    p.op.BfoOffsetSetting = Digits(kBfoCentre, 3);
    WriteRadioPort(p, "B" + p.op.BfoOffsetSetting + "\n");
    p.main.vscBFO.enabled = false;
    p.main.lblBFOOn.caption = "";
    p.main.lblPorM.caption = "";
  }
}

void SendRfGain(Program& p) {
  p.main.requests.rfGain = false;
  // The bar's top (63) is full gain, command value 00.
  SendCommand(p, "G" + Digits(kRfGainTop - std::clamp(p.main.vscRFG.value, 0, kRfGainTop), 2), true,
              0.1);
}

void ToggleVox(Program& p) {
  p.main.requests.vox = false;
  SendCommand(p, "V", true, 0.2);
  ReadReply(p);
}

void ToggleClipping(Program& p) {
  p.main.requests.clipping = false;
  SendCommand(p, "I", true, 0.2);
  ReadReply(p);
}

void RefreshStatus(Program& p) {
  p.main.requests.getStatus = false;
  // The full status burst is read by the next sync exchange.
  SendCommand(p, "?", true, 0.6);
}

}  // namespace qd
