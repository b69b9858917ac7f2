// The panel's yield: pump the windowing system, deliver the ports' events to
// their handlers, then run the queued actions in order, all from core code.
// Also the modal-dialog loop built on it.
#pragma once

#include <string>

#include "program.h"

namespace qd {

// Longest sleep of an idle yield.
constexpr double kIdleYieldSeconds = 0.05;

// One yield. Sleeps (up to maxWait) only when nothing is pending.
void DoEvents(Program& p, double maxWaitSeconds = kIdleYieldSeconds);

// Runs one action now: applies the value the widget reported (combo text,
// scroll position, check state) to the model control, then calls its handler.
void RunAction(Program& p, const Action& action);

// Registers a handler for an event of a control (named without its array
// index) of a form; the main window's (and the ports') handlers need no form.
void OnAction(Program& p, const std::string& control, const std::string& event,
              ActionHandler handler, const std::string& form = "");
// The handler table's key: "cmdF/MouseDown", "frmPortSetup:cmdApply/Click".
std::string HandlerKey(const std::string& form, const std::string& control,
                       const std::string& event);

// The array index of the action's control, "cmdF(4)" -> 4, or -1.
int ActionIndex(const Action& action);
// The control's name without its index: "cmdF(4)" -> "cmdF".
std::string ActionBaseName(const Action& action);

// Shows a form and yields until it is unloaded; the caller disables and
// re-enables the main window as the dialog's behaviour says.
void ShowModal(Program& p, Form& form);

}  // namespace qd
