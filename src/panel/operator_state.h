// Module state of the operator procedures: audio settings from "AudioSetup.txt",
// the digital-mode memory and the BFO offset setting.
#pragma once

#include <string>

namespace qd {

struct AudioSettings {
  std::string PhoneAudioSource = "H1";
  std::string PttEnable = "'1";
  std::string AudioRoute = "\"1";
  std::string DigitalAudioSource = "H3";
  std::string DigitalVox = "V2";
};

struct OperatorState {
  AudioSettings audio;
  std::string DigitalAudioSource;  // copy of audio.DigitalAudioSource for the digital modes
  std::string DigitalVox;
  std::string DigitalSavedSource;
  std::string DigitalSavedRoute;
  std::string DigitalSavedVox;
  std::string AudioSourceCopy;  // AudioSource as start-up left it
  std::string BfoOffsetSetting = "100";
};

}  // namespace qd
