// Every control of a window exists under its name, shows its caption and
// tool tip, and follows the model's state.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "gui/control_binding.h"
#include "gui/panel_widgets.h"
#include "gui_fixture.h"
#include "link/events.h"

namespace qd::test {
namespace {

// Checks each control of a form against the widget bound to it.
class ExpectShown : public ControlVisitor {
 public:
  explicit ExpectShown(std::function<QObject*(const std::string&)> find) : find_(std::move(find)) {}
  int checked = 0;

  void Visit(Button& c) override { Text<QPushButton>(c, c.caption, &QPushButton::text); }
  void Visit(Label& c) override {
    Text<QLabel>(c, gui::WithoutMnemonic(c.caption).toStdString(), &QLabel::text);
  }
  void Visit(TextBox& c) override {
    QObject* o = Widget(c);
    if (auto* line = qobject_cast<QLineEdit*>(o))
      EXPECT_EQ(line->text().toStdString(), c.text) << c.name;
    else if (auto* edit = qobject_cast<QPlainTextEdit*>(o))
      EXPECT_EQ(edit->toPlainText().toStdString(), c.text) << c.name;
    else
      ADD_FAILURE() << c.name << " is not a text box";
  }
  void Visit(ComboBox& c) override {
    auto* combo = qobject_cast<QComboBox*>(Widget(c));
    ASSERT_NE(combo, nullptr) << c.name;
    EXPECT_EQ(combo->currentText().toStdString(), c.text) << c.name;
    ASSERT_EQ(combo->count(), static_cast<int>(c.items.size())) << c.name;
    for (int i = 0; i < combo->count(); ++i)
      EXPECT_EQ(combo->itemText(i).toStdString(), c.items[i]) << c.name;
  }
  void Visit(OptionButton& c) override {
    auto* o = Text<QRadioButton>(c, c.caption, &QRadioButton::text);
    if (o) {
      EXPECT_EQ(o->isChecked(), c.value) << c.name;
    }
  }
  void Visit(CheckBox& c) override {
    auto* o = Text<QCheckBox>(c, c.caption, &QCheckBox::text);
    if (o) {
      EXPECT_EQ(o->isChecked(), c.value != 0) << c.name;
    }
  }
  void Visit(Frame& c) override { Text<QGroupBox>(c, c.caption, &QGroupBox::title); }
  void Visit(ScrollBar& c) override { Typed<QScrollBar>(c); }
  void Visit(Shape& c) override { Typed<gui::ShapeView>(c); }
  void Visit(ProgressBar& c) override {
    auto* bar = Typed<gui::MeterBar>(c);
    if (bar) {
      EXPECT_EQ(bar->value(), c.value);
    }
  }
  void Visit(MenuEntry& c) override {
    auto* action = qobject_cast<QAction*>(find_(c.name));
    ASSERT_NE(action, nullptr) << c.name;
    EXPECT_EQ(action->text().toStdString(), c.caption) << c.name;
    ++checked;
  }

 private:
  QObject* Widget(const Control& c) {
    QObject* o = find_(c.name);
    EXPECT_NE(o, nullptr) << c.name << " has no widget";
    if (auto* w = qobject_cast<QWidget*>(o)) {
      EXPECT_EQ(w->toolTip().toStdString(), c.toolTip) << c.name;
      EXPECT_EQ(w->isEnabled(), c.enabled) << c.name;
    }
    ++checked;
    return o;
  }
  template <typename W>
  W* Typed(const Control& c) {
    auto* w = qobject_cast<W*>(Widget(c));
    EXPECT_NE(w, nullptr) << c.name << " has the wrong kind of widget";
    return w;
  }
  template <typename W, typename Getter>
  W* Text(const Control& c, const std::string& caption, Getter get) {
    W* w = Typed<W>(c);
    if (w) {
      EXPECT_EQ((w->*get)().toStdString(), caption) << c.name;
    }
    return w;
  }
  std::function<QObject*(const std::string&)> find_;
};

TEST_F(GuiTest, EveryControlOfEveryWindowIsShownUnderItsName) {
  for (const char* form : {"frmQD6250", "frmPortSetup", "frmCATSetup", "frmHelp"}) {
    SCOPED_TRACE(form);
    FormEntry& entry = program->forms.at(form);
    windowing.ShowForm(*entry.form);
    windowing.Repaint();
    ExpectShown check([&](const std::string& n) { return Find(n, form); });
    entry.controls(check);
    EXPECT_GT(check.checked, 3);
    EXPECT_EQ(windowing.View(form)->windowTitle().toStdString(), entry.form->caption);
  }
}

TEST_F(GuiTest, MenusCarryTheirEntriesWithAccessKeys) {
  QMenuBar* bar = windowing.mainView()->menuBar();
  const std::vector<std::pair<std::string, std::vector<std::string>>> expected = {
      {"&File", {"E&xit"}},
      {"Scan", {"Scan Bands", "Scan Freqs"}},
      {"Setup", {"Port Setup", "Audio Setup", "CAT Setup", "Channels"}},
      {"Help", {"About", "QD-6250 Help"}},
  };
  const QList<QAction*> tops = bar->actions();
  ASSERT_EQ(tops.size(), static_cast<qsizetype>(expected.size()));
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(tops[i]->text().toStdString(), expected[i].first);
    ASSERT_NE(tops[i]->menu(), nullptr);
    std::vector<std::string> entries;
    for (QAction* a : tops[i]->menu()->actions()) entries.push_back(a->text().toStdString());
    EXPECT_EQ(entries, expected[i].second);
  }
}

TEST_F(GuiTest, ModelChangesReachTheWidgets) {
  frmQD6250& m = program->main;
  m.caption = "QD-6250 0.971 : test";
  m.cmdXmit.caption = "&XMT OFF";
  m.cmdXmit.backColour = colour::kRed;
  m.lblXMTRCV.caption = "Transmit";
  m.lblXMTRCV.backColour = colour::kRed;
  m.lblXMTRCV.bold = true;
  m.cmdTune.enabled = false;
  m.txtInData.visible = false;
  m.cmbMode.text = "LSB";
  m.cmbStepSize.text = "25Hz";  // not a listed item
  m.cmdF[3].caption = "7";
  m.txtInfo.text = "Port is not available. Use Setup menu or Exit.";
  m.pbMeter.value = 7;
  m.shaFault.fillColour = colour::kRed;
  m.mnuScanBands.enabled = false;
  m.lblMeter[2].foreColour = colour::kGreyText;
  windowing.Repaint();

  auto* main = windowing.mainView();
  EXPECT_EQ(main->windowTitle().toStdString(), m.caption);
  auto* xmit = As<QPushButton>("cmdXmit");
  EXPECT_EQ(xmit->text(), "&XMT OFF");
  EXPECT_EQ(xmit->palette().color(QPalette::Button), QColor(255, 0, 0));
  auto* xmtrcv = As<QLabel>("lblXMTRCV");
  EXPECT_EQ(xmtrcv->text(), "Transmit");
  EXPECT_EQ(xmtrcv->palette().color(QPalette::Window), QColor(255, 0, 0));
  EXPECT_TRUE(xmtrcv->font().bold());
  EXPECT_FALSE(As<QPushButton>("cmdTune")->isEnabled());
  EXPECT_TRUE(As<QPlainTextEdit>("txtInData")->isHidden());
  EXPECT_EQ(As<QComboBox>("cmbMode")->currentText(), "LSB");
  EXPECT_EQ(As<QComboBox>("cmbStepSize")->currentText(), "25Hz");
  EXPECT_EQ(As<QPushButton>("cmdF(3)")->text(), "7");
  EXPECT_EQ(As<QPlainTextEdit>("txtInfo")->toPlainText().toStdString(), m.txtInfo.text);
  EXPECT_EQ(As<gui::MeterBar>("pbMeter")->value(), 7);
  EXPECT_FALSE(As<QAction>("mnuScanBands")->isEnabled());
  // Grey text is the palette's disabled text colour.
  EXPECT_EQ(As<QLabel>("lblMeter(2)")->palette().color(QPalette::WindowText),
            QApplication::palette().color(QPalette::Disabled, QPalette::WindowText));

  // A disabled window greys its contents and menus but not the dialogs it owns.
  m.enabled = false;
  windowing.ShowForm(program->portSetup);
  windowing.Repaint();
  EXPECT_FALSE(main->centralWidget()->isEnabled());
  EXPECT_FALSE(main->menuBar()->isEnabled());
  EXPECT_TRUE(windowing.View("frmPortSetup")->isEnabled());
}

TEST_F(GuiTest, ScrollBarsWithTheirMinimumAtTheTop) {
  struct Case {
    const char* name;
    int value;
    bool atTop;
    bool atBottom;
  };
  // vscRFG runs 63 (top) to 0; vscBFO 200 (top) to 0.
  for (const Case& c : {Case{"vscRFG", 63, true, false}, Case{"vscRFG", 0, false, true},
                        Case{"vscBFO", 200, true, false}, Case{"vscBFO", 100, false, false}}) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.value));
    ScrollBar& model =
        std::string(c.name) == "vscRFG" ? program->main.vscRFG : program->main.vscBFO;
    model.value = c.value;
    windowing.Repaint();
    auto* bar = As<QScrollBar>(c.name);
    EXPECT_EQ(bar->value() == bar->minimum(), c.atTop);
    EXPECT_EQ(bar->value() == bar->maximum(), c.atBottom);
  }
  // One step down the bar lowers the value the model sees.
  program->main.vscRFG.enabled = true;
  program->main.vscRFG.value = 63;
  windowing.Repaint();
  Record("vscRFG", "Change");
  As<QScrollBar>("vscRFG")->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  Yield();
  ASSERT_EQ(handled.size(), 1u);
  EXPECT_EQ(handled[0].value, 62);
  EXPECT_EQ(program->main.vscRFG.value, 62);
}

}  // namespace
}  // namespace qd::test
