// Turns the panel's colours (0x00BBGGRR values or desktop system colours) into
// Qt colours and applies them to a widget's palette. Used by the control binding.
#pragma once

#include <QColor>
#include <QPalette>

#include "controls/colours.h"

class QWidget;

namespace qd::gui {

// The Qt colour of a panel colour; system colours come from `palette`.
QColor ToQColor(Colour c, const QPalette& palette);

// Sets the background and text roles of a widget to the panel's colours.
void ApplyColours(QWidget& widget, QPalette::ColorRole backRole, Colour back,
                  QPalette::ColorRole foreRole, Colour fore);

}  // namespace qd::gui
