// The whole panel on the real Qt front: start-up against the simulated radio
// in virtual time, then a look at the window it leaves (saved as a screenshot).
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include <unistd.h>

#include <cstdlib>

#include "gui_fixture.h"
#include "link/startup.h"
#include "platform/errors.h"
#include "support/sim_peer.h"

namespace qd::test {
namespace {

struct RunEnd {};

// Qt windowing on virtual time: an idle pump moves the clock to the radio's
// next reply instead of sleeping, and the run ends at a chosen time.
class VirtualTimeWindowing : public gui::QtWindowing {
 public:
  VirtualTimeWindowing(VirtualClock& clock, FakeSerialPort& port, double endAt)
      : clock_(clock), port_(port), endAt_(endAt) {}
  void Pump(ActionQueue& queue, double maxWaitSeconds, std::span<const int>) override {
    if (clock_.Now() >= endAt_) throw RunEnd{};
    gui::QtWindowing::Pump(queue, 0, {});
    if (!queue.Empty()) return;
    double until = clock_.Now() + maxWaitSeconds;
    if (auto due = port_.NextDue()) until = std::min(until, std::max(*due, clock_.Now()));
    clock_.AdvanceTo(std::min(until, endAt_));
  }

 private:
  VirtualClock& clock_;
  FakeSerialPort& port_;
  double endAt_;
};

class PanelRun : public ::testing::Test {
 protected:
  PanelRun() {
    EnsureApplication();
    // Its own working folder and lock folder: nothing of a real run is touched.
    dir_ = QDir::temp().filePath("qd6250-gui-panel-run-" + QString::number(::getpid()));
    QDir().mkpath(dir_);
    previous_ = QDir::currentPath();
    QDir::setCurrent(dir_);
    qputenv("XDG_RUNTIME_DIR", dir_.toUtf8());
    QFile f("PortSetup.txt");
    if (f.open(QIODevice::WriteOnly)) f.write("1\r\n9600 ,O,7,1\r\ncomNone\r\n0\r\n");
  }
  ~PanelRun() override {
    QDir::setCurrent(previous_);
    QDir(dir_).removeRecursively();
  }
  QString dir_;
  QString previous_;
};

TEST_F(PanelRun, StartUpPaintsTheRemotePanel) {
  VirtualClock clock;
  FakeSerialPort radio{clock};
  FakeSerialPort cat{clock};
  sim::SimOptions options;
  options.firmwareType = 3;
  SimPeer peer(options);
  radio.AttachPeer(&peer);
  VirtualTimeWindowing windowing(clock, radio, clock.Now() + 20.0);
  Program p(clock, windowing, radio, cat);
  p.portPresent = [](int n) { return n == 1; };
  windowing.Attach(p);

  EXPECT_THROW(form_Load(p), RunEnd);
  windowing.Repaint();

  auto find = [&](const char* name) { return windowing.mainView()->findChild<QWidget*>(name); };
  EXPECT_EQ(qobject_cast<QLabel*>(find("lblREMOTE"))->text(), "REMOTE");
  std::string digits;
  for (int i = 0; i < 7; ++i)
    digits += qobject_cast<QPushButton*>(find(("cmdF(" + std::to_string(i) + ")").c_str()))
                  ->text()
                  .toStdString();
  EXPECT_EQ("F" + digits, p.status.Text(vocab::Item::Freq));
  EXPECT_TRUE(find("cmdXmit")->isEnabled());
  EXPECT_EQ(windowing.mainView()->windowTitle().toStdString(), p.link.ProgramTitle);
  const QString shot = QString::fromStdString(ScreenshotFolder() + "/main_window_running.png");
  EXPECT_TRUE(windowing.mainView()->grab().save(shot));
}

}  // namespace
}  // namespace qd::test
