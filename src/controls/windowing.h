// The windowing seam. Core code asks it to pump the toolkit (which only posts
// actions to the queue), to repaint without delivering anything, to beep, and
// for message boxes, file dialogs and the help viewer. The core's own yield
// (link/events) runs the queued actions and the ports' events afterwards, so
// QtWindowing and the tests' ScriptedWindowing share one delivery order.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "controls/actions.h"
#include "controls/form.h"

namespace qd {

struct FileDialogOptions {
  std::string title;
  std::string filter;  // "Text files|*.txt" pairs, as the dialogs name them
  int filterIndex = 1;
  std::string defaultExtension;
  std::string initialName;
};

struct ScreenSize {
  int width = 0;   // twips
  int height = 0;  // twips
};

class Windowing {
 public:
  virtual ~Windowing() = default;

  // Brings the windows up to date with the model, lets the toolkit process its
  // input (posting actions to `queue`), and, when nothing is pending, sleeps up
  // to maxWaitSeconds or until one of wakeFds is readable or input arrives.
  virtual void Pump(ActionQueue& queue, double maxWaitSeconds, std::span<const int> wakeFds) = 0;
  // Brings the windows up to date and paints them; posts and delivers nothing.
  virtual void Repaint() = 0;
  virtual void Beep() = 0;
  // Shows an OK-only message box and returns when it is closed.
  virtual void MessageBox(const std::string& text, const std::string& title) = 0;
  // Makes a form's window appear or go; `form.visible` says which.
  virtual void ShowForm(Form& form) = 0;
  virtual void HideForm(Form& form) = 0;
  // File dialogs: the chosen path, or nullopt when cancelled.
  virtual std::optional<std::string> FileOpenDialog(const FileDialogOptions& options) = 0;
  virtual std::optional<std::string> FileSaveDialog(const FileDialogOptions& options) = 0;
  // Opens a file with the desktop's default handler; false when that failed.
  virtual bool OpenWithDesktop(const std::string& path) = 0;
  virtual ScreenSize Screen() = 0;
};

}  // namespace qd
