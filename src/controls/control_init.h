// Helpers for the forms' constructors: a form's designed name, title and size,
// and a control's name, caption, tool tip and list items, each set in one call.
#pragma once

#include <string>
#include <vector>

#include "controls/controls.h"
#include "controls/form.h"

namespace qd {

// The size is given in pixels and kept in twips.
void InitForm(Form& f, const char* name, const char* caption, int widthPixels, int heightPixels);

void Init(Control& c, const char* name, const char* toolTip = "");
void InitButton(Button& b, const char* name, const std::string& caption, const char* toolTip = "");
void InitLabel(Label& l, const char* name, const std::string& caption = "",
               const char* toolTip = "");
void InitFrame(Frame& f, const char* name, const std::string& caption);
void InitCheck(CheckBox& c, const char* name, const std::string& caption);
void InitMenu(MenuEntry& m, const char* name, const std::string& caption);
// A combo box listing `items`, showing `text`.
void InitCombo(ComboBox& c, const char* name, std::vector<std::string> items,
               const char* toolTip = "", const std::string& text = "");

}  // namespace qd
