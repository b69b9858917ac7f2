// Widget events become Actions that reach the registered handlers at the next
// yield, and only then; windows' close boxes and the signal pipe ask to unload.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <unistd.h>

#include "gui_fixture.h"
#include "link/events.h"

namespace qd::test {
namespace {

void Press(QWidget* w, Qt::MouseButton b, QEvent::Type type) {
  const QPointF at = QRectF(w->rect()).center();
  QMouseEvent e(type, at, w->mapToGlobal(at), b,
                type == QEvent::MouseButtonRelease ? Qt::NoButton : b, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

void ClickWith(QWidget* w, Qt::MouseButton b) {
  Press(w, b, QEvent::MouseButtonPress);
  Press(w, b, QEvent::MouseButtonRelease);
}

std::string Describe(const Action& a) {
  std::string s = a.form + ":" + a.control + " " + a.event;
  if (a.button) s += " button " + std::to_string(a.button);
  if (a.text) s += " text " + *a.text;
  return s;
}

TEST_F(GuiTest, MouseOnDigitButtonsReportsWhichButton) {
  program->main.cmdPTT.enabled = true;
  windowing.ShowForm(program->main);
  Record("cmdF", "MouseDown");
  Record("cmdF", "MouseUp");
  Record("cmdF", "Click");
  Record("cmdVFOB", "MouseDown");
  Record("cmdPTT", "MouseDown");
  Record("cmdPTT", "MouseUp");
  ClickWith(As<QWidget>("cmdF(4)"), Qt::RightButton);
  ClickWith(As<QWidget>("cmdF(0)"), Qt::LeftButton);
  ClickWith(As<QWidget>("cmdVFOB(6)"), Qt::RightButton);
  Press(As<QWidget>("cmdPTT"), Qt::LeftButton, QEvent::MouseButtonPress);
  Yield();
  Press(As<QWidget>("cmdPTT"), Qt::LeftButton, QEvent::MouseButtonRelease);
  Yield();
  std::vector<std::string> seen;
  for (const Action& a : handled) seen.push_back(Describe(a));
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "frmQD6250:cmdF(4) MouseDown button 2",
                      "frmQD6250:cmdF(4) MouseUp button 2",
                      "frmQD6250:cmdF(0) MouseDown button 1",
                      "frmQD6250:cmdF(0) MouseUp button 1",
                      "frmQD6250:cmdF(0) Click",
                      "frmQD6250:cmdVFOB(6) MouseDown button 2",
                      "frmQD6250:cmdPTT MouseDown button 1",
                      "frmQD6250:cmdPTT MouseUp button 1",
                  }));
}

TEST_F(GuiTest, ClicksChoicesAndMenusReachTheirHandlers) {
  program->main.cmdXmit.enabled = true;
  for (auto& o : program->main.optMeter) o.enabled = true;
  windowing.ShowForm(program->main);
  for (const char* c :
       {"cmdXmit", "cmd160M", "cmbMode", "optMeter", "optTXVFO", "mnuPortSetup", "mnuFileExit"})
    Record(c, "Click");
  As<QPushButton>("cmdXmit")->click();
  As<QPushButton>("cmd160M")->click();
  auto* mode = As<QComboBox>("cmbMode");
  emit mode->activated(1);
  As<QRadioButton>("optMeter(3)")->click();
  As<QAction>("mnuPortSetup")->trigger();
  As<QAction>("mnuFileExit")->trigger();
  EXPECT_TRUE(handled.empty()) << "handlers run at the yield, not inside Qt";
  Yield();
  std::vector<std::string> seen;
  for (const Action& a : handled) seen.push_back(Describe(a));
  EXPECT_EQ(seen, (std::vector<std::string>{
                      "frmQD6250:cmdXmit Click", "frmQD6250:cmd160M Click",
                      "frmQD6250:cmbMode Click text LSB", "frmQD6250:optMeter(3) Click",
                      "frmQD6250:mnuPortSetup Click", "frmQD6250:mnuFileExit Click"}));
  // The model took the widgets' values before its handlers ran.
  EXPECT_EQ(program->main.cmbMode.text, "LSB");
  EXPECT_EQ(SelectedOption(program->main.optMeter), 3);
}

TEST_F(GuiTest, TheModelKeepsAnOptionGroupExclusive) {
  windowing.ShowForm(program->main);
  // A handler that refuses the click puts the first option back, as split
  // does when the modes differ.
  OnAction(*program, "optTXVFO", "Click",
           [](Program& p, const Action&) { SelectOption(p.main.optTXVFO, 0); });
  As<QRadioButton>("optTXVFO(1)")->click();
  Yield();
  windowing.Repaint();
  EXPECT_TRUE(As<QRadioButton>("optTXVFO(0)")->isChecked());
  EXPECT_FALSE(As<QRadioButton>("optTXVFO(1)")->isChecked());
  // A group may have no option selected at all.
  SelectOption(program->main.optMeter, -1);
  windowing.Repaint();
  for (int i = 0; i < 6; ++i)
    EXPECT_FALSE(As<QRadioButton>("optMeter(" + std::to_string(i) + ")")->isChecked());
}

TEST_F(GuiTest, RepaintQueuesInputWithoutRunningIt) {
  windowing.ShowForm(program->main);
  Record("cmdGetStatus", "Click");
  As<QPushButton>("cmdGetStatus")->click();
  windowing.Repaint();
  EXPECT_TRUE(handled.empty());
  EXPECT_FALSE(program->actions.Empty());
  Yield();
  EXPECT_EQ(handled.size(), 1u);
}

TEST_F(GuiTest, ADisabledControlTakesNoInput) {
  windowing.ShowForm(program->main);  // transmit stays disabled until the radio is set up
  Record("cmdXmit", "Click");
  As<QPushButton>("cmdXmit")->click();
  Yield();
  EXPECT_TRUE(handled.empty());
  program->main.cmdXmit.enabled = true;
  windowing.Repaint();
  As<QPushButton>("cmdXmit")->click();
  Yield();
  EXPECT_EQ(handled.size(), 1u);
}

TEST_F(GuiTest, TheWindowSeesKeysBeforeItsControls) {
  windowing.ShowForm(program->main);
  Record("Form", "KeyDown");
  auto* step = As<QComboBox>("cmbStepSize");
  step->setFocus();
  QApplication::setActiveWindow(windowing.mainView());
  struct Case {
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
  };
  for (const Case& c :
       {Case{Qt::Key_I, Qt::NoModifier, "i"}, Case{Qt::Key_D, Qt::ShiftModifier, "D"},
        Case{Qt::Key_F1, Qt::ControlModifier, ""}}) {
    QKeyEvent e(QEvent::KeyPress, c.key, c.modifiers, c.text);
    QApplication::sendEvent(QApplication::focusWidget() ? QApplication::focusWidget() : step, &e);
  }
  Yield();
  ASSERT_EQ(handled.size(), 3u) << "each key once, however far it propagates";
  EXPECT_EQ(handled[0].keyCode, 73);
  EXPECT_EQ(handled[1].keyCode, 68);
  EXPECT_EQ(handled[1].shift, 1);
  EXPECT_EQ(handled[2].keyCode, 112);
  EXPECT_EQ(handled[2].shift, 2);
  // The tuning keys type nothing into the step size box.
  EXPECT_EQ(step->currentText(), "OFF");
  EXPECT_EQ(program->main.cmbStepSize.text, "OFF");
}

TEST_F(GuiTest, ClosingAWindowAsksItsFormToUnload) {
  windowing.ShowForm(program->main);
  windowing.ShowForm(program->help);
  windowing.ShowForm(program->portSetup);
  Record("unload", "Unload");
  Record("unload", "Unload", "frmHelp");
  Record("unload", "Unload", "frmPortSetup");
  windowing.mainView()->close();
  windowing.View("frmHelp")->close();
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(windowing.View("frmPortSetup"), &escape);
  Yield();
  ASSERT_EQ(handled.size(), 3u);
  EXPECT_EQ(handled[0].form, "frmQD6250");
  EXPECT_EQ(handled[1].form, "frmHelp");
  EXPECT_EQ(handled[2].form, "frmPortSetup");
  EXPECT_TRUE(windowing.mainView()->isVisible()) << "only the core ends the program";
}

// An idle yield sleeps; each of these must end the sleep (a failure hangs).
TEST_F(GuiTest, AnIdleYieldWakesForItsDeadlineInputOrASignal) {
  windowing.ShowForm(program->main);
  DoEvents(*program, 0.02);  // nothing pending: back when the deadline passes

  Record("cmdGetStatus", "Click");
  QTimer::singleShot(0, [this] { As<QPushButton>("cmdGetStatus")->click(); });
  while (handled.empty()) DoEvents(*program, 30.0);
  EXPECT_EQ(handled[0].control, "cmdGetStatus");

  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  windowing.WatchSignalPipe(fds[0]);
  Record("unload", "Unload");
  ASSERT_EQ(::write(fds[1], "\1\1", 2), 2);  // two signals, one request each time it wakes
  while (handled.size() < 2) DoEvents(*program, 30.0);
  EXPECT_EQ(handled[1].form, "frmQD6250");
  EXPECT_EQ(handled[1].control, "unload");
  ::close(fds[1]);
}

TEST_F(GuiTest, DialogControlsPostUnderTheirForm) {
  windowing.ShowForm(program->portSetup);
  Record("cmdApply", "Click", "frmPortSetup");
  Record("cmbSelectBaudRate", "Change", "frmPortSetup");
  As<QPushButton>("cmdApply", "frmPortSetup")->click();
  auto* baud = As<QComboBox>("cmbSelectBaudRate", "frmPortSetup");
  baud->lineEdit()->setText("");
  QKeyEvent key(QEvent::KeyPress, Qt::Key_4, Qt::NoModifier, "4");
  QApplication::sendEvent(baud->lineEdit(), &key);
  Yield();
  ASSERT_EQ(handled.size(), 2u);
  EXPECT_EQ(Describe(handled[0]), "frmPortSetup:cmdApply Click");
  EXPECT_EQ(Describe(handled[1]), "frmPortSetup:cmbSelectBaudRate Change text 4");
  EXPECT_EQ(program->portSetup.cmbSelectBaudRate.text, "4");
}

TEST_F(GuiTest, MessageBoxReturnsWhenClosed) {
  windowing.ShowForm(program->main);
  QString shown;
  QTimer::singleShot(0, [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
        shown = box->text();
        box->button(QMessageBox::Ok)->click();
      }
  });
  windowing.MessageBox("Modes must be same for Split", "QD-6250");
  EXPECT_EQ(shown, "Modes must be same for Split");
}

TEST_F(GuiTest, FileDialogsAnswerAPathOrNothing) {
  windowing.ShowForm(program->main);
  const QString dir = QDir::temp().filePath("qd6250-gui-file-dialog");
  QDir().mkpath(dir);
  FileDialogOptions o;
  o.title = "Save Channel List";
  o.filter = "Text files|*.txt|All files|*.*";
  o.defaultExtension = "txt";
  o.initialName = (dir + "/Channel List").toStdString();
  auto answer = [](bool accept) {
    QTimer::singleShot(0, [accept] {
      for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* d = qobject_cast<QFileDialog*>(w); d && d->isVisible())
          accept ? static_cast<QDialog*>(d)->accept() : d->reject();
    });
  };
  answer(true);
  auto saved = windowing.FileSaveDialog(o);
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(*saved, (dir + "/Channel List.txt").toStdString());
  answer(false);
  EXPECT_FALSE(windowing.FileOpenDialog(o).has_value());
}

TEST(QtFileFilter, TurnsPairsIntoQtFilters) {
  struct Case {
    const char* in;
    const char* out;
  };
  for (const Case& c : {Case{"Text files|*.txt", "Text files (*.txt)"},
                        Case{"Text|*.txt|All|*.*", "Text (*.txt);;All (*.*)"},
                        Case{"Lists|*.txt;*.lst", "Lists (*.txt *.lst)"}, Case{"", ""}})
    EXPECT_EQ(gui::QtFileFilter(c.in).toStdString(), c.out) << c.in;
}

}  // namespace
}  // namespace qd::test
