// Small widgets of the panel that Qt does not offer as such: a push button that
// reports both mouse buttons, an option button whose group the model keeps
// exclusive, the round or square indicator shape and the meter bar.
#pragma once

#include <QColor>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

namespace qd::gui {

// Reports presses and releases of the left (1) and right (2) mouse buttons;
// a left click or the access key still emits clicked().
class PanelButton : public QPushButton {
  Q_OBJECT
 public:
  using QPushButton::QPushButton;

 signals:
  void mouseDown(int button, int shift);
  void mouseUp(int button, int shift);

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
};

// An option button that stays selected when clicked again and never clears
// its siblings: the model decides which option of a group is selected.
class OptionWidget : public QRadioButton {
  Q_OBJECT
 public:
  explicit OptionWidget(QWidget* parent = nullptr);

 protected:
  void nextCheckState() override { setChecked(true); }
};

// An indicator lamp: a filled circle or rectangle with a border.
class ShapeView : public QWidget {
  Q_OBJECT
 public:
  explicit ShapeView(QWidget* parent = nullptr);
  void setColours(const QColor& fill, const QColor& border);
  void setCircle(bool circle);
  QSize sizeHint() const override { return {18, 18}; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QColor fill_ = Qt::gray;
  QColor border_ = Qt::black;
  bool circle_ = true;
};

// The meter: a horizontal bar of segments from min to max, green up to two
// thirds of the range and red beyond.
class MeterBar : public QWidget {
  Q_OBJECT
 public:
  explicit MeterBar(QWidget* parent = nullptr);
  void setRange(int min, int max);
  void setValue(int value);
  int value() const { return value_; }
  QSize sizeHint() const override { return {260, 22}; }

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  int min_ = 0;
  int max_ = 100;
  int value_ = 0;
};

// The panel's shift mask of a Qt modifier set: 1 shift, 2 control, 4 alt.
int ShiftMask(Qt::KeyboardModifiers m);

// The desktop key code of a Qt key ("I" is 73, F1 112), or 0 for keys it has none for.
int PanelKeyCode(int qtKey);

}  // namespace qd::gui
