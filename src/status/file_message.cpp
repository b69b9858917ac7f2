#include "status/file_message.h"

#include "status/meters.h"

namespace qd {

std::string FitToWidth(const std::string& message, int width) {
  std::string s = message.substr(0, width > 0 ? static_cast<std::size_t>(width) : 0);
  s.resize(width > 0 ? static_cast<std::size_t>(width) : 0, ' ');
  return s;
}

void FileMessage(Program& p, const std::string& message) {
  if (message.empty()) return;
  RadioStatus& st = p.status;
  switch (message[0]) {
    case vocab::kMeterReading:
      // Shown at once, not in the display pass.
      gDisplayMeterData(p, message);
      st.MeterSeen = true;
      return;
    case vocab::kFreq: {
      // Judged as received, before the cut to width.
      st.FreqWellFormed = vocab::IsCodeWithDigits(message, vocab::kFreq, vocab::kFreqDigits);
      StatusItem& freq = st[vocab::Item::Freq];
      freq.text = FitToWidth(message, vocab::Info(vocab::Item::Freq).width);
      freq.changed = true;
      return;
    }
    case vocab::kSyncReceive:
      st.SyncAnswered = true;
      st.TransmitterKeyed = false;
      return;
    case vocab::kSyncTransmit:
      st.SyncAnswered = true;
      st.TransmitterKeyed = true;
      return;
    case vocab::kExclaim:
      st.ExclaimSeen = true;
      return;
    case vocab::kHash:
      st.HashSeen = true;
      return;
    case vocab::kStatusEnd:
      st.StatusEndSeen = true;
      return;
    case vocab::kQItems:
      // "QT" and "QC" are stored without a Changed flag; nothing reads them as news.
      st.QSeen = true;
      for (vocab::Item item : {vocab::Item::QtItem, vocab::Item::QcItem}) {
        const vocab::ItemInfo& info = vocab::Info(item);
        if (message.size() > 1 && message[1] == info.secondCode)
          st[item].text = FitToWidth(message, info.width);
      }
      return;
    case vocab::kIgnored:
      return;
    default:
      if (const vocab::ItemInfo* info = vocab::ItemForCode(message[0])) {
        StatusItem& item = st[info->item];
        item.text = FitToWidth(message, info->width);
        item.changed = true;
      }
      return;
  }
}

}  // namespace qd
