// Windowing for scenario tests: user actions are delivered from a script at
// yields ("at the 3rd yield release the mouse on cmdF(4)", "at 12.5 s click
// cmdXmit"), message boxes and beeps are recorded, file dialogs and modal
// dialogs are answered by callbacks. A yield with nothing due moves virtual
// time on, so an idle main loop advances the clock instead of looping forever;
// a stop condition ends the run by throwing ScriptEnd.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "controls/windowing.h"
#include "support/virtual_clock.h"

namespace qd::test {

// Thrown from a yield when the script's stop condition holds.
struct ScriptEnd {};

class ScriptedWindowing : public Windowing {
 public:
  explicit ScriptedWindowing(VirtualClock& clock) : clock_(clock) {}

  // --- script
  void AtYield(int yieldNumber, Action a) { script_.push_back({yieldNumber, -1, std::move(a)}); }
  // At an absolute virtual time.
  void AtTime(double time, Action a) { script_.push_back({-1, time, std::move(a)}); }
  // Ends the run (ScriptEnd) at the first yield at or after this absolute time.
  void StopAt(double time) { stopAt_ = time; }
  // Ends the run at the first yield where the predicate holds.
  void StopWhen(std::function<bool()> predicate) { stopWhen_ = std::move(predicate); }
  // Tells when the next byte or port event is due, so idle yields jump to it.
  void SetNextDue(std::function<std::optional<double>()> nextDue) { nextDue_ = std::move(nextDue); }
  // Called when a form is shown (answer a modal dialog by posting its actions).
  std::function<void(Form&)> onShowForm;
  std::function<std::optional<std::string>(const FileDialogOptions&)> onFileOpen;
  std::function<std::optional<std::string>(const FileDialogOptions&)> onFileSave;
  // Called for each message box; the box closes when it returns.
  std::function<void(const std::string&)> onMessageBox;

  // --- records
  int yields = 0;
  int repaints = 0;
  int beeps = 0;
  std::vector<std::string> messageBoxes;
  std::vector<std::string> shownForms;
  std::vector<std::string> openedWithDesktop;
  bool openWithDesktopResult = true;

  // --- Windowing
  void Pump(ActionQueue& queue, double maxWaitSeconds, std::span<const int> wakeFds) override;
  void Repaint() override { ++repaints; }
  void Beep() override { ++beeps; }
  void MessageBox(const std::string& text, const std::string& title) override;
  void ShowForm(Form& form) override;
  void HideForm(Form&) override {}
  std::optional<std::string> FileOpenDialog(const FileDialogOptions& o) override {
    return onFileOpen ? onFileOpen(o) : std::nullopt;
  }
  std::optional<std::string> FileSaveDialog(const FileDialogOptions& o) override {
    return onFileSave ? onFileSave(o) : std::nullopt;
  }
  bool OpenWithDesktop(const std::string& path) override {
    openedWithDesktop.push_back(path);
    return openWithDesktopResult;
  }
  ScreenSize Screen() override { return {1366 * 15, 768 * 15}; }

 private:
  struct Step {
    int yield;    // -1: by time
    double time;  // -1: by yield
    Action action;
  };
  VirtualClock& clock_;
  std::vector<Step> script_;
  std::optional<double> stopAt_;
  std::function<bool()> stopWhen_;
  std::function<std::optional<double>()> nextDue_;
};

// Shorthands for script actions on the main window.
Action Click(const std::string& control);
Action MouseDown(const std::string& control, int button);
Action MouseUp(const std::string& control, int button);
Action ChooseText(const std::string& control,
                  const std::string& text);  // combo pick: Click with text
Action Unload(const std::string& form = "frmQD6250");

}  // namespace qd::test
