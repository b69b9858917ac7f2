// Program: the panel's one shared state, composed of each subsystem's own
// state, with the three seams it talks through. Routines are free functions
// taking Program&.
#pragma once

#include <functional>
#include <string>
#include <unordered_map>

#include "cat/cat_state.h"
#include "controls/actions.h"
#include "controls/windowing.h"
#include "link/link_state.h"
#include "panel/frm_qd6250.h"
#include "panel/operator_state.h"
#include "platform/clock.h"
#include "platform/serial_port.h"
#include "setup/frm_cat_setup.h"
#include "setup/frm_help.h"
#include "setup/frm_port_setup.h"
#include "status/radio_status.h"
#include "status/status_module.h"

namespace qd {

struct Program;

// Handler of a queued action or port event, registered under "control/event"
// (the control's name without an array index: "cmdF/MouseDown", "MSComm1/OnComm").
using ActionHandler = std::function<void(Program&, const Action&)>;

// "Can port n be opened now?"
using PortProbe = std::function<bool(int portNumber)>;

// Visits the controls of one window; every form registers one under its name.
using FormControls = std::function<void(ControlVisitor&)>;

struct FormEntry {
  Form* form = nullptr;
  FormControls controls;
};

struct Program {
  Program(Clock& clock, Windowing& windowing, SerialPort& radioPort, SerialPort& catPort)
      : clock(clock), windowing(windowing), MSComm1(radioPort), MSComm2(catPort) {
    forms["frmQD6250"] = {&main, [this](ControlVisitor& v) { VisitControls(main, v); }};
    forms["frmPortSetup"] = {&portSetup,
                             [this](ControlVisitor& v) { VisitControls(portSetup, v); }};
    forms["frmCATSetup"] = {&catSetup, [this](ControlVisitor& v) { VisitControls(catSetup, v); }};
    forms["frmHelp"] = {&help, [this](ControlVisitor& v) { VisitControls(help, v); }};
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  Clock& clock;
  Windowing& windowing;
  SerialPort& MSComm1;  // the radio
  SerialPort& MSComm2;  // the CAT port
  PortProbe portPresent = [](int) { return false; };

  ActionQueue actions;
  std::unordered_map<std::string, ActionHandler> handlers;
  std::unordered_map<std::string, FormEntry> forms;  // the windows now loaded

  frmQD6250 main;
  RadioStatus status;
  LinkState link;
  StatusModule module;
  OperatorState op;
  CatState cat;

  // Setup dialogs and the About box.
  frmPortSetup portSetup;
  frmCATSetup catSetup;
  frmHelp help;
};

}  // namespace qd
