#include "setup/audio_settings.h"

#include "platform/text_file.h"
#include "status/vocabulary.h"

namespace qd {

namespace {

// The settings in file order, with the code character each must start with.
struct AudioLine {
  std::string AudioSettings::*setting;
  char code;
  const char* note;
};

constexpr AudioLine kAudioLines[] = {
    {&AudioSettings::PhoneAudioSource, vocab::kAudioSource, " Phone Audio Source"},
    {&AudioSettings::PttEnable, vocab::kPttEnable, " PTT Enable"},
    {&AudioSettings::AudioRoute, vocab::kAudioRoute, " LocalRemote Audio"},
    {&AudioSettings::DigitalAudioSource, vocab::kAudioSource, " Digital Audio Source"},
    {&AudioSettings::DigitalVox, vocab::kVox, " Digital VOX: [V1|V2|V3]"},
};

}  // namespace

void ReadAudioSetupFile(const std::string& path, AudioSettings& settings) {
  const std::vector<std::string> lines = ReadLines(path);
  for (std::size_t i = 0; i < std::size(kAudioLines) && i < lines.size(); ++i) {
    const std::string value = lines[i].substr(0, 2);
    if (vocab::IsCodeWithDigits(value, kAudioLines[i].code, 1))
      settings.*kAudioLines[i].setting = value;
  }
}

std::vector<std::string> AudioSetupFileLines(const AudioSettings& settings) {
  std::vector<std::string> lines;
  for (const AudioLine& line : kAudioLines) lines.push_back(settings.*line.setting + line.note);
  lines.push_back("Comments:");
  lines.push_back("Phone & DigAudio Source: H1 -> MIC, H2 -> Audio2, H3 -> Patch");
  lines.push_back("Digital VOX: V0 -> OFF, V1 -> VOICE, V2 -> DATA");
  lines.push_back("PTT: '0 -> Disable, '1 -> Enable");
  lines.push_back("LocalRemote: \"0 -> Remote, \"1 -> Local");
  return lines;
}

}  // namespace qd
