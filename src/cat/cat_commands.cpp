// ServiceCatCommand: cuts the waiting CAT text at ";" and answers or carries
// out each command, in the emulated transceiver's language:
//
//   received          meaning              answer            radio
//   FA                frequency query      FA<11 digits Hz>; -
//   FA000ddddddd...   frequency set        -                 SetFreq("ddddddd")
//   F...  (other)     -                    -                 -
//   MD                mode query           MD<c>;            -
//   MD<digit>         mode set             -                 SetMode (1 LSB, 2 USB, 3 CW, 5 AME)
//   anything else     -                    -                 -
//
// FA answer: "FA" "000" <Freq's seven digits, 10 Hz units> "0" ";"
//             e.g. Freq "F1420000" -> "FA00014200000;"
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "cat/cat_port.h"
#include "status/setting_commands.h"
#include "status/vocabulary.h"

namespace qd {

namespace {

constexpr std::string_view kFreqSetPrefix = "FA000";

// Mode-set digit -> radio mode code.
struct ModeDigit {
  char digit;
  const char* code;
};
constexpr std::array<ModeDigit, 4> kModeSetDigits{
    {{'1', "M2"}, {'2', "M1"}, {'3', "M4"}, {'5', "M3"}}};

// Mode-query answer: the digital mode box wins; otherwise the radio's mode.
struct AnswerFor {
  const char* key;
  char answer;
};
constexpr std::array<AnswerFor, 3> kDigitalAnswers{{{"PSK", 'A'}, {"FSK", '9'}, {"RTTY", '6'}}};
constexpr std::array<AnswerFor, 4> kModeAnswers{
    {{"M1", '2'}, {"M2", '1'}, {"M3", '5'}, {"M4", '3'}}};

std::optional<std::string> FrequencyAnswer(const Program& p) {
  const std::string& freq = p.status.Text(vocab::Item::Freq);
  // Before the radio reported a frequency there is nothing honest to say.
  if (freq.size() != 1 + vocab::kFreqDigits || freq[0] != vocab::kFreq ||
      !vocab::IsFreqDigits(std::string_view(freq).substr(1)))
    return std::nullopt;
  return std::string(kFreqSetPrefix) + freq.substr(1) + "0;";
}

std::optional<std::string> ModeAnswer(const Program& p) {
  for (const AnswerFor& a : kDigitalAnswers)
    if (p.main.cmbDig.text == a.key) return std::string("MD") + a.answer + ";";
  const std::string& mode = p.status.Text(vocab::Item::Mode);
  for (const AnswerFor& a : kModeAnswers)
    if (mode == a.key) return std::string("MD") + a.answer + ";";
  return std::nullopt;  // no mode reported yet
}

void SendCatAnswer(Program& p, const std::string& answer) {
  if (!p.MSComm2.IsOpen()) return;  // the device went away since the text came in
  p.main.txtOutCAT.text = answer;
  p.MSComm2.Output(p.main.txtOutCAT.text);
}

void HandleCatCommand(Program& p, std::string_view command) {
  std::optional<std::string> answer;
  if (command == "FA") {
    answer = FrequencyAnswer(p);
  } else if (command.starts_with(kFreqSetPrefix) &&
             command.size() >= kFreqSetPrefix.size() + vocab::kFreqDigits) {
    // Hz as eleven digits; the units of Hz are dropped.
    SetFreq(p, std::string(command.substr(kFreqSetPrefix.size(), vocab::kFreqDigits)));
  } else if (command == "MD") {
    answer = ModeAnswer(p);
  } else if (command.size() == 3 && command.starts_with("MD")) {
    for (const ModeDigit& m : kModeSetDigits)
      if (command[2] == m.digit) SetMode(p, m.code);
  }
  if (answer) SendCatAnswer(p, *answer);
}

}  // namespace

void ServiceCatCommand(Program& p) {
  const std::string text = p.cat.CatBuffer;
  p.cat.CatCommandPending = false;
  // Text after the last ";" is the start of a command still arriving.
  const std::size_t end = text.rfind(';');
  p.cat.CatBuffer = end == std::string::npos ? text : text.substr(end + 1);
  if (end == std::string::npos) return;

  std::size_t start = 0;
  while (start <= end) {
    const std::size_t semi = text.find(';', start);
    if (semi > start) HandleCatCommand(p, std::string_view(text).substr(start, semi - start));
    start = semi + 1;
  }
}

}  // namespace qd
