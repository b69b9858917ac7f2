#include "setup/setup_file.h"

#include "link/reply_reader.h"
#include "platform/errors.h"
#include "platform/text_file.h"
#include "setup/handshake_options.h"
#include "setup/setting_text.h"

namespace qd {

// CR LF lines; readers use lines 1 to 4 only:
//   1  port number           3
//   2  speed + "," + format  9600 ,O,7,1   (the speed items carry a blank)
//   3  handshake name        comNone | comXonXoff | comRTS | comRTSXonXoff
//   4  a value of the dialog's own
//   5-8 notes for a person editing the file
std::vector<std::string> SetupFileLines(const std::string& portText, const std::string& settings,
                                        const std::string& handshakeName, const std::string& line4,
                                        const std::string& line4Note) {
  return {portText,
          settings,
          handshakeName,
          line4,
          "Line 1: Port Number, COM1 = 1, COM2 = 2, etc..",
          "Line 2: Baud,Parity,Bits,Stop",
          "Line 3: comNone, comXonXoff, comRTS, comRTSXonXoff",
          line4Note};
}

void SaveSetupFile(Program& p, const char* fileName, const std::vector<std::string>& lines) {
  try {
    WriteLines(fileName, lines);
  } catch (const RuntimeError& e) {
    ShowInfoMessage(p, ErrorText(fileName, e));
  }
}

std::optional<std::vector<std::string>> LoadSetupFile(Program& p, const char* fileName) {
  if (!FileExists(fileName)) {
    ShowInfoMessage(p, std::string(fileName) + " not found");
    return std::nullopt;
  }
  try {
    return ReadLines(fileName);
  } catch (const RuntimeError& e) {
    ShowInfoMessage(p, ErrorText(fileName, e));
    return std::nullopt;
  }
}

std::string SelectedHandshakeName(const HandshakeGroup& options, const std::string& inUse) {
  int i = SelectedOption(options);
  if (i >= 0) return kHandshakeOptions[i].name;
  return inUse.empty() ? kHandshakeOptions[0].name : inUse;
}

void ApplyPortLines(const std::vector<std::string>& lines, ComboBox& port, ComboBox& baud,
                    HandshakeGroup& handshake) {
  if (lines.size() > 0 && !PortTextFromLine(lines[0]).empty())
    port.text = PortTextFromLine(lines[0]);
  if (lines.size() > 1 && !Trimmed(SplitSettings(lines[1]).front()).empty())
    baud.text = SplitSettings(lines[1]).front();
  if (lines.size() > 2) SelectOption(handshake, HandshakeIndexForName(Trimmed(lines[2])));
}

void CloseSetupDialog(Program& p, Form& dialog) {
  dialog.loaded = false;
  p.main.enabled = true;
}

}  // namespace qd
