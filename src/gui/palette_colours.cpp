#include "gui/palette_colours.h"

#include <QApplication>
#include <QWidget>

namespace qd::gui {

QColor ToQColor(Colour c, const QPalette& palette) {
  if (!IsSystemColour(c)) return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
  switch (SystemColourIndex(c)) {
    case 5:  // window background
      return palette.color(QPalette::Active, QPalette::Base);
    case 8:  // window text
      return palette.color(QPalette::Active, QPalette::Text);
    case 15:  // button face
      return palette.color(QPalette::Active, QPalette::Button);
    case 17:  // grey text
      return palette.color(QPalette::Disabled, QPalette::WindowText);
    case 18:  // button text
      return palette.color(QPalette::Active, QPalette::ButtonText);
    default:
      return palette.color(QPalette::Active, QPalette::WindowText);
  }
}

void ApplyColours(QWidget& widget, QPalette::ColorRole backRole, Colour back,
                  QPalette::ColorRole foreRole, Colour fore) {
  // System colours are read from the application's palette, not from one the
  // widget already had painted over.
  const QPalette base = QApplication::palette(&widget);
  QPalette pal = widget.palette();
  // Button face behind a label or frame is the window's own background.
  const bool faceAsWindow = back == colour::kButtonFace && backRole == QPalette::Window;
  const QColor b =
      faceAsWindow ? base.color(QPalette::Active, QPalette::Window) : ToQColor(back, base);
  const QColor f = ToQColor(fore, base);
  for (auto group : {QPalette::Active, QPalette::Inactive}) {
    pal.setColor(group, backRole, b);
    pal.setColor(group, foreRole, f);
  }
  // A disabled control keeps its background but greys its text.
  pal.setColor(QPalette::Disabled, backRole, b);
  widget.setPalette(pal);
}

}  // namespace qd::gui
