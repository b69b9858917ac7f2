// "AudioSetup.txt": the five audio settings (two-character radio codes on
// lines 1 to 5, the rest of each line and lines 6 to 10 are notes for a person
// editing the file). Start-up reads it; the audio setup dialog saves it.
#pragma once

#include <string>
#include <vector>

#include "panel/operator_state.h"

namespace qd {

inline constexpr const char* kAudioSetupFileName = "AudioSetup.txt";

// Reads lines 1 to 5 over `settings`: only each line's first two characters
// count; a missing line or one not holding that setting's kind of code keeps
// the value in `settings`. Throws RuntimeError when the file cannot be read.
void ReadAudioSetupFile(const std::string& path, AudioSettings& settings);

// The file's ten lines for these settings.
std::vector<std::string> AudioSetupFileLines(const AudioSettings& settings);

}  // namespace qd
