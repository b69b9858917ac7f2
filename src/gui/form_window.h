// Keeps a top-level window in step with its Form: caption, position and size
// in twips, shown or hidden, enabled. The window's own moves and resizes are
// written back so the settings file saves where the operator left it.
#pragma once

#include <optional>
#include <vector>

#include "controls/form.h"

class QSize;
class QWidget;

namespace qd::gui {

class FormWindow {
 public:
  // `inputArea` is what a disabled form greys (the whole window when null).
  FormWindow(Form& form, QWidget& window, QWidget* inputArea = nullptr);
  void AddInputArea(QWidget* area);
  void Sync();
  Form& form() { return form_; }

 private:
  void NoteGeometry();
  QSize FittedSize() const;
  Form& form_;
  QWidget& window_;
  std::vector<QWidget*> inputAreas_;
  std::optional<Form> last_;
};

}  // namespace qd::gui
