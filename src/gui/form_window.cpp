#include "gui/form_window.h"

#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace qd::gui {

FormWindow::FormWindow(Form& form, QWidget& window, QWidget* inputArea)
    : form_(form), window_(window) {
  if (inputArea) inputAreas_.push_back(inputArea);
}

void FormWindow::AddInputArea(QWidget* area) {
  inputAreas_.push_back(area);
}

void FormWindow::Sync() {
  auto changed = [this](auto Form::*field) { return !last_ || (*last_).*field != form_.*field; };
  if (changed(&Form::caption)) window_.setWindowTitle(QString::fromStdString(form_.caption));
  if (changed(&Form::enabled)) {
    // Only the window's contents are disabled: a dialog owned by this window
    // must stay usable while it is open.
    if (inputAreas_.empty()) window_.setEnabled(form_.enabled);
    for (QWidget* w : inputAreas_) w->setEnabled(form_.enabled);
  }
  if ((changed(&Form::left) || changed(&Form::top)) && (form_.left != 0 || form_.top != 0))
    window_.move(form_.left / kTwipsPerPixel, form_.top / kTwipsPerPixel);
  if ((changed(&Form::width) || changed(&Form::height)) && form_.width > 0 && form_.height > 0)
    window_.resize(FittedSize());
  if (changed(&Form::visible) && form_.visible != window_.isVisible()) {
    if (form_.visible) {
      window_.show();
      window_.raise();
      window_.activateWindow();
    } else {
      window_.hide();
    }
  }
  NoteGeometry();
  last_ = form_;
}

QSize FormWindow::FittedSize() const {
  QSize size(form_.width / kTwipsPerPixel, form_.height / kTwipsPerPixel);
  const QScreen* screen = window_.screen();
  if (!screen) return size;
  // A designed size beyond the screen (a small laptop, a taskbar) is cut to
  // what the screen can show with the window's frame; before the window is
  // shown its frame is unknown, so a title bar's height is allowed for.
  constexpr int kTitleAllowance = 32;
  const QRect available = screen->availableGeometry();
  const int frameWidth = window_.frameGeometry().width() - window_.width();
  const int frameHeight =
      std::max(window_.frameGeometry().height() - window_.height(), kTitleAllowance);
  return size.boundedTo(QSize(available.width() - frameWidth, available.height() - frameHeight));
}

void FormWindow::NoteGeometry() {
  if (!window_.isVisible()) return;
  const QRect frame = window_.frameGeometry();
  form_.left = frame.x() * kTwipsPerPixel;
  form_.top = frame.y() * kTwipsPerPixel;
  form_.width = window_.width() * kTwipsPerPixel;
  form_.height = window_.height() * kTwipsPerPixel;
}

}  // namespace qd::gui
