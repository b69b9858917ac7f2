#include "gui_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>

#include <cstdlib>

#include "link/events.h"

// The desktop's font library keeps a cache it never frees; that is not ours
// to fix, and the sanitizer build must not fail every view test over it.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

namespace qd::test {

void EnsureApplication() {
  if (QApplication::instance()) return;
  // Offscreen Qt's own screen is 800x800; the panel is meant for 1366x768.
  const QString config = QDir::temp().filePath("qd6250-gui-test-screen.json");
  QFile f(config);
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
    f.write(R"({"screens":[{"name":"Test","x":0,"y":0,"width":1366,"height":768,)"
            R"("logicalDpi":96,"logicalBpi":96,"dpr":1}]})");
  f.close();
  qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
  static int argc = 1;
  static char name[] = "test_gui";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
  QApplication::setStyle("Fusion");
}

std::string ScreenshotFolder() {
  const char* bin = std::getenv("QD6250_BIN_DIR");
  QDir dir(bin ? QString(bin) + "/.." : QDir::currentPath());
  dir.mkpath("screenshots");
  return dir.filePath("screenshots").toStdString();
}

GuiTest::GuiTest() {
  EnsureApplication();
  program = std::make_unique<Program>(clock, windowing, radio, cat);
  windowing.Attach(*program);
}

GuiTest::~GuiTest() {
  // Views go before the model they point into.
  for (const char* form : {"frmPortSetup", "frmCATSetup", "frmHelp"}) {
    auto it = program->forms.find(form);
    if (it != program->forms.end() && windowing.View(form)) windowing.HideForm(*it->second.form);
  }
}

QObject* GuiTest::Find(const std::string& control, const std::string& form) const {
  QWidget* window = windowing.View(form);
  if (!window) return nullptr;
  return window->findChild<QObject*>(QString::fromStdString(control));
}

void GuiTest::Record(const std::string& control, const std::string& event,
                     const std::string& form) {
  OnAction(
      *program, control, event, [this](Program&, const Action& a) { handled.push_back(a); }, form);
}

void GuiTest::Yield() {
  DoEvents(*program, 0);
  while (!program->actions.Empty()) DoEvents(*program, 0);
}

}  // namespace qd::test
