// The main window frmQD6250 on screen: places the bound widgets of every
// control as a radio front panel (VFO A large in the middle, VFO B, mode and
// bands under it, transmit and meters on the left, toggles, channels,
// amplifier and CAT on the right) and builds the menu. It holds no panel logic:
// keys, clicks and the close box become Actions.
#pragma once

#include <QMainWindow>

#include <memory>

#include "gui/control_binding.h"
#include "gui/form_window.h"
#include "panel/frm_qd6250.h"

class QGridLayout;
class QGroupBox;
class QHBoxLayout;

namespace qd::gui {

class MainWindowView : public QMainWindow {
  Q_OBJECT
 public:
  MainWindowView(frmQD6250& form, PostAction post);
  ~MainWindowView() override;

  void Sync();
  FormBinding& binding() { return *binding_; }

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  QWidget* W(const std::string& name) const;
  QWidget* W(const std::string& array, int index) const;
  QGroupBox* Frame(const std::string& name) const;
  void Indicator(const std::string& name, int minWidth) const;
  struct DigitRowSize {
    int pointSize;
    int spacing;
    int height;
    int digitWidth;
    int markWidth;  // the comma and the point
  };
  // A VFO's seven digit buttons, mouse-only, with its comma and point buttons.
  QHBoxLayout* DigitRow(const std::string& digitArray, const std::string& comma,
                        const std::string& point, const DigitRowSize& size) const;
  QWidget* BuildVfoA();
  QWidget* BuildVfoB();
  QWidget* BuildModes();
  QWidget* BuildMeter();
  QWidget* BuildTransmit();
  QWidget* BuildToggles();
  QWidget* BuildReceiver();
  QWidget* BuildBands();
  QWidget* BuildChannels();
  QWidget* BuildAmp();
  QWidget* BuildCat();
  QWidget* BuildStatusStrip();
  QWidget* BuildMessages();
  void BuildMenu();

  frmQD6250& form_;
  PostAction post_;
  std::unique_ptr<FormBinding> binding_;
  std::unique_ptr<FormWindow> window_;
};

}  // namespace qd::gui
