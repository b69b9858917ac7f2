#include "controls/control_init.h"

namespace qd {

namespace {

template <typename C>
void InitCaptioned(C& c, const char* name, const std::string& caption, const char* toolTip = "") {
  Init(c, name, toolTip);
  c.caption = caption;
}

}  // namespace

void InitForm(Form& f, const char* name, const char* caption, int widthPixels, int heightPixels) {
  f.name = name;
  f.caption = caption;
  f.width = widthPixels * kTwipsPerPixel;
  f.height = heightPixels * kTwipsPerPixel;
}

void Init(Control& c, const char* name, const char* toolTip) {
  c.name = name;
  c.toolTip = toolTip;
}

void InitButton(Button& b, const char* name, const std::string& caption, const char* toolTip) {
  InitCaptioned(b, name, caption, toolTip);
}

void InitLabel(Label& l, const char* name, const std::string& caption, const char* toolTip) {
  InitCaptioned(l, name, caption, toolTip);
}

void InitFrame(Frame& f, const char* name, const std::string& caption) {
  InitCaptioned(f, name, caption);
}

void InitCheck(CheckBox& c, const char* name, const std::string& caption) {
  InitCaptioned(c, name, caption);
}

void InitMenu(MenuEntry& m, const char* name, const std::string& caption) {
  InitCaptioned(m, name, caption);
}

void InitCombo(ComboBox& c, const char* name, std::vector<std::string> items, const char* toolTip,
               const std::string& text) {
  Init(c, name, toolTip);
  c.items = std::move(items);
  c.text = text;
}

}  // namespace qd
