// "PortSetup.txt" and "CATSetup.txt": the bytes Save writes, what Load takes
// from a file (short, LF-only and junk files included), and Save then Load
// giving back the same selections.
#include <filesystem>

#include "platform/errors.h"
#include "setup/cat_setup.h"
#include "setup/port_setup.h"
#include "setup_fixture.h"

namespace qd::test {
namespace {

const std::string kPortNotes =
    "Line 1: Port Number, COM1 = 1, COM2 = 2, etc..\r\n"
    "Line 2: Baud,Parity,Bits,Stop\r\n"
    "Line 3: comNone, comXonXoff, comRTS, comRTSXonXoff\r\n";

// --- PortSetup.txt

struct PortChoice {
  std::string port;
  std::string baud;
  int handshake;
  int extPtt;
};

void Choose(frmPortSetup& f, const PortChoice& c) {
  f.cmbSelectPort.text = c.port;
  f.cmbSelectBaudRate.text = c.baud;
  SelectOption(f.optHandShake, c.handshake);
  f.chkExtPTTEna.value = c.extPtt;
}

PortChoice Shown(const frmPortSetup& f) {
  return {f.cmbSelectPort.text, f.cmbSelectBaudRate.text, SelectedOption(f.optHandShake),
          f.chkExtPTTEna.value};
}

bool operator==(const PortChoice& a, const PortChoice& b) {
  return a.port == b.port && a.baud == b.baud && a.handshake == b.handshake && a.extPtt == b.extPtt;
}

void PrintTo(const PortChoice& c, std::ostream* os) {
  *os << "{port '" << c.port << "', baud '" << c.baud << "', handshake " << c.handshake
      << ", ext PTT " << c.extPtt << "}";
}

TEST_F(SetupTest, PortSaveWritesTheEightLines) {
  port_setup::Form_Load(p);
  Choose(p.portSetup, {"3", "9600 ", 1, 0});
  port_setup::cmdSavePortSettings_Click(p);
  EXPECT_EQ(FileBytes("PortSetup.txt"), "3\r\n9600 ,O,7,1\r\ncomXonXoff\r\n0\r\n" + kPortNotes +
                                            "Line 4: External PTT Enable: Enabled =  1 \r\n");
  EXPECT_FALSE(p.link.PortSetupChanged);  // Save applies nothing
  EXPECT_EQ(p.link.RadioPortSettings, "9600,O,7,1");
}

TEST_F(SetupTest, PortSaveThenLoadGivesTheSameSelections) {
  const PortChoice cases[] = {
      {"3", "9600 ", 1, 0}, {"12", "19200 ", 0, 1}, {"16", "2400", 2, 0},
      {"1", "300", 3, 1},   {"4", "600", 2, 1},
  };
  for (const PortChoice& c : cases) {
    port_setup::Form_Load(p);
    Choose(p.portSetup, c);
    port_setup::cmdSavePortSettings_Click(p);
    port_setup::Form_Load(p);
    Choose(p.portSetup, {"9", "4800 ", 3, 1 - c.extPtt});
    port_setup::cmdLoadPortSettings_Click(p);
    EXPECT_EQ(Shown(p.portSetup), c);
  }
}

struct PortLoadCase {
  const char* what;
  std::string file;
  PortChoice shown;  // starting from {"9", "300", 3, 1}
};

TEST_F(SetupTest, PortLoadTakesLinesOneToFour) {
  const PortLoadCase cases[] = {
      {"example", "3\r\n9600 ,O,7,1\r\ncomXonXoff\r\n0\r\n", {"3", "9600 ", 1, 0}},
      {"two-digit port", "12\r\n4800 ,O,7,1\r\ncomRTS\r\n1\r\n", {"12", "4800 ", 2, 1}},
      {"long port line cut", "123\r\n2400,O,7,1\r\ncomNone\r\n1\r\n", {"12", "2400", 0, 1}},
      {"one-digit port keeps no blank", "5 \r\n600\r\ncomRTSXonXoff\r\n1\r\n", {"5", "600", 3, 1}},
      {"LF only, no last line end", "7\n300,O,7,1\ncomRTS\n1", {"7", "300", 2, 1}},
      {"other capitalisation", "3\r\n9600 ,O,7,1\r\nCOMRTS\r\n1\r\n", {"3", "9600 ", 0, 1}},
      {"trailing blank on the name", "3\r\n9600 ,O,7,1\r\ncomRTS \r\n1\r\n", {"3", "9600 ", 2, 1}},
      {"ext PTT value with blanks", "3\r\n9600 ,O,7,1\r\ncomRTS\r\n 1 \r\n", {"3", "9600 ", 2, 1}},
      {"ext PTT not a 1", "3\r\n9600 ,O,7,1\r\ncomRTS\r\n10\r\n", {"3", "9600 ", 2, 0}},
      {"ext PTT junk", "3\r\n9600 ,O,7,1\r\ncomRTS\r\nyes\r\n", {"3", "9600 ", 2, 0}},
      {"only line 1", "5\r\n", {"5", "300", 3, 1}},
      {"two lines", "5\r\n1200,O,7,1\r\n", {"5", "1200", 3, 1}},
      {"empty file", "", {"9", "300", 3, 1}},
      {"blank lines", "\r\n\r\n", {"9", "300", 3, 1}},
      {"junk", "\x01\x02zz\r\n,,,,\r\n\xff\r\n-1\r\nmore\r\n", {"\x01\x02", "300", 0, 0}},
  };
  for (const PortLoadCase& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFileBytes("PortSetup.txt", c.file);
    port_setup::Form_Load(p);
    Choose(p.portSetup, {"9", "300", 3, 1});
    port_setup::cmdLoadPortSettings_Click(p);
    EXPECT_EQ(Shown(p.portSetup), c.shown);
    EXPECT_FALSE(p.link.PortSetupChanged);
  }
}

TEST_F(SetupTest, PortLoadWithoutFileSaysSoAndChangesNothing) {
  port_setup::Form_Load(p);
  Choose(p.portSetup, {"9", "300", 3, 1});
  port_setup::cmdLoadPortSettings_Click(p);
  EXPECT_EQ(Shown(p.portSetup), (PortChoice{"9", "300", 3, 1}));
  EXPECT_EQ(p.main.txtInfo.text, "PortSetup.txt not found");
  EXPECT_TRUE(p.main.txtInfo.visible);
}

TEST_F(SetupTest, SaveFailureIsReportedWithTheFileName) {
  // A folder in the file's place cannot be replaced, even by root.
  std::filesystem::create_directory("PortSetup.txt");
  std::filesystem::create_directory("CATSetup.txt");
  port_setup::Form_Load(p);
  port_setup::cmdSavePortSettings_Click(p);
  EXPECT_EQ(p.main.txtInfo.text.rfind("PortSetup.txt: Err ", 0), 0u) << p.main.txtInfo.text;
  EXPECT_GT(p.main.txtInfo.text.size(), std::string("PortSetup.txt: Err 1. ").size());
  EXPECT_TRUE(std::filesystem::is_directory("PortSetup.txt"));

  cat_setup::Form_Load(p);
  cat_setup::cmdSavePortSettings_Click(p);
  EXPECT_EQ(p.main.txtInfo.text.rfind("CATSetup.txt: Err ", 0), 0u) << p.main.txtInfo.text;
}

// --- CATSetup.txt

struct CatChoice {
  std::string port;
  std::string baud;
  std::string bits;
  int handshake;
  std::string rig;
};

void Choose(frmCATSetup& f, const CatChoice& c) {
  f.cmbSelectPort.text = c.port;
  f.cmbSelectBaudRate.text = c.baud;
  f.cmbBits.text = c.bits;
  SelectOption(f.optHandShake, c.handshake);
  f.cmbRigType.text = c.rig;
}

CatChoice Shown(const frmCATSetup& f) {
  return {f.cmbSelectPort.text, f.cmbSelectBaudRate.text, f.cmbBits.text,
          SelectedOption(f.optHandShake), f.cmbRigType.text};
}

bool operator==(const CatChoice& a, const CatChoice& b) {
  return a.port == b.port && a.baud == b.baud && a.bits == b.bits && a.handshake == b.handshake &&
         a.rig == b.rig;
}

void PrintTo(const CatChoice& c, std::ostream* os) {
  *os << "{port '" << c.port << "', baud '" << c.baud << "', bits '" << c.bits << "', handshake "
      << c.handshake << ", rig '" << c.rig << "'}";
}

TEST_F(SetupTest, CatSaveWritesTheEightLines) {
  cat_setup::Form_Load(p);
  Choose(p.catSetup, {"4", "4800 ", "N, 8, 1", 2, "Elecraft"});
  cat_setup::cmdSavePortSettings_Click(p);
  EXPECT_EQ(FileBytes("CATSetup.txt"),
            "4\r\n4800 ,N, 8, 1\r\ncomRTS\r\nElecraft\r\n" + kPortNotes + "Line 4: RigType\r\n");
  EXPECT_FALSE(p.cat.CatSetupChanged);
  EXPECT_EQ(p.cat.CatPortNumber, "");
}

TEST_F(SetupTest, CatSaveThenLoadGivesTheSameSelectionsAndTheSameFile) {
  const CatChoice cases[] = {
      {"4", "4800 ", "N, 8, 1", 2, "Elecraft"},
      {"16", "19200 ", "E, 7, 1", 3, "FT-450"},
      {"1", "300", "O, 7, 1", 1, "Kenwood"},
  };
  for (const CatChoice& c : cases) {
    cat_setup::Form_Load(p);
    Choose(p.catSetup, c);
    cat_setup::cmdSavePortSettings_Click(p);
    const std::string saved = FileBytes("CATSetup.txt");
    cat_setup::Form_Load(p);
    Choose(p.catSetup, {"9", "600", "O, 7, 1", 0, "Kenwood"});
    cat_setup::cmdLoadPortSettings_Click(p);
    EXPECT_EQ(Shown(p.catSetup), c);
    // Loading and saving again must not change a byte (no blanks creeping in).
    cat_setup::cmdSavePortSettings_Click(p);
    EXPECT_EQ(FileBytes("CATSetup.txt"), saved);
  }
}

struct CatLoadCase {
  const char* what;
  std::string file;
  CatChoice shown;  // starting from {"9", "600", "O, 7, 1", 3, "FT-450"}
};

TEST_F(SetupTest, CatLoadTakesLinesOneToFour) {
  const CatLoadCase cases[] = {
      {"example",
       "4\r\n4800,N, 8, 1\r\ncomNone\r\nKenwood\r\n",
       {"4", "4800", "N, 8, 1", 0, "Kenwood"}},
      {"no blanks in the format",
       "2\r\n9600,E,7,1\r\ncomRTS\r\nElecraft\r\n",
       {"2", "9600", "E, 7, 1", 2, "Elecraft"}},
      {"speed keeps its blank",
       "10\r\n19200 ,O, 7, 1\r\ncomXonXoff\r\nFT-450\r\n",
       {"10", "19200 ", "O, 7, 1", 1, "FT-450"}},
      {"LF only",
       "3\n2400,N,8,1\ncomRTSXonXoff\nElecraft",
       {"3", "2400", "N, 8, 1", 3, "Elecraft"}},
      {"unknown handshake",
       "3\r\n2400,N,8,1\r\ncomrts\r\nKenwood\r\n",
       {"3", "2400", "N, 8, 1", 0, "Kenwood"}},
      {"format incomplete",
       "3\r\n2400,N\r\ncomRTS\r\nKenwood\r\n",
       {"3", "2400", "O, 7, 1", 2, "Kenwood"}},
      {"speed only", "3\r\n1200\r\n", {"3", "1200", "O, 7, 1", 3, "FT-450"}},
      {"no rig type", "3\r\n2400,N,8,1\r\ncomRTS\r\n", {"3", "2400", "N, 8, 1", 2, "FT-450"}},
      {"only line 1", "7\r\n", {"7", "600", "O, 7, 1", 3, "FT-450"}},
      {"empty file", "", {"9", "600", "O, 7, 1", 3, "FT-450"}},
      {"junk", ",,,,,\r\n,,,,,\r\n\x7f\r\n\r\nmore\r\n", {",,", "600", "O, 7, 1", 0, "FT-450"}},
  };
  for (const CatLoadCase& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFileBytes("CATSetup.txt", c.file);
    cat_setup::Form_Load(p);
    Choose(p.catSetup, {"9", "600", "O, 7, 1", 3, "FT-450"});
    cat_setup::cmdLoadPortSettings_Click(p);
    EXPECT_EQ(Shown(p.catSetup), c.shown);
    EXPECT_FALSE(p.cat.CatSetupChanged);
  }
}

TEST_F(SetupTest, CatLoadWithoutFileSaysSoAndChangesNothing) {
  cat_setup::Form_Load(p);
  Choose(p.catSetup, {"9", "600", "O, 7, 1", 3, "FT-450"});
  cat_setup::cmdLoadPortSettings_Click(p);
  EXPECT_EQ(Shown(p.catSetup), (CatChoice{"9", "600", "O, 7, 1", 3, "FT-450"}));
  EXPECT_EQ(p.main.txtInfo.text, "CATSetup.txt not found");
}

}  // namespace
}  // namespace qd::test
