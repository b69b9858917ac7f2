// The action queue: widgets never call the model; they post what happened
// ("cmdF(4) MouseDown button 2") and core code runs it at the next yield, in
// order, outside the toolkit's event dispatch.
#pragma once

#include <deque>
#include <optional>
#include <string>

namespace qd {

struct Action {
  std::string form = "frmQD6250";  // which window the control belongs to
  std::string control;             // "cmdF(4)", "cmbMode", "unload", "tick:SyncTimer"
  std::string event;               // "Click", "MouseDown", "MouseUp", "Change", "KeyDown", ...
  int button = 0;                  // mouse button: 1 left, 2 right
  int shift = 0;
  int keyCode = 0;
  int value = 0;                    // scroll bar position, check box state
  std::optional<std::string> text;  // new combo or text box text, when the widget changed it
};

class ActionQueue {
 public:
  void Post(Action a) { queue_.push_back(std::move(a)); }
  std::optional<Action> Take() {
    if (queue_.empty()) return std::nullopt;
    Action a = std::move(queue_.front());
    queue_.pop_front();
    return a;
  }
  bool Empty() const { return queue_.empty(); }
  void Clear() { queue_.clear(); }

 private:
  std::deque<Action> queue_;
};

}  // namespace qd
