// The Windowing seam over Qt Widgets. A pump syncs every view from its model,
// lets Qt process input (widgets only post Actions to the program's queue) and,
// when nothing is pending, sleeps in Qt's event dispatcher until input, a port's
// descriptor, the signal pipe or the deadline wakes it. Message boxes and file
// dialogs are shown modal to the application and waited for from core code,
// never through QDialog::exec.
#pragma once

#include <QPointer>
#include <QTimer>

#include <map>
#include <memory>
#include <string>

#include "controls/windowing.h"

class QSocketNotifier;
class QWidget;

namespace qd {
struct Program;
}

namespace qd::gui {

class DialogView;
class MainWindowView;

class QtWindowing : public Windowing {
 public:
  QtWindowing();  // needs a QApplication
  ~QtWindowing() override;
  QtWindowing(const QtWindowing&) = delete;
  QtWindowing& operator=(const QtWindowing&) = delete;

  // Builds the main window over the program's model; call once, before the
  // program runs. Widgets post to the program's action queue from then on.
  void Attach(Program& program);
  // Posts "unload" to the main window whenever `fd` becomes readable (the
  // read end of the SIGINT/SIGTERM self-pipe); the bytes are drained.
  void WatchSignalPipe(int fd);

  MainWindowView* mainView() const { return main_.get(); }
  // The window of a loaded form, or nullptr.
  QWidget* View(const std::string& formName) const;

  void Pump(ActionQueue& queue, double maxWaitSeconds, std::span<const int> wakeFds) override;
  void Repaint() override;
  void Beep() override;
  void MessageBox(const std::string& text, const std::string& title) override;
  void ShowForm(Form& form) override;
  void HideForm(Form& form) override;
  std::optional<std::string> FileOpenDialog(const FileDialogOptions& options) override;
  std::optional<std::string> FileSaveDialog(const FileDialogOptions& options) override;
  bool OpenWithDesktop(const std::string& path) override;
  ScreenSize Screen() override;

 private:
  void Post(Action a);
  void SyncViews();
  void WaitWhileVisible(QWidget& window);
  std::optional<std::string> RunFileDialog(const FileDialogOptions& options, bool save);

  Program* program_ = nullptr;
  ActionQueue* queue_ = nullptr;
  std::unique_ptr<MainWindowView> main_;
  std::map<std::string, std::unique_ptr<DialogView>> dialogs_;
  std::unique_ptr<QSocketNotifier> signalNotifier_;
  QTimer deadline_;
};

// Qt's form of a file-dialog filter: "Text files|*.txt|All|*.*" becomes
// "Text files (*.txt);;All (*.*)".
QString QtFileFilter(const std::string& filter);

}  // namespace qd::gui
