#include "gui/control_binding.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>

#include <optional>

#include "gui/palette_colours.h"
#include "gui/panel_widgets.h"

namespace qd::gui {

namespace {

QString Q(const std::string& s) {
  return QString::fromStdString(s);
}

// Runs a callback for events of one object without subclassing it.
class EventTap : public QObject {
 public:
  EventTap(QObject* target, std::function<void(QEvent*)> onEvent)
      : QObject(target), onEvent_(std::move(onEvent)) {
    target->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* e) override {
    onEvent_(e);
    return false;
  }

 private:
  std::function<void(QEvent*)> onEvent_;
};

// The shared part of every binding: the model control, its widget type, the
// last state pushed, and the properties all controls have.
template <typename M, typename W>
class Bound : public ControlBinding {
 public:
  Bound(M& model, W* widget, BindingContext context)
      : m_(model), w_(widget), ctx_(std::move(context)) {
    w_->setObjectName(Q(m_.name));
    if constexpr (std::is_base_of_v<QWidget, W>) {
      // A hidden control keeps its place, as on a designed form.
      QSizePolicy sp = w_->sizePolicy();
      sp.setRetainSizeWhenHidden(true);
      w_->setSizePolicy(sp);
    }
  }
  const std::string& name() const override { return m_.name; }
  QObject* object() const override { return w_; }

  void Sync() final {
    if constexpr (std::is_base_of_v<QWidget, W>) SyncCommon();
    SyncOwn();
    last_ = m_;
  }

 protected:
  // True when the field differs from what was last pushed (or nothing was).
  template <typename C, typename F>
  bool Changed(F C::*field) const {
    return !last_ || static_cast<const C&>(*last_).*field != static_cast<const C&>(m_).*field;
  }
  virtual void SyncOwn() = 0;
  virtual QPalette::ColorRole BackRole() const { return QPalette::Button; }
  virtual QPalette::ColorRole ForeRole() const { return QPalette::ButtonText; }

  Action MakeAction(const char* event) const {
    Action a;
    a.form = ctx_.form;
    a.control = m_.name;
    a.event = event;
    return a;
  }
  void Post(Action a) const {
    if (ctx_.post) ctx_.post(std::move(a));
  }
  void PostText(const char* event, const QString& text) const {
    Action a = MakeAction(event);
    a.text = text.toStdString();
    Post(a);
  }
  void PostValue(const char* event, int value) const {
    Action a = MakeAction(event);
    a.value = value;
    Post(a);
  }
  // Posts "GotFocus" each time the widget takes the focus.
  void WatchFocus() {
    new EventTap(w_, [this](QEvent* e) {
      if (e->type() == QEvent::FocusIn) Post(MakeAction("GotFocus"));
    });
  }

  M& m_;
  QPointer<W> w_;
  BindingContext ctx_;
  std::optional<M> last_;

 private:
  void SyncCommon() {
    if (Changed(&Control::enabled)) w_->setEnabled(m_.enabled);
    if (Changed(&Control::visible)) w_->setVisible(m_.visible);
    if (Changed(&Control::toolTip)) w_->setToolTip(Q(m_.toolTip));
    if (Changed(&Control::backColour) || Changed(&Control::foreColour))
      ApplyColours(*w_, BackRole(), m_.backColour, ForeRole(), m_.foreColour);
    if (fontDirty_ || Changed(&Control::bold) || Changed(&Control::fontName) ||
        Changed(&Control::fontSize)) {
      QFont f = baseFontSet_ ? baseFont_ : w_->font();
      if (!m_.fontName.empty()) {
        f.setFamily(Q(m_.fontName));
        if (m_.fontName.find("Courier") != std::string::npos) f.setStyleHint(QFont::Monospace);
      }
      if (m_.fontSize > 0) f.setPointSize(m_.fontSize);
      f.setBold(m_.bold);
      w_->setFont(f);
      fontDirty_ = false;
    }
    // The model keeps the size the window shows, in twips.
    m_.width = w_->width() * kTwipsPerPixel;
    m_.height = w_->height() * kTwipsPerPixel;
  }
};

// Controls drawn on the window itself: labels, frames, option and check boxes.
template <typename M, typename W>
class OnWindow : public Bound<M, W> {
 public:
  using Bound<M, W>::Bound;

 private:
  QPalette::ColorRole BackRole() const override { return QPalette::Window; }
  QPalette::ColorRole ForeRole() const override { return QPalette::WindowText; }
};

// Controls with an entry field: text, combo and list boxes.
template <typename M, typename W>
class EntryField : public Bound<M, W> {
 public:
  using Bound<M, W>::Bound;

 private:
  QPalette::ColorRole BackRole() const override { return QPalette::Base; }
  QPalette::ColorRole ForeRole() const override { return QPalette::Text; }
};

class ButtonBinding : public Bound<Button, PanelButton> {
 public:
  ButtonBinding(Button& m, QWidget* parent, BindingContext c)
      : Bound(m, new PanelButton(parent), std::move(c)) {
    QObject::connect(w_, &PanelButton::mouseDown, w_,
                     [this](int button, int shift) { PostMouse("MouseDown", button, shift); });
    QObject::connect(w_, &PanelButton::mouseUp, w_,
                     [this](int button, int shift) { PostMouse("MouseUp", button, shift); });
    QObject::connect(w_, &QPushButton::clicked, w_, [this] { Post(MakeAction("Click")); });
  }

 private:
  void PostMouse(const char* event, int button, int shift) const {
    Action a = MakeAction(event);
    a.button = button;
    a.shift = shift;
    Post(a);
  }
  void SyncOwn() override {
    if (Changed(&Button::caption)) w_->setText(Q(m_.caption));
  }
};

class LabelBinding : public OnWindow<Label, QLabel> {
 public:
  LabelBinding(Label& m, QWidget* parent, BindingContext c)
      : OnWindow(m, new QLabel(parent), std::move(c)) {
    w_->setTextFormat(Qt::PlainText);
  }

 private:
  void SyncOwn() override {
    if (Changed(&Label::caption)) w_->setText(WithoutMnemonic(m_.caption));
    // A label on button face shows whatever it stands on (a frame is lighter
    // than the window); an indicator colour fills it.
    if (Changed(&Control::backColour))
      w_->setAutoFillBackground(m_.backColour != colour::kButtonFace);
  }
};

class LineBinding : public EntryField<TextBox, QLineEdit> {
 public:
  LineBinding(TextBox& m, QWidget* parent, BindingContext c)
      : EntryField(m, new QLineEdit(parent), std::move(c)) {
    QObject::connect(w_, &QLineEdit::textEdited, w_,
                     [this](const QString& t) { PostText("Change", t); });
    WatchFocus();
  }

 private:
  void SyncOwn() override {
    if (Changed(&TextBox::locked)) w_->setReadOnly(m_.locked);
    if (Changed(&TextBox::text) && w_->text() != Q(m_.text)) {
      QSignalBlocker block(w_);
      w_->setText(Q(m_.text));
      w_->setCursorPosition(0);
    }
  }
};

class MultiLineBinding : public EntryField<TextBox, QPlainTextEdit> {
 public:
  MultiLineBinding(TextBox& m, QWidget* parent, BindingContext c)
      : EntryField(m, new QPlainTextEdit(parent), std::move(c)) {
    QObject::connect(w_, &QPlainTextEdit::textChanged, w_,
                     [this] { PostText("Change", w_->toPlainText()); });
    WatchFocus();
  }

 private:
  void SyncOwn() override {
    if (Changed(&TextBox::locked)) w_->setReadOnly(m_.locked);
    if (Changed(&TextBox::text) && w_->toPlainText() != Q(m_.text)) {
      QSignalBlocker block(w_);
      w_->setPlainText(Q(m_.text));
    }
  }
};

class ComboBinding : public EntryField<ComboBox, QComboBox> {
 public:
  ComboBinding(ComboBox& m, QWidget* parent, BindingContext c)
      : EntryField(m, new QComboBox(parent), std::move(c)) {
    // Any text may stand in the box, listed or not, as a settings file may hold.
    w_->setEditable(true);
    w_->setInsertPolicy(QComboBox::NoInsert);
    QObject::connect(w_, &QComboBox::activated, w_,
                     [this](int index) { PostText("Click", w_->itemText(index)); });
    QObject::connect(w_->lineEdit(), &QLineEdit::textEdited, w_,
                     [this](const QString& t) { PostText("Change", t); });
  }

 private:
  void SyncOwn() override {
    QSignalBlocker block(w_);
    const bool itemsChanged = Changed(&ComboBox::items);
    if (itemsChanged) {
      w_->clear();
      for (const auto& item : m_.items) w_->addItem(Q(item));
    }
    if (itemsChanged || Changed(&ComboBox::text)) {
      const int index = w_->findText(Q(m_.text), Qt::MatchExactly);
      w_->setCurrentIndex(index);
      w_->setEditText(Q(m_.text));
      w_->lineEdit()->setCursorPosition(0);
    }
  }
};

class ListBinding : public EntryField<ListBox, QListWidget> {
 public:
  ListBinding(ListBox& m, QWidget* parent, BindingContext c)
      : EntryField(m, new QListWidget(parent), std::move(c)) {
    QObject::connect(w_, &QListWidget::currentRowChanged, w_,
                     [this](int row) { PostValue("Click", row); });
    QObject::connect(w_, &QListWidget::itemDoubleClicked, w_,
                     [this](QListWidgetItem* item) { PostValue("DblClick", w_->row(item)); });
  }

 private:
  void SyncOwn() override {
    QSignalBlocker block(w_);
    if (Changed(&ListBox::items)) {
      w_->clear();
      for (const auto& item : m_.items) w_->addItem(Q(item));
    }
    if (w_->currentRow() != m_.listIndex) w_->setCurrentRow(m_.listIndex);
  }
};

class OptionBinding : public OnWindow<OptionButton, OptionWidget> {
 public:
  OptionBinding(OptionButton& m, QWidget* parent, BindingContext c)
      : OnWindow(m, new OptionWidget(parent), std::move(c)) {
    QObject::connect(w_, &QAbstractButton::clicked, w_, [this] { PostValue("Click", 1); });
  }

 private:
  void SyncOwn() override {
    if (Changed(&OptionButton::caption)) w_->setText(Q(m_.caption));
    // Compared with the widget: a handler may put back the option the click left.
    if (w_->isChecked() != m_.value) {
      QSignalBlocker block(w_);
      w_->setChecked(m_.value);
    }
  }
};

class CheckBinding : public OnWindow<CheckBox, QCheckBox> {
 public:
  CheckBinding(CheckBox& m, QWidget* parent, BindingContext c)
      : OnWindow(m, new QCheckBox(parent), std::move(c)) {
    QObject::connect(w_, &QAbstractButton::clicked, w_,
                     [this](bool checked) { PostValue("Click", checked ? 1 : 0); });
  }

 private:
  void SyncOwn() override {
    if (Changed(&CheckBox::caption)) w_->setText(Q(m_.caption));
    if (w_->isChecked() != (m_.value != 0)) {
      QSignalBlocker block(w_);
      w_->setChecked(m_.value != 0);
    }
  }
};

class FrameBinding : public OnWindow<Frame, QGroupBox> {
 public:
  FrameBinding(Frame& m, QWidget* parent, BindingContext c)
      : OnWindow(m, new QGroupBox(parent), std::move(c)) {}

 private:
  void SyncOwn() override {
    if (Changed(&Frame::caption)) w_->setTitle(Q(m_.caption));
  }
};

// A vertical bar whose `min` may be the larger end: Qt's minimum is always at
// the top, so such a bar runs on negated values.
class ScrollBinding : public Bound<ScrollBar, QScrollBar> {
 public:
  ScrollBinding(ScrollBar& m, QWidget* parent, BindingContext c)
      : Bound(m, new QScrollBar(Qt::Vertical, parent), std::move(c)) {
    QObject::connect(w_, &QScrollBar::valueChanged, w_, [this] {
      if (!w_->isSliderDown()) PostChange();
    });
    QObject::connect(w_, &QScrollBar::sliderReleased, w_, [this] { PostChange(); });
  }

 private:
  bool Inverted() const { return m_.min > m_.max; }
  int ToQt(int v) const { return Inverted() ? -v : v; }
  void PostChange() { PostValue("Change", Inverted() ? -w_->value() : w_->value()); }
  void SyncOwn() override {
    QSignalBlocker block(w_);
    if (Changed(&ScrollBar::min) || Changed(&ScrollBar::max)) {
      w_->setRange(std::min(ToQt(m_.min), ToQt(m_.max)), std::max(ToQt(m_.min), ToQt(m_.max)));
      w_->setValue(ToQt(m_.value));
    }
    if (Changed(&ScrollBar::smallChange)) w_->setSingleStep(m_.smallChange);
    if (Changed(&ScrollBar::largeChange)) w_->setPageStep(m_.largeChange);
    if (Changed(&ScrollBar::value)) w_->setValue(ToQt(m_.value));
  }
};

class ShapeBinding : public Bound<Shape, ShapeView> {
 public:
  ShapeBinding(Shape& m, QWidget* parent, BindingContext c)
      : Bound(m, new ShapeView(parent), std::move(c)) {}

 private:
  void SyncOwn() override {
    if (Changed(&Shape::fillColour) || Changed(&Shape::borderColour)) {
      const QPalette pal = w_->palette();
      w_->setColours(ToQColor(m_.fillColour, pal), ToQColor(m_.borderColour, pal));
    }
    if (Changed(&Shape::circle)) w_->setCircle(m_.circle);
  }
};

class ProgressBinding : public Bound<ProgressBar, MeterBar> {
 public:
  ProgressBinding(ProgressBar& m, QWidget* parent, BindingContext c)
      : Bound(m, new MeterBar(parent), std::move(c)) {}

 private:
  void SyncOwn() override {
    if (Changed(&ProgressBar::min) || Changed(&ProgressBar::max)) w_->setRange(m_.min, m_.max);
    if (Changed(&ProgressBar::value)) w_->setValue(m_.value);
  }
};

class MenuBinding : public Bound<MenuEntry, QAction> {
 public:
  MenuBinding(MenuEntry& m, QWidget* parent, BindingContext c)
      : Bound(m, new QAction(parent), std::move(c)) {
    QObject::connect(w_, &QAction::triggered, w_, [this] { Post(MakeAction("Click")); });
  }

 private:
  void SyncOwn() override {
    if (Changed(&MenuEntry::caption)) w_->setText(Q(m_.caption));
    if (Changed(&Control::enabled)) w_->setEnabled(m_.enabled);
    if (Changed(&Control::visible)) w_->setVisible(m_.visible);
    if (Changed(&MenuEntry::checked)) {
      w_->setCheckable(m_.checked || w_->isCheckable());
      w_->setChecked(m_.checked);
    }
  }
};

class CreateBindings : public ControlVisitor {
 public:
  CreateBindings(std::vector<std::unique_ptr<ControlBinding>>& out, BindingContext ctx,
                 QWidget* parent)
      : out_(out), ctx_(std::move(ctx)), parent_(parent) {}

  void Visit(Button& c) override { Add<ButtonBinding>(c); }
  void Visit(Label& c) override { Add<LabelBinding>(c); }
  void Visit(TextBox& c) override {
    if (c.multiLine)
      Add<MultiLineBinding>(c);
    else
      Add<LineBinding>(c);
  }
  void Visit(ComboBox& c) override { Add<ComboBinding>(c); }
  void Visit(ListBox& c) override { Add<ListBinding>(c); }
  void Visit(OptionButton& c) override { Add<OptionBinding>(c); }
  void Visit(CheckBox& c) override { Add<CheckBinding>(c); }
  void Visit(Frame& c) override { Add<FrameBinding>(c); }
  void Visit(ScrollBar& c) override { Add<ScrollBinding>(c); }
  void Visit(Shape& c) override { Add<ShapeBinding>(c); }
  void Visit(ProgressBar& c) override { Add<ProgressBinding>(c); }
  void Visit(MenuEntry& c) override { Add<MenuBinding>(c); }

 private:
  template <typename B, typename M>
  void Add(M& control) {
    out_.push_back(std::make_unique<B>(control, parent_, ctx_));
  }
  std::vector<std::unique_ptr<ControlBinding>>& out_;
  BindingContext ctx_;
  QWidget* parent_;
};

}  // namespace

QWidget* ControlBinding::widget() const {
  return qobject_cast<QWidget*>(object());
}

void ControlBinding::SetBaseFont(const QFont& font) {
  baseFont_ = font;
  baseFontSet_ = true;
  fontDirty_ = true;
}

FormBinding::FormBinding(const FormControls& controls, BindingContext context, QWidget* parent) {
  CreateBindings create(bindings_, std::move(context), parent);
  if (controls) controls(create);
  for (auto& b : bindings_) byName_[b->name()] = b.get();
}

FormBinding::~FormBinding() = default;

ControlBinding* FormBinding::Find(const std::string& name) const {
  auto it = byName_.find(name);
  return it == byName_.end() ? nullptr : it->second;
}

QWidget* FormBinding::Widget(const std::string& name) const {
  ControlBinding* b = Find(name);
  return b ? b->widget() : nullptr;
}

QAction* FormBinding::MenuAction(const std::string& name) const {
  ControlBinding* b = Find(name);
  return b ? qobject_cast<QAction*>(b->object()) : nullptr;
}

void FormBinding::Sync() {
  for (auto& b : bindings_)
    if (b->object()) b->Sync();
}

QString WithoutMnemonic(const std::string& caption) {
  const QString text = Q(caption);
  QString out;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;  // "&&" keeps one "&"
    out += text[i];
  }
  return out;
}

}  // namespace qd::gui
