#include "link/sync.h"

#include "link/reply_reader.h"
#include "link/send.h"
#include "status/meters.h"

namespace qd {

void SyncTick(Program& p) {
  frmQD6250& f = p.main;
  RadioStatus& st = p.status;
  gSendSync(p, p.link.SyncChar);
  if (p.MSComm1.InBufferCount() > 0) ReadReply(p);
  if (st.SyncAnswered) {
    p.link.SyncFailCount = 0;
    if (p.link.SyncChar == "U")
      f.lblU.backColour = st.TransmitterKeyed ? colour::kRed : colour::kGreen;
    if (p.link.SyncChar == "K") f.lblU.backColour = colour::kRed;
    st.SyncAnswered = false;
  }
  if (f.lblXMTRCV.caption == "Receive" && st.TransmitterKeyed) {
    f.lblU.backColour = colour::kRed;
    f.lblXMTRCV.backColour = colour::kRed;
    f.lblXMTRCV.caption = "Transmit";
    ShowMeterSelect(p);  // the power and VSWR scales follow transmit
    f.FreqEntryLocked = true;
  } else if (f.lblXMTRCV.caption == "Transmit" && !st.TransmitterKeyed) {
    f.lblXMTRCV.backColour = colour::kGreen;
    f.lblXMTRCV.caption = "Receive";
    ShowMeterSelect(p);
    f.FreqEntryLocked = false;
  }
}

}  // namespace qd
