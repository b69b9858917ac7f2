#include "gui/main_window_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/panel_widgets.h"

namespace qd::gui {

namespace {

QFont DigitFont(int pointSize) {
  QFont f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  f.setStyleHint(QFont::Monospace);
  f.setPointSize(pointSize);
  f.setBold(true);
  return f;
}

// A title inside a frame whose own caption the model keeps empty.
QLabel* Heading(const char* text) {
  auto* l = new QLabel(text);
  QFont f = l->font();
  f.setBold(true);
  l->setFont(f);
  return l;
}

QVBoxLayout* Column(QWidget* parent, int spacing = 6) {
  auto* l = new QVBoxLayout(parent);
  l->setSpacing(spacing);
  return l;
}

QWidget* Row(std::initializer_list<QWidget*> widgets) {
  auto* host = new QWidget;
  auto* l = new QHBoxLayout(host);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(8);
  for (QWidget* w : widgets) l->addWidget(w);
  l->addStretch(1);
  return host;
}

}  // namespace

MainWindowView::MainWindowView(frmQD6250& form, PostAction post)
    : form_(form), post_(std::move(post)) {
  setObjectName(QString::fromStdString(form.name));
  auto* central = new QWidget(this);
  setCentralWidget(central);
  binding_ = std::make_unique<FormBinding>([&form](ControlVisitor& v) { VisitControls(form, v); },
                                           BindingContext{form.name, post_}, central);

  auto* outer = new QVBoxLayout(central);
  outer->setContentsMargins(8, 4, 8, 8);
  outer->setSpacing(6);
  outer->addWidget(BuildStatusStrip());

  auto* body = new QHBoxLayout;
  body->setSpacing(8);
  auto* left = new QVBoxLayout;
  left->addWidget(BuildTransmit());
  left->addWidget(BuildMeter());
  left->addWidget(BuildReceiver(), 1);
  auto* middle = new QVBoxLayout;
  middle->addWidget(BuildVfoA());
  middle->addWidget(BuildVfoB());
  middle->addWidget(BuildModes());
  middle->addWidget(BuildBands());
  middle->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(BuildToggles());
  right->addWidget(BuildChannels());
  right->addWidget(BuildAmp());
  right->addStretch(1);
  body->addLayout(left, 0);
  body->addLayout(middle, 1);
  body->addLayout(right, 0);
  outer->addLayout(body, 1);
  outer->addWidget(BuildMessages());

  BuildMenu();
  // The panel's boxes offer their lists; typed text would also be taken as
  // the window's tuning keys.
  for (const auto& b : binding_->all())
    if (auto* combo = qobject_cast<QComboBox*>(b->widget())) combo->lineEdit()->setReadOnly(true);

  window_ = std::make_unique<FormWindow>(form_, *this, central);
  window_->AddInputArea(menuBar());
  qApp->installEventFilter(this);
  Sync();
}

MainWindowView::~MainWindowView() {
  qApp->removeEventFilter(this);
}

void MainWindowView::Sync() {
  binding_->Sync();
  window_->Sync();
}

QWidget* MainWindowView::W(const std::string& name) const {
  QWidget* w = binding_->Widget(name);
  Q_ASSERT(w);
  return w;
}

QWidget* MainWindowView::W(const std::string& array, int index) const {
  return W(array + "(" + std::to_string(index) + ")");
}

QGroupBox* MainWindowView::Frame(const std::string& name) const {
  return qobject_cast<QGroupBox*>(W(name));
}

void MainWindowView::Indicator(const std::string& name, int minWidth) const {
  auto* l = qobject_cast<QLabel*>(W(name));
  l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  l->setAlignment(Qt::AlignCenter);
  l->setMinimumWidth(minWidth);
  l->setMinimumHeight(22);
}

QWidget* MainWindowView::BuildStatusStrip() {
  for (const char* n : {"lblXMTRCV", "lblREMOTE", "lblComStat", "lblFWType", "lblExtPTT"})
    Indicator(n, 96);
  Indicator("lblFWType", 150);
  Indicator("lblU", 26);
  W("shaTrace")->setFixedSize(18, 18);
  auto* strip = Row({W("shaTrace"), W("lblU"), W("lblXMTRCV"), W("lblREMOTE"), W("lblComStat"),
                     W("lblFWType"), W("lblExtPTT")});
  return strip;
}

QHBoxLayout* MainWindowView::DigitRow(const std::string& digitArray, const std::string& comma,
                                      const std::string& point, const DigitRowSize& size) const {
  auto* row = new QHBoxLayout;
  row->setSpacing(size.spacing);
  const QFont font = DigitFont(size.pointSize);
  auto add = [&](QWidget* w, int width) {
    binding_->Find(w->objectName().toStdString())->SetBaseFont(font);
    w->setFocusPolicy(Qt::NoFocus);  // mouse only: each button steps its digit
    w->setFixedSize(width, size.height);
    row->addWidget(w);
  };
  // 14,250.00: the comma after the megahertz, the point before the tens of hertz.
  for (int i = 0; i < 7; ++i) {
    add(W(digitArray, i), size.digitWidth);
    if (i == 1) add(W(comma), size.markWidth);
    if (i == 4) add(W(point), size.markWidth);
  }
  for (const std::string& mark : {comma, point}) qobject_cast<QPushButton*>(W(mark))->setFlat(true);
  return row;
}

QWidget* MainWindowView::BuildVfoA() {
  auto* box = new QGroupBox("VFO A");
  auto* grid = new QGridLayout(box);
  QHBoxLayout* digits =
      DigitRow("cmdF", "Command1", "Command2",
               {.pointSize = 30, .spacing = 3, .height = 66, .digitWidth = 46, .markWidth = 22});
  auto* khz = new QLabel("kHz");
  digits->addSpacing(6);
  digits->addWidget(khz, 0, Qt::AlignBottom);
  grid->addLayout(digits, 0, 0, Qt::AlignLeft);
  Indicator("lblInfo", 150);
  grid->addWidget(W("lblInfo"), 1, 0, Qt::AlignLeft);

  QGroupBox* knob = Frame("fraExtKnob");
  auto* k = new QGridLayout(knob);
  k->addWidget(W("cmbStepSize"), 0, 0, 1, 2);
  k->addWidget(W("lblUp"), 1, 0);
  k->addWidget(W("lblDn"), 1, 1);
  W("cmbStepSize")->setMinimumWidth(90);
  grid->addWidget(knob, 0, 1, 2, 1, Qt::AlignTop);
  grid->setColumnStretch(0, 1);
  return box;
}

QWidget* MainWindowView::BuildVfoB() {
  QGroupBox* box = Frame("Frame4");
  auto* grid = new QGridLayout(box);
  QHBoxLayout* digits =
      DigitRow("cmdVFOB", "cmdCma", "cmdDot",
               {.pointSize = 16, .spacing = 2, .height = 38, .digitWidth = 28, .markWidth = 14});
  digits->addSpacing(8);
  digits->addWidget(W("cmbVFOBMode"));
  digits->addStretch(1);
  grid->addLayout(digits, 0, 0, 1, 3);

  Indicator("lblTXA", 40);
  Indicator("lblTXB", 40);
  Indicator("lblSplit", 80);
  grid->addWidget(W("optTXVFO", 0), 1, 0);
  grid->addWidget(W("lblTXA"), 1, 1);
  grid->addWidget(W("optTXVFO", 1), 2, 0);
  grid->addWidget(W("lblTXB"), 2, 1);
  auto* side = new QGridLayout;
  side->addWidget(W("lblSplit"), 0, 0, 1, 2);
  side->addWidget(W("cmdA2B"), 1, 0);
  side->addWidget(W("cmdSwap"), 1, 1);
  grid->addLayout(side, 1, 2, 2, 1, Qt::AlignRight);
  grid->setColumnStretch(2, 1);
  return box;
}

QWidget* MainWindowView::BuildModes() {
  auto* box = new QGroupBox("Mode");
  auto* grid = new QGridLayout(box);
  const char* pairs[][2] = {{"lblMode", "cmbMode"},
                            {"lblAGC", "cmbAGC"},
                            {"lblDig", "cmbDig"},
                            {"lblSource", "cmbSource"}};
  int column = 0;
  for (auto& [label, combo] : pairs) {
    grid->addWidget(W(label), 0, column);
    grid->addWidget(W(combo), 1, column);
    W(combo)->setMinimumWidth(100);
    ++column;
  }
  return box;
}

QWidget* MainWindowView::BuildMeter() {
  auto* box = new QGroupBox("Meter");
  auto* l = Column(box, 2);
  // The scale is text laid out in columns: a fixed-pitch font and a bar
  // exactly as wide as the scale's 38 characters keep the marks over the bar.
  auto* scale = qobject_cast<QLabel*>(W("lblMeterScale"));
  QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  mono.setStyleHint(QFont::Monospace);
  mono.setPointSize(9);
  binding_->Find("lblMeterScale")->SetBaseFont(mono);
  scale->setFont(mono);
  const int width = QFontMetrics(mono).horizontalAdvance(QString(38, QChar('0')));
  scale->setFixedWidth(width);
  scale->setMinimumHeight(QFontMetrics(mono).height() + 2);
  W("pbMeter")->setFixedSize(width, 22);
  l->addWidget(W("pbMeter"), 0, Qt::AlignHCenter);
  l->addWidget(scale, 0, Qt::AlignHCenter);
  auto* choices = new QGridLayout;
  choices->setHorizontalSpacing(4);
  for (int i = 0; i < 6; ++i) {
    auto* pair = new QHBoxLayout;
    pair->setSpacing(1);
    pair->addWidget(W("optMeter", i));
    pair->addWidget(W("lblMeter", i));
    choices->addLayout(pair, i / 3, i % 3);
  }
  l->addLayout(choices);
  return box;
}

QWidget* MainWindowView::BuildTransmit() {
  QGroupBox* box = Frame("fraLeftButtons");
  auto* grid = new QGridLayout(box);
  grid->addWidget(Heading("Transmit"), 0, 0, 1, 2);
  for (const char* n : {"cmdXmit", "cmdTune", "cmdPTTEn"}) W(n)->setMinimumHeight(30);
  W("cmdPTT")->setMinimumHeight(44);
  QFont pttFont = W("cmdPTT")->font();
  pttFont.setPointSize(pttFont.pointSize() + 3);
  pttFont.setBold(true);
  binding_->Find("cmdPTT")->SetBaseFont(pttFont);
  Indicator("lblPTTEn", 60);
  Indicator("lblInBand", 60);
  grid->addWidget(W("cmdXmit"), 1, 0);
  grid->addWidget(W("cmdTune"), 1, 1);
  grid->addWidget(W("cmdPTT"), 2, 0, 1, 2);
  grid->addWidget(W("cmdPTTEn"), 3, 0);
  grid->addWidget(W("lblPTTEn"), 3, 1);
  grid->addWidget(new QLabel("In band"), 4, 0);
  grid->addWidget(W("lblInBand"), 4, 1);
  return box;
}

QWidget* MainWindowView::BuildToggles() {
  QGroupBox* box = Frame("fraRightButtons");
  auto* grid = new QGridLayout(box);
  grid->addWidget(Heading("Functions"), 0, 0, 1, 2);
  const char* pairs[][2] = {{"cmdMute", "lblMute"},
                            {"cmdSideTone", "lblSideTone"},
                            {"cmdVOX", "lblVox"},
                            {"cmdClipping", "lblClipping"},
                            {"cmdTest", "lblTest"}};
  int row = 1;
  for (auto& [button, label] : pairs) {
    Indicator(label, 110);
    W(button)->setMinimumWidth(90);
    grid->addWidget(W(button), row, 0);
    grid->addWidget(W(label), row, 1);
    ++row;
  }
  Indicator("lblFault", 110);
  W("shaFault")->setFixedSize(22, 22);
  grid->addWidget(W("shaFault"), row, 0, Qt::AlignCenter);
  grid->addWidget(W("lblFault"), row, 1);
  grid->addWidget(W("cmdGetStatus"), row + 1, 0, 1, 2);
  return box;
}

QWidget* MainWindowView::BuildReceiver() {
  auto* host = new QWidget;
  auto* row = new QHBoxLayout(host);
  row->setContentsMargins(0, 0, 0, 0);

  QGroupBox* rf = Frame("fraRF");
  auto* r = new QGridLayout(rf);
  W("vscRFG")->setMinimumHeight(110);
  W("txtRFG")->setFixedWidth(52);
  r->addWidget(W("vscRFG"), 0, 0, 2, 1, Qt::AlignHCenter);
  r->addWidget(W("txtRFG"), 0, 1, Qt::AlignTop);

  QGroupBox* bfo = Frame("fraBFO");
  auto* b = new QGridLayout(bfo);
  W("vscBFO")->setMinimumHeight(110);
  W("txtBFO")->setFixedWidth(52);
  Indicator("lblPorM", 30);
  Indicator("lblBFOOn", 44);
  b->addWidget(W("vscBFO"), 0, 0, 4, 1, Qt::AlignHCenter);
  b->addWidget(W("lblPorM"), 0, 1);
  b->addWidget(W("txtBFO"), 0, 2);
  b->addWidget(W("lblBFOHz"), 0, 3);
  b->addWidget(W("cmdBFO"), 1, 1, 1, 2);
  b->addWidget(W("lblBFOOn"), 1, 3);
  b->setRowStretch(3, 1);
  // The two value boxes only show the bars' positions.
  for (const char* n : {"txtRFG", "txtBFO"}) {
    auto* edit = qobject_cast<QLineEdit*>(W(n));
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setAlignment(Qt::AlignRight);
  }
  row->addWidget(rf);
  row->addWidget(bfo, 1);
  return host;
}

QWidget* MainWindowView::BuildBands() {
  QGroupBox* box = Frame("fraBand");
  auto* grid = new QGridLayout(box);
  grid->setSpacing(4);
  for (std::size_t i = 0; i < kBandButtons.size(); ++i) {
    QWidget* b = W(kBandButtons[i].name);
    b->setMinimumSize(58, 30);
    grid->addWidget(b, static_cast<int>(i / 6), static_cast<int>(i % 6));
  }
  return box;
}

QWidget* MainWindowView::BuildChannels() {
  QGroupBox* box = Frame("Frame3");
  auto* grid = new QGridLayout(box);
  grid->addWidget(W("optChan", 0), 0, 0, 1, 4);
  grid->addWidget(W("optChan", 1), 1, 0, 1, 4);
  const QFont mid = DigitFont(16);
  grid->addWidget(W("lblChan"), 2, 0);
  for (int i = 0; i < 2; ++i) {
    binding_->Find("cmdM(" + std::to_string(i) + ")")->SetBaseFont(mid);
    W("cmdM", i)->setFixedSize(28, 38);
    W("cmdM", i)->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(W("cmdM", i), 2, 1 + i);
  }
  auto* transfer = new QVBoxLayout;
  transfer->addWidget(W("cmdM2V"));
  transfer->addWidget(W("cmdV2M"));
  grid->addLayout(transfer, 2, 3);
  grid->setColumnStretch(3, 1);
  return box;
}

QWidget* MainWindowView::BuildAmp() {
  QGroupBox* box = Frame("fraAmp");
  auto* grid = new QGridLayout(box);
  const char* pairs[][2] = {
      {"cmdAmpPwr", "lblAmpPwr"}, {"cmdAmpOpr", "lblAmpOpStby"}, {"cmdTuneAmp", "lblAmpTuned"}};
  int row = 0;
  for (auto& [button, label] : pairs) {
    Indicator(label, 110);
    grid->addWidget(W(button), row, 0);
    grid->addWidget(W(label), row, 1);
    ++row;
  }
  return box;
}

QWidget* MainWindowView::BuildCat() {
  QGroupBox* box = Frame("fraCAT");
  auto* grid = new QGridLayout(box);
  grid->addWidget(new QLabel("In"), 0, 0);
  grid->addWidget(W("txtInCat"), 0, 1);
  grid->addWidget(new QLabel("Out"), 1, 0);
  grid->addWidget(W("txtOutCAT"), 1, 1);
  return box;
}

QWidget* MainWindowView::BuildMessages() {
  auto* host = new QWidget;
  auto* row = new QHBoxLayout(host);
  row->setContentsMargins(0, 0, 0, 0);
  for (const char* n : {"txtInfo", "txtInData"}) {
    auto* edit = qobject_cast<QPlainTextEdit*>(W(n));
    edit->setFixedHeight(62);
    edit->setTabChangesFocus(true);
  }
  row->addWidget(W("txtInfo"), 3);
  row->addWidget(W("txtInData"), 2);
  row->addWidget(W("cmdViewInData"), 0, Qt::AlignTop);
  row->addWidget(BuildCat());
  return host;
}

void MainWindowView::BuildMenu() {
  const std::vector<std::pair<const char*, std::vector<const char*>>> menus = {
      {"mnuFile", {"mnuFileExit"}},
      {"mnuScan", {"mnuScanBands", "mnuScanFreqs"}},
      {"mnuSetup", {"mnuPortSetup", "mnuAudioSetup", "mnuCATSetup", "mnuChannelSetup"}},
      {"mnuHelp", {"mnuHelpAbout", "mnuHelpQD6250"}},
  };
  for (const auto& [top, entries] : menus) {
    QAction* topAction = binding_->MenuAction(top);
    auto* menu = new QMenu(this);
    for (const char* entry : entries) menu->addAction(binding_->MenuAction(entry));
    topAction->setMenu(menu);
    menuBar()->addAction(topAction);
  }
}

void MainWindowView::closeEvent(QCloseEvent* e) {
  // Ending the program is the core's business: it saves and closes the ports.
  e->ignore();
  Action a;
  a.form = form_.name;
  a.control = "unload";
  a.event = "Unload";
  post_(a);
}

bool MainWindowView::eventFilter(QObject* watched, QEvent* e) {
  // The window sees a key before its controls, and the control still gets it.
  if (e->type() != QEvent::KeyPress) return false;
  auto* w = qobject_cast<QWidget*>(watched);
  if (!w || w->window() != this) return false;
  QWidget* focus = QApplication::focusWidget();
  if (focus ? w != focus : w != this) return false;  // once, not per propagation step
  auto* key = static_cast<QKeyEvent*>(e);
  Action a;
  a.form = form_.name;
  a.control = "Form";
  a.event = "KeyDown";
  a.keyCode = PanelKeyCode(key->key());
  a.shift = ShiftMask(key->modifiers());
  if (a.keyCode != 0) post_(a);
  return false;
}

}  // namespace qd::gui
