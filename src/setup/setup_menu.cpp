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

void Unload(Form& form) {
  form.loaded = false;
}

using Handler = void (*)(Program&);

void On(Program& p, const char* form, const char* control, const char* event, Handler h) {
  OnAction(
      p, control, event, [h](Program& p, const Action&) { h(p); }, form);
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
  On(p, "", "mnuPortSetup", "Click", mnuPortSetup_Click);
  On(p, "", "mnuCATSetup", "Click", mnuCATSetup_Click);
  On(p, "", "mnuHelpAbout", "Click", mnuHelpAbout_Click);
  On(p, "", "mnuHelpQD6250", "Click", mnuHelpQD6250_Click);

  // Option clicks need no handler: the action itself selects the option.
  const char* port = "frmPortSetup";
  On(p, port, "cmdApply", "Click", port_setup::cmdApply_Click);
  On(p, port, "cmdCancel", "Click", port_setup::cmdCancel_Click);
  On(p, port, "cmdLoadPortSettings", "Click", port_setup::cmdLoadPortSettings_Click);
  On(p, port, "cmdSavePortSettings", "Click", port_setup::cmdSavePortSettings_Click);
  On(p, port, "unload", "Unload", port_setup::Form_Unload);

  const char* cat = "frmCATSetup";
  On(p, cat, "cmdApply", "Click", cat_setup::cmdApply_Click);
  On(p, cat, "cmdCancel", "Click", cat_setup::cmdCancel_Click);
  On(p, cat, "cmdLoadPortSettings", "Click", cat_setup::cmdLoadPortSettings_Click);
  On(p, cat, "cmdSavePortSettings", "Click", cat_setup::cmdSavePortSettings_Click);
  On(p, cat, "unload", "Unload", cat_setup::Form_Unload);

  On(p, "frmHelp", "cmdOK", "Click", [](Program& p) { Unload(p.help); });
  On(p, "frmHelp", "unload", "Unload", [](Program& p) { Unload(p.help); });
}

}  // namespace qd
