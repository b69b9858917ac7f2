// Small text helpers shared by the port setup dialogs: the port number of a
// file's line 1, a settings string cut into speed and character format, and
// combo boxes that should list a value once.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "controls/controls.h"

namespace qd {

std::string Trimmed(std::string_view s);

// Line 1 of a port setup file: its first two characters (ports go up to 16),
// without the blank a one-digit port would keep.
std::string PortTextFromLine(const std::string& line);

// "4800 ,N, 8, 1" cut at "," into at most four parts, kept as written
// (the speed keeps its blank: the speed items carry one).
std::vector<std::string> SplitSettings(const std::string& settings);

// Parts 2..4 of a split settings string as a character format: "N, 8, 1".
// Empty unless all three are there and not blank.
std::string FormatText(const std::vector<std::string>& parts);

// The numeric value of a file line is 1 (" 1 ", "1" but not "10" or "x").
bool LineValueIsOne(const std::string& line);

// Makes `value` the combo's text, adding it to the list unless an item
// already reads the same apart from blanks (then that item is taken).
void SelectOrAdd(ComboBox& combo, const std::string& value);

}  // namespace qd
