// The two settings files this area reads: "QD6250ini.txt" (window and VFO B)
// and "AudioSetup.txt" (five two-character codes), and the tolerant number.
#include <gtest/gtest.h>

#include "loop_rig.h"
#include "platform/text_file.h"
#include "setup/audio_settings.h"
#include "setup/ini_file.h"

namespace qd::test {
namespace {

TEST(NumericValue, ReadsTheLeadingNumberAndIgnoresTheRest) {
  const std::pair<const char*, double> cases[] = {
      {"1200", 1200}, {"  1200", 1200}, {"-30", -30}, {"+7", 7},      {"12abc", 12},
      {"3.5", 3.5},   {"", 0},          {"abc", 0},   {"1.2.3", 1.2}, {" - 4", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(NumericValue(text), value) << text;
}

std::string VfoB(const frmQD6250& f) {
  std::string digits;
  for (const Button& b : f.cmdVFOB) digits += b.caption;
  return digits;
}

TEST(IniLines, OnlySevenDigitsReachTheVfoBRowWhileTheOtherLinesApply) {
  for (const char* row : {"142500", "14250a0", "14250000", ""}) {
    SCOPED_TRACE(row);
    frmQD6250 f;
    ApplyIniLines(f, {"4500", "900", row, "AME", "Split On", "10Hz"});
    EXPECT_EQ(VfoB(f), "0000000");
    EXPECT_EQ(f.left, 4500);
    EXPECT_EQ(f.top, 900);
    EXPECT_EQ(f.cmbVFOBMode.text, "AME");
    EXPECT_EQ(f.lblSplit.caption, "Split On");
    EXPECT_EQ(f.cmbStepSize.text, "10Hz");
  }
  frmQD6250 f;
  ApplyIniLines(f, {"0", "0", "2999999"});
  EXPECT_EQ(VfoB(f), "2999999");
}

TEST(IniLines, MissingLinesLeaveTheDesignAndWritingKeepsWhatIsThere) {
  frmQD6250 designed;
  frmQD6250 f;
  ApplyIniLines(f, {"15x", "junk"});
  EXPECT_EQ(f.left, 15);
  EXPECT_EQ(f.top, 0);
  EXPECT_EQ(f.cmbVFOBMode.text, designed.cmbVFOBMode.text);
  EXPECT_EQ(f.lblSplit.caption, designed.lblSplit.caption);
  EXPECT_EQ(f.cmbStepSize.text, designed.cmbStepSize.text);

  f.cmdVFOB[3].caption = "";
  f.cmbStepSize.text = "";
  EXPECT_EQ(IniFileLines(f),
            (std::vector<std::string>{"15", "0", "000000", "USB", "Split Off", ""}));
}

TEST(AudioSetupFile, OnlyTheFirstTwoCharactersOfTheFirstFiveLinesCount) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    AudioSettings expected;
  };
  const Case cases[] = {
      {"AsSaved",
       {"H2 Phone Audio Source", "'0 PTT Enable", "\"0 LocalRemote Audio",
        "H1 Digital Audio Source", "V1 Digital VOX: [V1|V2|V3]", "Comments: edited by hand"},
       {"H2", "'0", "\"0", "H1", "V1"}},
      {"BareCodes", {"H3", "'1", "\"1", "H2", "V0"}, {"H3", "'1", "\"1", "H2", "V0"}},
      // A code of the wrong kind or a lone digit keeps that setting as it was.
      {"Junk", {"X9 Phone", "1", "", "H", "V2x"}, {"H1", "'1", "\"1", "H3", "V2"}},
      {"Short", {"H2"}, {"H2", "'1", "\"1", "H3", "V2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempWorkDir dir;
    WriteFile(kAudioSetupFileName, c.lines);
    AudioSettings read;
    ReadAudioSetupFile(kAudioSetupFileName, read);
    EXPECT_EQ(read.PhoneAudioSource, c.expected.PhoneAudioSource);
    EXPECT_EQ(read.PttEnable, c.expected.PttEnable);
    EXPECT_EQ(read.AudioRoute, c.expected.AudioRoute);
    EXPECT_EQ(read.DigitalAudioSource, c.expected.DigitalAudioSource);
    EXPECT_EQ(read.DigitalVox, c.expected.DigitalVox);
  }
}

TEST(AudioSetupFile, WrittenLinesReadBackTheSameSettings) {
  TempWorkDir dir;
  const AudioSettings chosen{"H3", "'0", "\"0", "H2", "V1"};
  WriteLines(kAudioSetupFileName, AudioSetupFileLines(chosen));
  const std::vector<std::string> lines = ReadLines(kAudioSetupFileName);
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines[1], "'0 PTT Enable");
  EXPECT_EQ(lines[9], "LocalRemote: \"0 -> Remote, \"1 -> Local");
  AudioSettings read;
  ReadAudioSetupFile(kAudioSetupFileName, read);
  EXPECT_EQ(read.PhoneAudioSource, "H3");
  EXPECT_EQ(read.PttEnable, "'0");
  EXPECT_EQ(read.AudioRoute, "\"0");
  EXPECT_EQ(read.DigitalAudioSource, "H2");
  EXPECT_EQ(read.DigitalVox, "V1");
}

}  // namespace
}  // namespace qd::test
