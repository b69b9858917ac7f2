#include "gui/dialog_view.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qd::gui {

namespace {

bool IsInput(QWidget* w) {
  return qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w) ||
         qobject_cast<QListWidget*>(w) || qobject_cast<QPlainTextEdit*>(w);
}

// Only option buttons belong to the frame before them: a check box after the
// group is a setting of its own.
bool IsOption(QWidget* w) {
  return qobject_cast<QRadioButton*>(w) != nullptr;
}

}  // namespace

DialogView::DialogView(Form& form, const FormControls& controls, PostAction post, QWidget* owner)
    : QWidget(owner, Qt::Dialog), formName_(form.name), post_(std::move(post)) {
  setObjectName(QString::fromStdString(form.name));
  binding_ = std::make_unique<FormBinding>(controls, BindingContext{form.name, post_}, this);
  Layout();
  window_ = std::make_unique<FormWindow>(form, *this);
  Sync();
}

DialogView::~DialogView() = default;

void DialogView::Sync() {
  binding_->Sync();
  window_->Sync();
}

void DialogView::Layout() {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(14, 12, 14, 12);
  outer->setSpacing(10);
  auto* fields = new QFormLayout;
  fields->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  fields->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);
  outer->addLayout(fields);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);

  QLabel* pendingLabel = nullptr;    // waits for the input it names
  QVBoxLayout* openFrame = nullptr;  // the frame taking the options that follow it
  auto flushLabel = [&] {
    if (pendingLabel) {
      pendingLabel->setWordWrap(true);
      fields->addRow(pendingLabel);
    }
    pendingLabel = nullptr;
  };

  for (const auto& b : binding_->all()) {
    QWidget* w = b->widget();
    if (!w) continue;
    if (IsOption(w) && openFrame) {
      openFrame->addWidget(w);
      continue;
    }
    openFrame = nullptr;
    if (auto* frame = qobject_cast<QGroupBox*>(w)) {
      flushLabel();
      openFrame = new QVBoxLayout(frame);
      fields->addRow(frame);
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
      flushLabel();
      pendingLabel = label;
    } else if (IsInput(w)) {
      if (auto* combo = qobject_cast<QComboBox*>(w)) combo->setMinimumWidth(140);
      if (pendingLabel)
        fields->addRow(pendingLabel, w);
      else
        fields->addRow(w);
      pendingLabel = nullptr;
    } else if (qobject_cast<QPushButton*>(w)) {
      flushLabel();
      w->setMinimumWidth(80);
      buttons->addWidget(w);
    } else {
      flushLabel();
      fields->addRow(w);
    }
  }
  flushLabel();
  outer->addStretch(1);
  outer->addLayout(buttons);
}

void DialogView::keyPressEvent(QKeyEvent* e) {
  // Escape closes a dialog as its close box does.
  if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(e);
}

void DialogView::closeEvent(QCloseEvent* e) {
  // The dialog's own unload handler decides what closing means.
  e->ignore();
  Action a;
  a.form = formName_;
  a.control = "unload";
  a.event = "Unload";
  post_(a);
}

}  // namespace qd::gui
