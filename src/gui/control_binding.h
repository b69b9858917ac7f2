// Binds the controls of one form to Qt widgets: one widget per model control,
// named as the control ("cmdF(3)"), whose events are posted as Actions and
// onto which each sync pushes the model properties that changed. Views only
// place the widgets; the main window and the dialogs share this layer.
#pragma once

#include <QFont>
#include <QPointer>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "controls/actions.h"
#include "controls/form.h"
#include "program.h"

class QAction;
class QObject;
class QWidget;

namespace qd::gui {

using PostAction = std::function<void(Action)>;

// What a binding needs to report its control's events.
struct BindingContext {
  std::string form;  // the form name the actions carry
  PostAction post;
};

// One model control and the Qt object that shows it.
class ControlBinding {
 public:
  virtual ~ControlBinding() = default;
  virtual const std::string& name() const = 0;
  virtual QObject* object() const = 0;  // a widget, or a QAction for menu entries
  QWidget* widget() const;
  // Pushes the properties that changed since the last sync onto the widget.
  virtual void Sync() = 0;
  // The font the model's font name, size and bold are applied on; set by the view.
  void SetBaseFont(const QFont& font);

 protected:
  QFont baseFont_;
  bool baseFontSet_ = false;
  bool fontDirty_ = true;
};

// The bindings of one form, created from its control visitor; widgets start
// as children of `parent` and the view moves them into its layout.
class FormBinding {
 public:
  FormBinding(const FormControls& controls, BindingContext context, QWidget* parent);
  ~FormBinding();
  FormBinding(const FormBinding&) = delete;
  FormBinding& operator=(const FormBinding&) = delete;

  ControlBinding* Find(const std::string& name) const;
  QWidget* Widget(const std::string& name) const;  // nullptr when absent or not a widget
  QAction* MenuAction(const std::string& name) const;
  template <typename W>
  W* As(const std::string& name) const {
    return qobject_cast<W*>(Widget(name));
  }
  // The bindings in the form's visiting order.
  const std::vector<std::unique_ptr<ControlBinding>>& all() const { return bindings_; }
  void Sync();

 private:
  std::vector<std::unique_ptr<ControlBinding>> bindings_;
  std::unordered_map<std::string, ControlBinding*> byName_;
};

// A caption with its access-key markers removed, for texts Qt shows literally.
QString WithoutMnemonic(const std::string& caption);

}  // namespace qd::gui
