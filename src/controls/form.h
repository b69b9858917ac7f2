// A window of the panel (main window or dialog) as the model sees it, and a
// visitor that lets views, the action dispatcher and tests reach every control
// of a form by its name.
#pragma once

#include <string>

#include "controls/controls.h"

namespace qd {

struct Form {
  std::string name;     // "frmQD6250"
  std::string caption;  // window title
  bool enabled = true;
  bool visible = false;
  bool loaded = false;  // ShowModal returns when this becomes false
  // Position and size in twips (15 per pixel at 96 dpi), as the settings file keeps them.
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

constexpr int kTwipsPerPixel = 15;

class ControlVisitor {
 public:
  virtual ~ControlVisitor() = default;
  virtual void Visit(Button&) {}
  virtual void Visit(Label&) {}
  virtual void Visit(TextBox&) {}
  virtual void Visit(ComboBox&) {}
  virtual void Visit(ListBox&) {}
  virtual void Visit(OptionButton&) {}
  virtual void Visit(CheckBox&) {}
  virtual void Visit(Frame&) {}
  virtual void Visit(ScrollBar&) {}
  virtual void Visit(Shape&) {}
  virtual void Visit(ProgressBar&) {}
  virtual void Visit(MenuEntry&) {}
};

// Names the controls of an array "name(i)".
template <typename Array>
void NameArray(Array& array, const std::string& name) {
  for (std::size_t i = 0; i < array.size(); ++i)
    array[i].name = name + "(" + std::to_string(i) + ")";
}

}  // namespace qd
