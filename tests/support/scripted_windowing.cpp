#include "support/scripted_windowing.h"

#include <algorithm>

namespace qd::test {

void ScriptedWindowing::Pump(ActionQueue& queue, double maxWaitSeconds, std::span<const int>) {
  ++yields;
  if ((stopAt_ && clock_.Now() >= *stopAt_) || (stopWhen_ && stopWhen_())) throw ScriptEnd{};
  bool posted = false;
  for (auto it = script_.begin(); it != script_.end();) {
    bool due =
        (it->yield >= 0 && it->yield <= yields) || (it->yield < 0 && it->time <= clock_.Now());
    if (due) {
      queue.Post(it->action);
      it = script_.erase(it);
      posted = true;
    } else {
      ++it;
    }
  }
  if (posted || !queue.Empty()) return;
  // Idle: sleep until the next scripted time, byte or event, or for maxWait.
  double until = clock_.Now() + maxWaitSeconds;
  for (const Step& s : script_)
    if (s.yield < 0) until = std::min(until, s.time);
  if (nextDue_)
    if (auto t = nextDue_()) until = std::min(until, *t);
  if (stopAt_) until = std::min(until, *stopAt_);
  clock_.AdvanceTo(until);
}

void ScriptedWindowing::MessageBox(const std::string& text, const std::string&) {
  messageBoxes.push_back(text);
  if (onMessageBox) onMessageBox(text);
}

void ScriptedWindowing::ShowForm(Form& form) {
  shownForms.push_back(form.name);
  if (onShowForm) onShowForm(form);
}

Action Click(const std::string& control) {
  Action a;
  a.control = control;
  a.event = "Click";
  return a;
}

Action MouseDown(const std::string& control, int button) {
  Action a;
  a.control = control;
  a.event = "MouseDown";
  a.button = button;
  return a;
}

Action MouseUp(const std::string& control, int button) {
  Action a = MouseDown(control, button);
  a.event = "MouseUp";
  return a;
}

Action ChooseText(const std::string& control, const std::string& text) {
  Action a = Click(control);
  a.text = text;
  return a;
}

Action Unload(const std::string& form) {
  Action a;
  a.form = form;
  a.control = "unload";
  a.event = "Unload";
  return a;
}

}  // namespace qd::test
