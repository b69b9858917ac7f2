#include "status/vocabulary.h"

#include <algorithm>

namespace qd::vocab {

const ItemInfo* ItemForCode(char code) {
  if (code == kQItems) return nullptr;
  auto it = std::find_if(kItems.begin(), kItems.end(),
                         [code](const ItemInfo& i) { return i.code == code; });
  return it == kItems.end() ? nullptr : &*it;
}

CommandForm FormFor(Setting setting, int firmwareType) {
  const int type = (firmwareType == 2 || firmwareType == 3) ? firmwareType : 1;
  switch (setting) {
    case Setting::Mode:
      return type == 2 ? CommandForm{Form::Direct, kMode}
                       : CommandForm{Form::Step, type == 1 ? 'M' : 'm'};
    case Setting::Agc:
      return type == 2 ? CommandForm{Form::Direct, kAgc}
                       : CommandForm{Form::Step, type == 1 ? 'A' : 'a'};
    case Setting::Meter:
      // Type 2 has no meter step character; it takes the wanted value directly.
      return type == 2 ? CommandForm{Form::Direct, kMeterSelect}
                       : CommandForm{Form::Step, type == 1 ? 'd' : 'D'};
    case Setting::AudioSource:
      return {Form::Step, kAudioSource};
    case Setting::Vox:
      return {Form::Step, kVox};
    case Setting::AudioRoute:
      return type == 1 ? CommandForm{Form::Toggle, kAudioRoute}
                       : CommandForm{Form::Direct, kAudioRoute};
    case Setting::PttEnable:
      return type == 1 ? CommandForm{Form::Toggle, kPttEnable}
                       : CommandForm{Form::Direct, kPttEnable};
    case Setting::SideTone:
      return {Form::Toggle, kSideTone};
    case Setting::Clipping:
      return {Form::Toggle, kClipping};
  }
  return {Form::None, 0};
}

int CommandArgumentWidth(char code, int firmwareType) {
  // Setting characters: their width follows the form the type uses.
  for (Setting s :
       {Setting::Mode, Setting::Agc, Setting::Meter, Setting::AudioSource, Setting::Vox,
        Setting::AudioRoute, Setting::PttEnable, Setting::SideTone, Setting::Clipping}) {
    CommandForm f = FormFor(s, firmwareType);
    if (f.character == code) return f.form == Form::Direct ? 1 : 0;
  }
  switch (code) {
    case kFreq:
      return kFreqDigits;
    case kSpeaker:
      return 1;
    case kRfGain:
      return 2;
    case kBfo:
      return 3;
    case kChannel:
      return 2;
    case kChannelData:
      return 10;
    case kChannelQuery:
      return 2;
    case kAmpState:
      return 1;
    case kTestState:
    case kQuery:
    case kSyncReceive:
    case kSyncTransmit:
      return 0;
    default:
      return -1;
  }
}

bool IsCodeWithDigits(std::string_view text, char code, int digits) {
  if (text.size() != static_cast<std::size_t>(digits) + 1 || text[0] != code) return false;
  return std::all_of(text.begin() + 1, text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsFreqDigits(std::string_view text) {
  return text.size() == kFreqDigits &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace qd::vocab
