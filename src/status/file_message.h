// FileMessage: stores one received message in RadioStatus by its code, at the
// item's width, and sets the item's Changed flag.
#pragma once

#include <string>

#include "program.h"

namespace qd {

void FileMessage(Program& p, const std::string& message);

// The message cut or blank-padded to `width` characters.
std::string FitToWidth(const std::string& message, int width);

}  // namespace qd
