// The setup dialogs and the About box driven as an operator would: a menu
// click at a yield opens the dialog modally, and clicks posted when it shows
// fill it in and close it. The main window stays disabled meanwhile.
#include <filesystem>

#include "link/link_state.h"
#include "setup_fixture.h"

namespace qd::test {
namespace {

// Answers a dialog: when a form with this name shows, posts these actions on it.
void WhenShown(Scenario& s, const std::string& form, std::vector<Action> actions,
               bool* mainEnabledWhileShown = nullptr) {
  s.windowing.onShowForm = [&s, form, actions, mainEnabledWhileShown](Form& f) {
    ASSERT_EQ(f.name, form);
    if (mainEnabledWhileShown) *mainEnabledWhileShown = s.p.main.enabled;
    for (const Action& a : actions) s.p.actions.Post(On(form, a));
  };
}

Action CheckClick(const std::string& control, int value) {
  Action a = Click(control);
  a.value = value;
  return a;
}

TEST_F(SetupTest, PortSetupOpensOnTheRadioPortAndApplyHandsTheChoiceToTheLink) {
  present = {3, 5};
  p.link.ExtPttEnabled = false;
  p.main.ExtPttState = true;
  bool mainEnabled = true;
  frmPortSetup shown;
  s.windowing.onShowForm = [&](Form&) {
    mainEnabled = p.main.enabled;
    shown = p.portSetup;
    for (const Action& a :
         {ChooseText("cmbSelectPort", "3"), ChooseText("cmbSelectBaudRate", "4800 "),
          Click("optHandShake(2)"), CheckClick("chkExtPTTEna", 1), Click("cmdApply")})
      p.actions.Post(On("frmPortSetup", a));
  };
  const int opens = s.radio.openCount;
  ClickMenu("mnuPortSetup");

  // As opened: found ports, the radio's own (open) port added and selected,
  // its speed and handshake.
  EXPECT_FALSE(mainEnabled);
  EXPECT_EQ(shown.cmbSelectPort.items, (std::vector<std::string>{"3", "5", "1"}));
  EXPECT_EQ(shown.cmbSelectPort.text, "1");
  EXPECT_EQ(shown.txtFound.text, "3, 5, ");
  EXPECT_EQ(shown.cmbSelectBaudRate.text, "9600");
  EXPECT_EQ(SelectedOption(shown.optHandShake), 0);
  EXPECT_EQ(shown.chkExtPTTEna.value, 0);

  // Applied: the link settings change, the main loop is asked to reopen the
  // port; the dialog neither reopens it nor writes the file.
  EXPECT_EQ(p.link.RadioPortNumber, "3");
  EXPECT_EQ(p.link.RadioPortSettings, "4800 ,O,7,1");
  EXPECT_EQ(p.link.RadioHandshake, "comRTS");
  EXPECT_TRUE(p.link.ExtPttEnabled);
  EXPECT_TRUE(p.link.PortSetupChanged);
  EXPECT_FALSE(p.portSetup.loaded);
  EXPECT_TRUE(p.main.enabled);
  EXPECT_EQ(s.radio.openCount, opens);
  EXPECT_FALSE(std::filesystem::exists("PortSetup.txt"));
  EXPECT_EQ(s.windowing.shownForms, (std::vector<std::string>{"frmPortSetup"}));
}

TEST_F(SetupTest, PortSetupCancelOrCloseLeavesThePortAlone) {
  for (Action close : {Click("cmdCancel"), Unload("frmPortSetup")}) {
    SCOPED_TRACE(close.control);
    const LinkState before = p.link;
    const int opens = s.radio.openCount;
    WhenShown(s, "frmPortSetup",
              {ChooseText("cmbSelectPort", "7"), Click("optHandShake(3)"),
               CheckClick("chkExtPTTEna", 1), close});
    ClickMenu("mnuPortSetup");
    EXPECT_EQ(p.link.RadioPortNumber, before.RadioPortNumber);
    EXPECT_EQ(p.link.RadioPortSettings, before.RadioPortSettings);
    EXPECT_EQ(p.link.RadioHandshake, before.RadioHandshake);
    EXPECT_EQ(p.link.ExtPttEnabled, before.ExtPttEnabled);
    EXPECT_FALSE(p.link.PortSetupChanged);
    EXPECT_TRUE(s.radio.IsOpen());
    EXPECT_EQ(s.radio.openCount, opens);
    EXPECT_TRUE(p.main.enabled);
  }
}

TEST_F(SetupTest, PortSetupReopensAsDesignedAndShowsTheHandshakeInUse) {
  // A first visit leaves junk in the dialog, then cancels.
  WhenShown(s, "frmPortSetup", {ChooseText("cmbSelectBaudRate", "junk"), Click("cmdCancel")});
  ClickMenu("mnuPortSetup");
  s.radio.Open(2, "2400,O,7,1", Handshake::RtsCts);
  p.link.ExtPttEnabled = true;
  frmPortSetup shown;
  s.windowing.onShowForm = [&](Form&) {
    shown = p.portSetup;
    p.actions.Post(On("frmPortSetup", Click("cmdCancel")));
  };
  ClickMenu("mnuPortSetup");
  EXPECT_EQ(shown.cmbSelectBaudRate.text, "2400");
  EXPECT_EQ(shown.cmbSelectPort.text, "2");
  EXPECT_EQ(SelectedOption(shown.optHandShake), 2);
  EXPECT_EQ(shown.chkExtPTTEna.value, 1);
}

TEST_F(SetupTest, SwitchingExternalPttOffReleasesAHeldKey) {
  p.link.ExtPttEnabled = true;
  p.main.ExtPttState = false;  // the key is down
  WhenShown(s, "frmPortSetup", {CheckClick("chkExtPTTEna", 0), Click("cmdApply")});
  ClickMenu("mnuPortSetup");
  EXPECT_FALSE(p.link.ExtPttEnabled);
  EXPECT_TRUE(p.main.ExtPttState);
}

TEST_F(SetupTest, PortSetupSaveAndLoadKeepTheDialogOpen) {
  present = {4};
  bool openAfterSave = false;
  int posted = 0;
  s.windowing.onShowForm = [&](Form&) {
    for (const Action& a :
         {ChooseText("cmbSelectPort", "4"), Click("optHandShake(1)"), Click("cmdSavePortSettings")})
      p.actions.Post(On("frmPortSetup", a));
    posted = s.windowing.yields;
  };
  s.windowing.StopWhen([&] {
    if (posted == 0 || s.windowing.yields < posted + 2) return false;
    openAfterSave = p.portSetup.loaded;
    return true;
  });
  EXPECT_THROW(ClickMenu("mnuPortSetup"), ScriptEnd);
  EXPECT_TRUE(openAfterSave);
  EXPECT_EQ(FileBytes("PortSetup.txt").substr(0, 30), "4\r\n9600,O,7,1\r\ncomXonXoff\r\n0\r\n");
  EXPECT_FALSE(p.link.PortSetupChanged);
}

TEST_F(SetupTest, StartUpCanOpenPortSetupDirectly) {
  WhenShown(s, "frmPortSetup", {ChooseText("cmbSelectPort", "6"), Click("cmdApply")});
  mnuPortSetup_Click(p);
  EXPECT_EQ(p.link.RadioPortNumber, "6");
  EXPECT_TRUE(p.link.PortSetupChanged);
  EXPECT_TRUE(p.main.enabled);
}

TEST_F(SetupTest, CatSetupApplyReopensTheCatPortWhenTheDialogCloses) {
  present = {2, 5};
  p.cat.CatRigType = "Elecraft";
  bool mainEnabled = true;
  frmCATSetup shown;
  s.windowing.onShowForm = [&](Form&) {
    mainEnabled = p.main.enabled;
    shown = p.catSetup;
    for (const Action& a :
         {ChooseText("cmbSelectPort", "5"), ChooseText("cmbSelectBaudRate", "4800 "),
          ChooseText("cmbBits", "E, 7, 1"), Click("optHandShake(2)"), Click("cmdApply")})
      p.actions.Post(On("frmCATSetup", a));
  };
  ClickMenu("mnuCATSetup");

  EXPECT_FALSE(mainEnabled);
  EXPECT_EQ(shown.cmbSelectPort.items, (std::vector<std::string>{"2", "5"}));
  EXPECT_EQ(shown.txtFound.text, "2, 5, ");
  EXPECT_EQ(shown.cmbSelectBaudRate.text, "19200 ");
  EXPECT_EQ(shown.cmbBits.text, "N, 8, 1");
  EXPECT_EQ(shown.cmbRigType.text, "Elecraft");  // the rig type in use, so Save keeps it

  EXPECT_EQ(p.cat.CatPortNumber, "5");
  EXPECT_EQ(p.cat.CatPortSettings, "4800 ,E, 7, 1");
  EXPECT_EQ(p.cat.CatHandshake, "comRTS");
  EXPECT_FALSE(p.cat.CatSetupChanged);
  ASSERT_TRUE(s.cat.IsOpen());
  EXPECT_EQ(s.cat.PortNumber(), 5);
  EXPECT_EQ(s.cat.Settings(), "4800 ,E, 7, 1");
  EXPECT_EQ(s.cat.GetHandshake(), Handshake::RtsCts);
  EXPECT_TRUE(p.main.enabled);
  EXPECT_FALSE(std::filesystem::exists("CATSetup.txt"));
}

TEST_F(SetupTest, CatSetupCancelOrCloseLeavesTheCatPortAlone) {
  p.cat.CatPortNumber = "2";
  p.cat.CatPortSettings = "9600,N,8,1";
  p.cat.CatHandshake = "comNone";
  ASSERT_TRUE(s.cat.Open(2, "9600,N,8,1", Handshake::None));
  for (Action close : {Click("cmdCancel"), Unload("frmCATSetup")}) {
    SCOPED_TRACE(close.control);
    const int opens = s.cat.openCount;
    frmCATSetup shown;
    s.windowing.onShowForm = [&](Form&) {
      shown = p.catSetup;
      for (const Action& a : {ChooseText("cmbSelectPort", "7"), Click("optHandShake(2)"), close})
        p.actions.Post(On("frmCATSetup", a));
    };
    ClickMenu("mnuCATSetup");
    // Opened on the CAT port in use: its number, speed (the listed item) and format.
    EXPECT_EQ(shown.cmbSelectPort.text, "2");
    EXPECT_EQ(shown.cmbSelectBaudRate.text, "9600 ");
    EXPECT_EQ(shown.cmbSelectBaudRate.items.size(), 6u);
    EXPECT_EQ(shown.cmbBits.text, "N, 8, 1");
    EXPECT_EQ(shown.cmbBits.items.size(), 3u);

    EXPECT_EQ(p.cat.CatPortNumber, "2");
    EXPECT_EQ(p.cat.CatHandshake, "comNone");
    EXPECT_FALSE(p.cat.CatSetupChanged);
    EXPECT_EQ(s.cat.openCount, opens);
    EXPECT_EQ(s.cat.PortNumber(), 2);
    EXPECT_TRUE(p.main.enabled);
  }
}

TEST_F(SetupTest, AboutBoxShowsTheTitleAndClosesOnOk) {
  frmHelp shown;
  bool mainEnabled = true;
  s.windowing.onShowForm = [&](Form&) {
    shown = p.help;
    mainEnabled = p.main.enabled;
    p.actions.Post(On("frmHelp", Click("cmdOK")));
  };
  ClickMenu("mnuHelpAbout");
  EXPECT_EQ(shown.lblTitle.caption, "QD-6250 0.971 : 8-20-26 : 1626");
  EXPECT_EQ(shown.lblVersion.caption, "Version 0.971");
  EXPECT_FALSE(mainEnabled);
  EXPECT_FALSE(p.help.loaded);
  EXPECT_TRUE(p.main.enabled);
}

TEST_F(SetupTest, HelpEntryOpensTheHelpFileOrSaysWhy) {
  ClickMenu("mnuHelpQD6250");
  EXPECT_TRUE(s.windowing.openedWithDesktop.empty());
  EXPECT_EQ(p.main.txtInfo.text, "Help file QD6250V0961.hlp not found");

  WriteFileBytes("QD6250V0961.hlp", "help");
  p.main.txtInfo.text.clear();
  ClickMenu("mnuHelpQD6250");
  const std::string path = (std::filesystem::current_path() / "QD6250V0961.hlp").string();
  EXPECT_EQ(s.windowing.openedWithDesktop, (std::vector<std::string>{path}));
  EXPECT_EQ(p.main.txtInfo.text, "");

  s.windowing.openWithDesktopResult = false;
  ClickMenu("mnuHelpQD6250");
  EXPECT_EQ(p.main.txtInfo.text, "Help file QD6250V0961.hlp could not be opened");
}

}  // namespace
}  // namespace qd::test

namespace qd::test {
namespace {

// A click still queued for a dialog that has closed applies nothing.
TEST_F(SetupTest, ClicksOnAClosedDialogAreIgnored) {
  WhenShown(s, "frmPortSetup", {Click("cmdCancel")});
  ClickMenu("mnuPortSetup");
  WhenShown(s, "frmCATSetup", {Click("cmdCancel")});
  ClickMenu("mnuCATSetup");
  const int catOpens = s.cat.openCount;
  for (const char* form : {"frmPortSetup", "frmCATSetup"}) {
    p.actions.Post(On(form, ChooseText("cmbSelectPort", "9")));
    p.actions.Post(On(form, Click("cmdApply")));
  }
  DoEvents(p);
  EXPECT_FALSE(p.link.PortSetupChanged);
  EXPECT_FALSE(p.cat.CatSetupChanged);
  EXPECT_EQ(p.link.RadioPortNumber, "1");
  EXPECT_EQ(s.cat.openCount, catOpens);
}

}  // namespace
}  // namespace qd::test
