// A dialog's window, laid out from its form's controls in their visiting
// order: a label names the input that follows it, option and check boxes after
// a frame go into that frame, buttons form the row at the bottom. Used for the
// setup dialogs and the About box; closing the window posts "unload".
#pragma once

#include <QWidget>

#include <memory>

#include "gui/control_binding.h"
#include "gui/form_window.h"

namespace qd::gui {

class DialogView : public QWidget {
  Q_OBJECT
 public:
  DialogView(Form& form, const FormControls& controls, PostAction post, QWidget* owner);
  ~DialogView() override;

  void Sync();
  Form& form() { return window_->form(); }
  FormBinding& binding() { return *binding_; }

 protected:
  void closeEvent(QCloseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void Layout();
  std::string formName_;
  PostAction post_;
  std::unique_ptr<FormBinding> binding_;
  std::unique_ptr<FormWindow> window_;
};

}  // namespace qd::gui
