// The CAT port inside the whole panel: start-up opens it from "CATSetup.txt",
// and a logger polling through the real main loop against the simulated
// radio is answered, tunes the radio, and is not lost while a modal dialog
// holds the loop.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "cat_fixture.h"
#include "link/startup.h"

namespace qd::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kRadioSetup = "1\r\n9600 ,O,7,1\r\ncomNone\r\n0\r\n";
constexpr const char* kCatSetup = "2\r\n4800,N, 8, 1\r\ncomRTS\r\nKenwood\r\n";

// A fresh working directory (and lock folder) for one start-up.
class PanelRun : public ::testing::Test {
 protected:
  void SetUp() override {
    old_ = fs::current_path();
    dir_ = fs::temp_directory_path() / ("cat_panel_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    fs::current_path(dir_);
    ::setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
  }
  void TearDown() override {
    fs::current_path(old_);
    fs::remove_all(dir_);
  }
  static void WriteFile(const char* name, const std::string& text) { std::ofstream(name) << text; }

  // Runs start-up and the main loop until the script ends it.
  static void Run(Scenario& s) {
    try {
      form_Load(s.p);
    } catch (const ScriptEnd&) {
    }
  }

 private:
  fs::path old_;
  fs::path dir_;
};

using CatStartUp = PanelRun;

TEST_F(CatStartUp, OpensTheCatPortTheFileNamesWhenPresent) {
  struct Case {
    const char* file;  // nullptr: no "CATSetup.txt"
    bool catPortPresent;
    bool opened;
    const char* boxes;  // txtInCat and txtOutCAT
  };
  const Case cases[] = {
      {kCatSetup, true, true, ""},
      {kCatSetup, false, false, "No CAT Port"},
      {nullptr, true, false, ""},
  };
  for (const Case& c : cases) {
    fs::remove("CATSetup.txt");
    if (c.file) WriteFile("CATSetup.txt", c.file);
    WriteFile("PortSetup.txt", kRadioSetup);
    Scenario s({.openRadioPort = false});
    s.p.portPresent = [&c](int n) { return n == 1 || (n == 2 && c.catPortPresent); };
    s.windowing.StopWhen([] { return true; });  // the first yield
    Run(s);
    EXPECT_EQ(s.cat.IsOpen(), c.opened) << (c.file ? "file" : "no file");
    EXPECT_EQ(s.p.main.txtInCat.text, c.boxes);
    EXPECT_EQ(s.p.main.txtOutCAT.text, c.boxes);
    if (c.opened) {
      EXPECT_EQ(s.cat.PortNumber(), 2);
      EXPECT_EQ(s.cat.Settings(), "4800,N, 8, 1");
      EXPECT_EQ(s.cat.GetHandshake(), Handshake::RtsCts);
      EXPECT_EQ(s.p.cat.CatRigType, "Kenwood");
    }
  }
}

// The panel up in REMOTE with the simulated radio; a logger on the CAT port.
class CatInPanel : public PanelRun {
 protected:
  void SetUp() override {
    PanelRun::SetUp();
    WriteFile("PortSetup.txt", kRadioSetup);
    WriteFile("CATSetup.txt", kCatSetup);
    s.p.portPresent = [](int n) { return n == 1 || n == 2; };
    s.AttachRadioPeer(sim);
    sim.Radio().TurnFrequency("1420000", s.clock.Now());
  }

  // The logger writes at `elapsed` seconds after the start.
  void LoggerAt(double elapsed, std::string bytes) {
    s.cat.Arrive(s.start + elapsed, std::move(bytes));
  }

  // Seconds from each of the logger's writes to the first answer written after it.
  std::vector<double> AnswerDelays() const {
    std::vector<double> delays;
    const std::vector<WireEntry>& wire = s.cat.Wire();
    for (std::size_t i = 0; i < wire.size(); ++i) {
      if (wire[i].fromProgram) continue;
      for (std::size_t j = i + 1; j < wire.size(); ++j)
        if (wire[j].fromProgram) {
          delays.push_back(wire[j].time - wire[i].time);
          break;
        }
    }
    return delays;
  }

  Scenario s{{.openRadioPort = false}};
  SimPeer sim{{.firmwareType = 3}};
};

// Start-up in virtual time, well past the REMOTE set-up.
constexpr double kPanelUp = 40.0;

TEST_F(CatInPanel, PollsEveryQuarterSecondAreEachAnsweredWithinASecond) {
  constexpr int kPolls = 40;
  for (int i = 0; i < kPolls; ++i) LoggerAt(kPanelUp + 0.25 * i, "FA;");
  s.windowing.StopAt(s.start + kPanelUp + 0.25 * kPolls + 2);
  Run(s);
  ASSERT_EQ(s.p.main.ModeText, "REMOTE");

  const std::vector<std::string> writes = s.cat.Writes();
  ASSERT_EQ(writes.size(), static_cast<std::size_t>(kPolls));
  for (const std::string& w : writes) EXPECT_EQ(w, "FA00014200000;");
  for (double d : AnswerDelays()) EXPECT_LT(d, 1.0);
}

TEST_F(CatInPanel, SettingsFromTheLoggerReachTheRadio) {
  LoggerAt(kPanelUp, "FA00007125000;");
  LoggerAt(kPanelUp + 3, "MD2;");
  LoggerAt(kPanelUp + 6, "FA;MD;");
  s.windowing.StopAt(s.start + kPanelUp + 8);
  Run(s);

  EXPECT_EQ(sim.Radio().State().freq, "0712500");
  EXPECT_EQ(sim.Radio().State().mode, 1);
  EXPECT_EQ(s.cat.Writes(), (std::vector<std::string>{"FA00007125000;", "MD2;"}));
  EXPECT_EQ(s.p.main.cmbMode.text, "USB");
}

TEST_F(CatInPanel, PollsWhileTheCatSetupDialogIsOpenAreServedAfterIt) {
  // The operator opens CAT Setup, leaves it open for 5 s and cancels it.
  s.windowing.AtTime(s.start + kPanelUp, Click("mnuCATSetup"));
  s.windowing.onShowForm = [this](Form& form) {
    if (form.name != "frmCATSetup") return;
    Action cancel = Click("cmdCancel");
    cancel.form = "frmCATSetup";
    s.windowing.AtTime(s.clock.Now() + 5, cancel);
  };
  for (int i = 0; i < 16; ++i) LoggerAt(kPanelUp + 1 + 0.25 * i, i % 2 ? "MD;" : "FA;");
  LoggerAt(kPanelUp + 8, "FA0000712");  // a set cut in two
  LoggerAt(kPanelUp + 8.1, "5000;FA;");
  s.windowing.StopAt(s.start + kPanelUp + 10);
  Run(s);

  ASSERT_EQ(s.windowing.shownForms.back(), "frmCATSetup");
  const std::vector<std::string> writes = s.cat.Writes();
  ASSERT_EQ(writes.size(), 17u);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(writes[i], i % 2 ? "MD1;" : "FA00014200000;") << i;
  EXPECT_EQ(writes[16], "FA00007125000;");
}

}  // namespace
}  // namespace qd::test
