#include "link/events.h"

#include <vector>

namespace qd {

namespace {

// Applies what the widget reported to the model control it names.
class ApplyWidgetValue : public ControlVisitor {
 public:
  explicit ApplyWidgetValue(const Action& a) : a_(a), base_(ActionBaseName(a)) {}

  void Visit(ComboBox& c) override {
    if (c.name == a_.control && a_.text) c.text = *a_.text;
  }
  void Visit(TextBox& c) override {
    if (c.name == a_.control && a_.text) c.text = *a_.text;
  }
  void Visit(ScrollBar& c) override {
    if (c.name == a_.control && a_.event == "Change") c.value = a_.value;
  }
  void Visit(CheckBox& c) override {
    if (c.name == a_.control && a_.event == "Click") c.value = a_.value;
  }
  void Visit(ListBox& c) override {
    if (c.name == a_.control && a_.event == "Click") c.listIndex = a_.value;
  }
  void Visit(OptionButton& c) override {
    if (a_.event != "Click") return;
    // The model keeps a group exclusive: the clicked option is selected and
    // its siblings (same array name) are cleared.
    if (c.name == a_.control)
      c.value = true;
    else if (ActionIndex(a_) >= 0 && c.name.rfind(base_ + "(", 0) == 0)
      c.value = false;
  }

 private:
  const Action& a_;
  std::string base_;
};

// A control's input is judged before the value is applied.
class CheckDeliverable : public ControlVisitor {
 public:
  explicit CheckDeliverable(const std::string& name) : name_(name) {}
  void Visit(Button& c) override { Note(c); }
  void Visit(Label& c) override { Note(c); }
  void Visit(TextBox& c) override { Note(c); }
  void Visit(ComboBox& c) override { Note(c); }
  void Visit(ListBox& c) override { Note(c); }
  void Visit(OptionButton& c) override { Note(c); }
  void Visit(CheckBox& c) override { Note(c); }
  void Visit(Frame& c) override { Note(c); }
  void Visit(ScrollBar& c) override { Note(c); }
  void Visit(Shape& c) override { Note(c); }
  void Visit(ProgressBar& c) override { Note(c); }
  void Visit(MenuEntry& c) override { Note(c); }
  bool deliverable = true;

 private:
  void Note(const Control& c) {
    if (c.name == name_) deliverable = c.enabled && c.visible;
  }
  const std::string& name_;
};

void DeliverPortEvents(Program& p, SerialPort& port, const char* name) {
  if (port.IsOpen()) port.Service();
  while (auto event = port.TakeEvent()) {
    Action a;
    a.form = "";
    a.control = name;
    a.event = "OnComm";
    a.value = event->code;
    RunAction(p, a);
  }
}

}  // namespace

int ActionIndex(const Action& action) {
  const std::string& n = action.control;
  auto open = n.find('(');
  if (open == std::string::npos || n.back() != ')') return -1;
  try {
    return std::stoi(n.substr(open + 1, n.size() - open - 2));
  } catch (...) {
    return -1;
  }
}

std::string ActionBaseName(const Action& action) {
  auto open = action.control.find('(');
  return open == std::string::npos ? action.control : action.control.substr(0, open);
}

std::string HandlerKey(const std::string& form, const std::string& control,
                       const std::string& event) {
  const bool mainWindow = form.empty() || form == "frmQD6250";
  return (mainWindow ? "" : form + ":") + control + "/" + event;
}

void OnAction(Program& p, const std::string& control, const std::string& event,
              ActionHandler handler, const std::string& form) {
  p.handlers[HandlerKey(form, control, event)] = std::move(handler);
}

void RunAction(Program& p, const Action& action) {
  auto formIt = p.forms.find(action.form);
  if (formIt != p.forms.end()) {
    Form& form = *formIt->second.form;
    // Input to a disabled window (a modal dialog is open) is not delivered;
    // unload requests and timer ticks are.
    bool windowEvent = action.control == "unload" || action.event == "Timer";
    if (!windowEvent && !form.enabled) return;
    CheckDeliverable check(action.control);
    formIt->second.controls(check);
    if (!check.deliverable) return;
    ApplyWidgetValue apply(action);
    formIt->second.controls(apply);
  }
  auto it = p.handlers.find(HandlerKey(action.form, ActionBaseName(action), action.event));
  if (it != p.handlers.end()) {
    ActionHandler handler = it->second;  // a handler may replace its own entry
    handler(p, action);
  }
}

void DoEvents(Program& p, double maxWaitSeconds) {
  std::vector<int> fds;
  for (SerialPort* port : {&p.MSComm1, &p.MSComm2})
    if (port->IsOpen() && port->PollFd() >= 0) fds.push_back(port->PollFd());
  p.windowing.Pump(p.actions, maxWaitSeconds, fds);
  DeliverPortEvents(p, p.MSComm1, "MSComm1");
  DeliverPortEvents(p, p.MSComm2, "MSComm2");
  while (auto action = p.actions.Take()) RunAction(p, *action);
}

void ShowModal(Program& p, Form& form) {
  form.loaded = true;
  form.visible = true;
  p.windowing.ShowForm(form);
  while (form.loaded) DoEvents(p);
  form.visible = false;
  p.windowing.HideForm(form);
}

}  // namespace qd
