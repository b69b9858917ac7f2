#include "setup/setup_menu.h"

#include <filesystem>
#include <string>

#include "cat/cat_port.h"
#include "link/events.h"
#include "link/reply_reader.h"
#include "platform/text_file.h"
#include "setup/cat_setup.h"
#include "setup/port_setup.h"

namespace qd {

namespace {

// Each entry shows its dialog modally, with the main window disabled meanwhile.
void ShowDialog(Program& p, Form& dialog) {
  p.main.enabled = false;
  ShowModal(p, dialog);
  p.main.enabled = true;
}

void UnloadHelp(Program& p) {
  p.help.loaded = false;
}

using Handler = void (*)(Program&);

// A main-window menu entry.
void OnMenu(Program& p, const char* entry, Handler h) {
  OnAction(p, entry, "Click", [h](Program& p, const Action&) { h(p); });
}

// A dialog's handlers run only while it is loaded: a click still queued when
// it closed (a double click on Apply) must not apply its settings again.
void OnDialog(Program& p, Form& dialog, const char* control, const char* event, Handler h) {
  auto run = [&dialog, h](Program& p, const Action&) {
    if (dialog.loaded) h(p);
  };
  OnAction(p, control, event, run, dialog.name);
}

}  // namespace

void mnuPortSetup_Click(Program& p) {
  port_setup::Form_Load(p);
  ShowDialog(p, p.portSetup);
}

void mnuCATSetup_Click(Program& p) {
  cat_setup::Form_Load(p);
  ShowDialog(p, p.catSetup);
  if (!p.cat.CatSetupChanged) return;
  SetUpCatPort(p);  // reports its own failures
  p.cat.CatSetupChanged = false;
}

void mnuHelpAbout_Click(Program& p) {
  p.help = frmHelp{};
  ShowDialog(p, p.help);
}

void mnuHelpQD6250_Click(Program& p) {
  const std::string name = kHelpFileName;
  if (!FileExists(name)) {
    ShowInfoMessage(p, "Help file " + name + " not found");
    return;
  }
  const std::string path = (std::filesystem::current_path() / name).string();
  if (!p.windowing.OpenWithDesktop(path))
    ShowInfoMessage(p, "Help file " + name + " could not be opened");
}

void RegisterSetupHandlers(Program& p) {
  OnMenu(p, "mnuPortSetup", mnuPortSetup_Click);
  OnMenu(p, "mnuCATSetup", mnuCATSetup_Click);
  OnMenu(p, "mnuHelpAbout", mnuHelpAbout_Click);
  OnMenu(p, "mnuHelpQD6250", mnuHelpQD6250_Click);

  // Option clicks need no handler: the action itself selects the option.
  Form& port = p.portSetup;
  OnDialog(p, port, "cmdApply", "Click", port_setup::cmdApply_Click);
  OnDialog(p, port, "cmdCancel", "Click", port_setup::cmdCancel_Click);
  OnDialog(p, port, "cmdLoadPortSettings", "Click", port_setup::cmdLoadPortSettings_Click);
  OnDialog(p, port, "cmdSavePortSettings", "Click", port_setup::cmdSavePortSettings_Click);
  OnDialog(p, port, "unload", "Unload", port_setup::Form_Unload);

  Form& cat = p.catSetup;
  OnDialog(p, cat, "cmdApply", "Click", cat_setup::cmdApply_Click);
  OnDialog(p, cat, "cmdCancel", "Click", cat_setup::cmdCancel_Click);
  OnDialog(p, cat, "cmdLoadPortSettings", "Click", cat_setup::cmdLoadPortSettings_Click);
  OnDialog(p, cat, "cmdSavePortSettings", "Click", cat_setup::cmdSavePortSettings_Click);
  OnDialog(p, cat, "unload", "Unload", cat_setup::Form_Unload);

  OnDialog(p, p.help, "cmdOK", "Click", UnloadHelp);
  OnDialog(p, p.help, "unload", "Unload", UnloadHelp);
}

}  // namespace qd
