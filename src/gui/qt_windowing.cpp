#include "gui/qt_windowing.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QSocketNotifier>
#include <QUrl>

#include <fcntl.h>
#include <unistd.h>

#include <vector>

#include "gui/dialog_view.h"
#include "gui/main_window_view.h"
#include "program.h"

namespace qd::gui {

QtWindowing::QtWindowing() {
  deadline_.setSingleShot(true);
  deadline_.setTimerType(Qt::PreciseTimer);
}

QtWindowing::~QtWindowing() {
  dialogs_.clear();
  main_.reset();
}

void QtWindowing::Attach(Program& program) {
  program_ = &program;
  queue_ = &program.actions;
  main_ = std::make_unique<MainWindowView>(program.main, [this](Action a) { Post(std::move(a)); });
}

void QtWindowing::WatchSignalPipe(int fd) {
  // Draining must never block the window thread.
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  signalNotifier_ = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
  QObject::connect(signalNotifier_.get(), &QSocketNotifier::activated, [this, fd] {
    char buffer[64];
    while (::read(fd, buffer, sizeof buffer) > 0) {
    }
    Action a;
    a.control = "unload";
    a.event = "Unload";
    Post(a);
  });
}

void QtWindowing::Post(Action a) {
  if (queue_) queue_->Post(std::move(a));
}

QWidget* QtWindowing::View(const std::string& formName) const {
  if (main_ && program_ && formName == program_->main.name) return main_.get();
  auto it = dialogs_.find(formName);
  return it == dialogs_.end() ? nullptr : it->second.get();
}

void QtWindowing::SyncViews() {
  if (main_) main_->Sync();
  for (auto& [name, view] : dialogs_) view->Sync();
}

void QtWindowing::Pump(ActionQueue& queue, double maxWaitSeconds, std::span<const int> wakeFds) {
  queue_ = &queue;
  SyncViews();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  if (!queue.Empty() || maxWaitSeconds <= 0) return;

  // Idle: sleep in Qt's dispatcher until input, a port, the signal pipe or the
  // deadline. Notifiers are made per wait: a port may close between pumps.
  std::vector<std::unique_ptr<QSocketNotifier>> ports;
  for (int fd : wakeFds)
    ports.push_back(std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read));
  deadline_.start(static_cast<int>(maxWaitSeconds * 1000.0 + 0.5));
  QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  deadline_.stop();
}

void QtWindowing::Repaint() {
  SyncViews();
  // Input may arrive and is queued; it runs at the next yield, not now.
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtWindowing::Beep() {
  QApplication::beep();
}

void QtWindowing::WaitWhileVisible(QWidget& window) {
  // Modal to the application, so nothing else posts meanwhile; the wait runs
  // in core code, outside any Qt dispatch.
  while (window.isVisible()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

void QtWindowing::MessageBox(const std::string& text, const std::string& title) {
  SyncViews();
  QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), QString::fromStdString(text),
                  QMessageBox::Ok, main_.get());
  box.setObjectName("messageBox");
  box.setWindowModality(Qt::ApplicationModal);
  box.show();
  WaitWhileVisible(box);
}

void QtWindowing::ShowForm(Form& form) {
  form.visible = true;
  if (program_ && &form == &program_->main) {
    main_->Sync();
    return;
  }
  FormControls controls;
  if (program_) {
    auto it = program_->forms.find(form.name);
    if (it != program_->forms.end() && it->second.form == &form) controls = it->second.controls;
  }
  // A dialog is built afresh each time it is shown: its model may be new.
  dialogs_.erase(form.name);
  auto view = std::make_unique<DialogView>(
      form, controls, [this](Action a) { Post(std::move(a)); }, main_.get());
  // A dialog with no position of its own opens over the middle of the panel.
  if (form.left == 0 && form.top == 0 && main_) {
    view->layout()->activate();
    view->move(main_->geometry().center() - view->rect().center());
  }
  view->Sync();
  dialogs_[form.name] = std::move(view);
}

void QtWindowing::HideForm(Form& form) {
  form.visible = false;
  if (program_ && &form == &program_->main) {
    main_->Sync();
    return;
  }
  auto it = dialogs_.find(form.name);
  if (it == dialogs_.end()) return;
  // Deleted at once: core code calls this, never a handler of the view itself.
  it->second->hide();
  dialogs_.erase(it);
}

QString QtFileFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    out << parts[i] + " (" + patterns + ")";
  }
  return out.join(";;");
}

std::optional<std::string> QtWindowing::RunFileDialog(const FileDialogOptions& o, bool save) {
  SyncViews();
  // Qt's own dialog, not the desktop's: a native one would run its own loop.
  QFileDialog dialog(main_.get(), QString::fromStdString(o.title));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  const QStringList filters = QtFileFilter(o.filter).split(";;", Qt::SkipEmptyParts);
  if (!filters.empty()) {
    dialog.setNameFilters(filters);
    if (o.filterIndex >= 1 && o.filterIndex <= filters.size())
      dialog.selectNameFilter(filters[o.filterIndex - 1]);
  }
  if (!o.defaultExtension.empty())
    dialog.setDefaultSuffix(QString::fromStdString(o.defaultExtension));
  if (!o.initialName.empty()) dialog.selectFile(QString::fromStdString(o.initialName));
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.show();
  WaitWhileVisible(dialog);
  if (dialog.result() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtWindowing::FileOpenDialog(const FileDialogOptions& options) {
  return RunFileDialog(options, false);
}

std::optional<std::string> QtWindowing::FileSaveDialog(const FileDialogOptions& options) {
  return RunFileDialog(options, true);
}

bool QtWindowing::OpenWithDesktop(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

ScreenSize QtWindowing::Screen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return {};
  const QRect g = screen->geometry();
  return {g.width() * kTwipsPerPixel, g.height() * kTwipsPerPixel};
}

}  // namespace qd::gui
