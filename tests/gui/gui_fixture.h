// Shared set-up of the view tests: one offscreen QApplication with a
// 1366x768 screen at 96 dpi, and a Program on virtual time and fake ports
// whose windowing is the real QtWindowing.
#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QWidget>

#include <ostream>

#include <memory>
#include <string>

#include "gui/main_window_view.h"
#include "gui/qt_windowing.h"
#include "program.h"
#include "support/fake_serial_port.h"
#include "support/virtual_clock.h"

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

namespace qd::test {

// Creates the application once per test program.
void EnsureApplication();

// Where screenshots go: screenshots/ beside the build's bin folder.
std::string ScreenshotFolder();

class GuiTest : public ::testing::Test {
 protected:
  GuiTest();
  ~GuiTest() override;

  // The widget or menu action bound to a control of a form's window.
  QObject* Find(const std::string& control, const std::string& form = "frmQD6250") const;
  template <typename W>
  W* As(const std::string& control, const std::string& form = "frmQD6250") const {
    return qobject_cast<W*>(Find(control, form));
  }
  // Records every action that reaches a handler, as "control event".
  void Record(const std::string& control, const std::string& event, const std::string& form = "");
  // Runs DoEvents until the queue is empty (Qt needs a pass to deliver).
  void Yield();

  VirtualClock clock;
  FakeSerialPort radio{clock};
  FakeSerialPort cat{clock};
  gui::QtWindowing windowing;
  std::unique_ptr<Program> program;
  std::vector<Action> handled;
};

}  // namespace qd::test
