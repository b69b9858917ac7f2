// The toolkit-free control model: plain structs with the properties the panel
// uses. Behaviour is written against these; the Qt views only copy them onto
// widgets. Setting a property never runs an event handler.
#pragma once

#include <string>
#include <vector>

#include "controls/colours.h"

namespace qd {

struct Control {
  std::string name;  // the control's name; arrays carry the index: "cmdF(3)"
  bool enabled = true;
  bool visible = true;
  std::string toolTip;
  Colour backColour = colour::kButtonFace;
  Colour foreColour = colour::kButtonText;
  bool bold = false;
  std::string fontName;  // empty: the window's font
  int fontSize = 0;      // points; 0: the window's size
  // Size in twips as the window shows it (the view keeps these current).
  int width = 0;
  int height = 0;
};

struct Button : Control {
  std::string caption;  // keeps "&" access-key markers: "&XMT ON"
};

struct Label : Control {
  std::string caption;
  Label() { backColour = colour::kButtonFace; }
};

struct TextBox : Control {
  std::string text;
  bool multiLine = false;
  bool locked = false;
  TextBox() {
    backColour = colour::kWindowBackground;
    foreColour = colour::kWindowText;
  }
};

struct ComboBox : Control {
  std::string text;  // any text, listed or not
  std::vector<std::string> items;
  ComboBox() {
    backColour = colour::kWindowBackground;
    foreColour = colour::kWindowText;
  }
};

struct ListBox : Control {
  std::vector<std::string> items;
  int listIndex = -1;
  ListBox() {
    backColour = colour::kWindowBackground;
    foreColour = colour::kWindowText;
  }
};

struct OptionButton : Control {
  std::string caption;
  bool value = false;  // selected; the model keeps a group's exclusivity
};

struct CheckBox : Control {
  std::string caption;
  int value = 0;  // 0 clear, 1 checked
};

struct Frame : Control {
  std::string caption;
};

// A vertical scroll bar; `min` is the top end and may be above `max`.
struct ScrollBar : Control {
  int min = 0;
  int max = 100;
  int value = 0;
  int smallChange = 1;
  int largeChange = 10;
};

struct Shape : Control {
  Colour fillColour = colour::kGreyText;
  Colour borderColour = colour::kBlack;
  bool circle = true;
};

struct ProgressBar : Control {
  int min = 0;
  int max = 100;
  int value = 0;
};

struct MenuEntry : Control {
  std::string caption;  // keeps "&" markers
  bool checked = false;
};

struct Timer {
  std::string name;
  int intervalMs = 0;
  bool enabled = false;
};

// Selects option `index` of a group and clears the others.
template <typename Group>
void SelectOption(Group& group, int index) {
  for (std::size_t i = 0; i < group.size(); ++i) group[i].value = (static_cast<int>(i) == index);
}

// Index of the selected option of a group, or -1.
template <typename Group>
int SelectedOption(const Group& group) {
  for (std::size_t i = 0; i < group.size(); ++i)
    if (group[i].value) return static_cast<int>(i);
  return -1;
}

}  // namespace qd
