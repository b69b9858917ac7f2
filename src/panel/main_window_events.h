// The main window's event handlers: most only raise their request flag for the
// main loop; closing the window and File > Exit run shutdown; the two serial
// ports' events go to their handlers. Also registers the Setup and Help menus.
#pragma once

#include "program.h"

namespace qd {

void RegisterMainWindowHandlers(Program& p);

}  // namespace qd
