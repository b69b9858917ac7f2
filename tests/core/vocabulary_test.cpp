#include "status/vocabulary.h"

#include <gtest/gtest.h>

namespace qd::vocab {
namespace {

TEST(Vocabulary, StepCharactersFollowFirmwareType) {
  struct Case {
    Setting setting;
    int type;
    Form form;
    char character;
  } cases[] = {
      {Setting::Mode, 1, Form::Step, 'M'},         {Setting::Mode, 3, Form::Step, 'm'},
      {Setting::Mode, 2, Form::Direct, 'M'},       {Setting::Agc, 1, Form::Step, 'A'},
      {Setting::Agc, 3, Form::Step, 'a'},          {Setting::Meter, 1, Form::Step, 'd'},
      {Setting::Meter, 3, Form::Step, 'D'},        {Setting::Meter, 2, Form::Direct, 'D'},
      {Setting::AudioRoute, 1, Form::Toggle, '"'}, {Setting::AudioRoute, 3, Form::Direct, '"'},
      {Setting::PttEnable, 1, Form::Toggle, '\''}, {Setting::PttEnable, 2, Form::Direct, '\''},
      {Setting::SideTone, 2, Form::Toggle, 'S'},
  };
  for (const Case& c : cases) {
    CommandForm f = FormFor(c.setting, c.type);
    EXPECT_EQ(f.form, c.form) << static_cast<int>(c.setting) << " type " << c.type;
    EXPECT_EQ(f.character, c.character) << static_cast<int>(c.setting) << " type " << c.type;
  }
}

TEST(Vocabulary, CommandWidthsDependOnType) {
  EXPECT_EQ(CommandArgumentWidth('F', 1), 7);
  EXPECT_EQ(CommandArgumentWidth('M', 2), 1);   // "M1"
  EXPECT_EQ(CommandArgumentWidth('M', 1), 0);   // bare step
  EXPECT_EQ(CommandArgumentWidth('m', 1), -1);  // type 1 has no "m"
  EXPECT_EQ(CommandArgumentWidth('P', 3), 10);
  EXPECT_EQ(CommandArgumentWidth('B', 2), 3);
  EXPECT_EQ(CommandArgumentWidth('"', 1), 0);
  EXPECT_EQ(CommandArgumentWidth('"', 2), 1);
}

}  // namespace
}  // namespace qd::vocab
