// The windows fit a 1366x768 screen with nothing clipped or overlapping, and
// screenshots of each are saved for a person to look at.
#include <QApplication>
#include <QDir>
#include <QScreen>

#include "gui/dialog_view.h"
#include "gui_fixture.h"
#include "link/events.h"

namespace qd::test {
namespace {

// A panel as it looks when the radio is up: values in every display.
void FillPanel(frmQD6250& m) {
  const std::string freq = "1425000";
  for (int i = 0; i < 7; ++i) m.cmdF[i].caption = std::string(1, freq[i]);
  const std::string vfoB = "0712500";
  for (int i = 0; i < 7; ++i) m.cmdVFOB[i].caption = std::string(1, vfoB[i]);
  m.caption = "QD-6250 0.971 : 8-20-26 : 1626";
  m.lblREMOTE.caption = "REMOTE";
  m.lblComStat.caption = "COM3";
  m.lblFWType.caption = "F/W: v604 Adapt";
  m.lblU.caption = "U";
  m.cmbMode.text = "USB";
  m.cmbAGC.text = "SLOW";
  m.cmbSource.text = "MIC";
  m.cmbStepSize.text = "1KHz";
  m.lblMute.caption = "ON";
  m.lblSideTone.caption = "OFF";
  m.lblVox.caption = "OFF";
  m.lblClipping.caption = "OFF";
  m.lblPTTEn.caption = "ON";
  m.lblInBand.caption = "In Band";
  m.lblInBand.backColour = colour::kGreen;
  m.lblAmpPwr.caption = "OFF";
  m.pbMeter.value = 9;
  SelectOption(m.optMeter, 3);
  m.lblMeter[3].foreColour = colour::kButtonText;
  m.lblMeterScale.caption = "  S3    S6     S9      +30      +60   ";
  m.txtBFO.text = "000";
  m.txtRFG.text = "100";
  m.lblBFOOn.caption = "ON";
  m.txtInCat.text = "FA;";
  m.txtOutCAT.text = "FA00014250000;";
  m.txtInfo.text = "Querying radio status";
  m.txtInData.text = "F1425000\r\nM1\r\nA1";
  for (Button* b : {&m.cmdXmit, &m.cmdTune, &m.cmdPTT, &m.cmdTest, &m.cmdMute, &m.cmdBFO})
    b->enabled = true;
  for (OptionButton& o : m.optMeter) o.enabled = true;
}

QRect InWindow(QWidget* w) {
  return QRect(w->mapTo(w->window(), QPoint(0, 0)), w->size());
}

bool Related(QWidget* a, QWidget* b) {
  return a->isAncestorOf(b) || b->isAncestorOf(a);
}

// Every control fits its window, is at least as large as it asks to be, and
// overlaps no other control.
void ExpectTidy(const gui::FormBinding& binding, QWidget* window) {
  std::vector<QWidget*> shown;
  for (const auto& b : binding.all()) {
    QWidget* w = b->widget();
    if (!w || w->isHidden()) continue;
    shown.push_back(w);
    const QRect r = InWindow(w);
    EXPECT_TRUE(window->rect().contains(r)) << b->name() << " leaves the window: " << r.x() << ","
                                            << r.y() << " " << r.width() << "x" << r.height();
    const QSize hint = w->minimumSizeHint();
    EXPECT_GE(w->width(), std::min(hint.width(), w->maximumWidth())) << b->name() << " is clipped";
    EXPECT_GE(w->height(), std::min(hint.height(), w->maximumHeight()))
        << b->name() << " is clipped";
  }
  for (std::size_t i = 0; i < shown.size(); ++i)
    for (std::size_t j = i + 1; j < shown.size(); ++j)
      if (!Related(shown[i], shown[j])) {
        EXPECT_FALSE(InWindow(shown[i]).intersects(InWindow(shown[j])))
            << shown[i]->objectName().toStdString() << " overlaps "
            << shown[j]->objectName().toStdString();
      }
}

void Save(QWidget* window, const std::string& name) {
  const QString path = QString::fromStdString(ScreenshotFolder() + "/" + name + ".png");
  EXPECT_TRUE(window->grab().save(path)) << path.toStdString();
}

TEST_F(GuiTest, TheTestScreenIs1366By768) {
  EXPECT_EQ(QGuiApplication::primaryScreen()->geometry().size(), QSize(1366, 768));
  const ScreenSize twips = windowing.Screen();
  EXPECT_EQ(twips.width, 1366 * kTwipsPerPixel);
  EXPECT_EQ(twips.height, 768 * kTwipsPerPixel);
}

TEST_F(GuiTest, MainWindowFitsTheScreenTidily) {
  FillPanel(program->main);
  windowing.ShowForm(program->main);
  windowing.Repaint();
  QWidget* window = windowing.mainView();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE(window->frameGeometry().width(), screen.width());
  EXPECT_LE(window->frameGeometry().height(), screen.height());
  ExpectTidy(windowing.mainView()->binding(), window);
  Save(window, "main_window");
  // The model knows how wide the message box really is (long texts are fitted to it).
  EXPECT_EQ(program->main.txtInfo.width, As<QWidget>("txtInfo")->width() * kTwipsPerPixel);
  EXPECT_GT(program->main.txtInfo.width, 0);

  // The LOCAL look: a frame hidden keeps the others where they were.
  program->main.txtInData.visible = false;
  program->main.lblU.visible = false;
  windowing.Repaint();
  Save(window, "main_window_local");
}

TEST_F(GuiTest, AWindowLargerThanTheScreenIsFittedToIt) {
  program->main.width = 1600 * kTwipsPerPixel;
  program->main.height = 1000 * kTwipsPerPixel;
  windowing.ShowForm(program->main);
  windowing.Repaint();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE(windowing.mainView()->width(), screen.width());
  EXPECT_LE(windowing.mainView()->height(), screen.height());
  EXPECT_EQ(program->main.height, windowing.mainView()->height() * kTwipsPerPixel)
      << "the model keeps the size the window really has";
}

TEST_F(GuiTest, DialogsAreTidy) {
  windowing.ShowForm(program->main);
  program->portSetup.cmbSelectPort.items = {"1", "3", "4"};
  program->portSetup.cmbSelectPort.text = "3";
  program->portSetup.txtFound.text = "1, 3, 4, ";
  program->catSetup.cmbSelectPort.items = {"1", "3", "4"};
  program->catSetup.cmbSelectPort.text = "4";
  program->catSetup.txtFound.text = "1, 3, 4, ";
  for (const char* form : {"frmPortSetup", "frmCATSetup", "frmHelp"}) {
    SCOPED_TRACE(form);
    FormEntry& entry = program->forms.at(form);
    windowing.ShowForm(*entry.form);
    windowing.Repaint();
    auto* view = qobject_cast<gui::DialogView*>(windowing.View(form));
    ASSERT_NE(view, nullptr);
    ExpectTidy(view->binding(), view);
    Save(view, form);
  }
}

}  // namespace
}  // namespace qd::test
