#include "gui/panel_widgets.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace qd::gui {

namespace {

int PanelMouseButton(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

}  // namespace

int ShiftMask(Qt::KeyboardModifiers m) {
  return (m.testFlag(Qt::ShiftModifier) ? 1 : 0) | (m.testFlag(Qt::ControlModifier) ? 2 : 0) |
         (m.testFlag(Qt::AltModifier) ? 4 : 0);
}

int PanelKeyCode(int qtKey) {
  // Letters, digits and the space bar carry their ASCII codes in both.
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) ||
      qtKey == Qt::Key_Space)
    return qtKey;
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return 112 + (qtKey - Qt::Key_F1);
  switch (qtKey) {
    case Qt::Key_Backspace:
      return 8;
    case Qt::Key_Tab:
      return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      return 13;
    case Qt::Key_Shift:
      return 16;
    case Qt::Key_Control:
      return 17;
    case Qt::Key_Alt:
      return 18;
    case Qt::Key_Escape:
      return 27;
    case Qt::Key_PageUp:
      return 33;
    case Qt::Key_PageDown:
      return 34;
    case Qt::Key_End:
      return 35;
    case Qt::Key_Home:
      return 36;
    case Qt::Key_Left:
      return 37;
    case Qt::Key_Up:
      return 38;
    case Qt::Key_Right:
      return 39;
    case Qt::Key_Down:
      return 40;
    case Qt::Key_Insert:
      return 45;
    case Qt::Key_Delete:
      return 46;
    default:
      return 0;
  }
}

void PanelButton::mousePressEvent(QMouseEvent* e) {
  if (int b = PanelMouseButton(e->button()); b != 0 && isEnabled())
    emit mouseDown(b, ShiftMask(e->modifiers()));
  // Only the left button presses the button visually and clicks it.
  QPushButton::mousePressEvent(e);
}

void PanelButton::mouseReleaseEvent(QMouseEvent* e) {
  if (int b = PanelMouseButton(e->button()); b != 0 && isEnabled())
    emit mouseUp(b, ShiftMask(e->modifiers()));
  QPushButton::mouseReleaseEvent(e);
}

void PanelButton::contextMenuEvent(QContextMenuEvent* e) {
  // The right button steps a digit down; it opens no menu.
  e->accept();
}

OptionWidget::OptionWidget(QWidget* parent) : QRadioButton(parent) {
  setAutoExclusive(false);
}

ShapeView::ShapeView(QWidget* parent) : QWidget(parent) {
  setMinimumSize(12, 12);
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ShapeView::setColours(const QColor& fill, const QColor& border) {
  fill_ = fill;
  border_ = border;
  update();
}

void ShapeView::setCircle(bool circle) {
  circle_ = circle;
  update();
}

void ShapeView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(border_, 1.2));
  p.setBrush(fill_);
  const QRectF r = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  if (circle_) {
    const qreal d = std::min(r.width(), r.height());
    p.drawEllipse(QRectF(r.center().x() - d / 2, r.center().y() - d / 2, d, d));
  } else {
    p.drawRect(r);
  }
}

MeterBar::MeterBar(QWidget* parent) : QWidget(parent) {
  setMinimumSize(120, 16);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void MeterBar::setRange(int min, int max) {
  min_ = min;
  max_ = max;
  update();
}

void MeterBar::setValue(int value) {
  value_ = value;
  update();
}

void MeterBar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect frame = rect().adjusted(0, 0, -1, -1);
  p.fillRect(frame, QColor(24, 28, 24));
  p.setPen(palette().color(QPalette::Mid));
  p.drawRect(frame);
  const int span = max_ - min_;
  if (span <= 0) return;
  const int segments = span;
  const QRectF inner = QRectF(frame).adjusted(2, 2, -1, -1);
  const qreal w = inner.width() / segments;
  const int lit = std::clamp(value_ - min_, 0, segments);
  for (int i = 0; i < segments; ++i) {
    QColor c = (i * 3 < segments * 2) ? QColor(60, 200, 70) : QColor(230, 60, 40);
    if (i >= lit || !isEnabled()) c = c.darker(isEnabled() ? 400 : 600);
    p.fillRect(QRectF(inner.left() + i * w, inner.top(), w - 1.5, inner.height()), c);
  }
}

}  // namespace qd::gui
