#include "app/settings_failure_notice.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMetaObject>
#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <QWidget>
#include <memory>
#include <mutex>

#include "app/centered_message_box.h"
#include "settings/settings.h"

namespace tavimoro::app {

QString SettingsNotSavedText(const QStringList& problems) {
  return QStringLiteral("Your settings could not be saved.\n\n") + problems.join(QStringLiteral("\n")) +
         QStringLiteral(
             "\n\nChanges are kept while the program runs and saved as soon as the file can be written.");
}

namespace {

// True while the way out's question is open: it shows the problem itself.
bool gSettling = false;

// Texts gathered until the window shows them in one box. Writes may come
// from other threads, so the list has its own lock.
class GatheredNotice : public std::enable_shared_from_this<GatheredNotice> {
 public:
  GatheredNotice(QWidget* window, std::function<QString(const QStringList&)> compose)
      : window_(window), compose_(std::move(compose)) {}

  void add(const QString& text) {
    {
      const std::lock_guard<std::mutex> guard(mutex_);
      if (!pending_.contains(text)) pending_.append(text);
      if (scheduled_) return;
      scheduled_ = true;
    }
    QPointer<QWidget> target = window_;
    if (!target) return;
    QMetaObject::invokeMethod(
        target.data(), [self = shared_from_this(), target] { self->show(target); }, Qt::QueuedConnection);
  }

 private:
  void show(const QPointer<QWidget>& target) {
    QStringList texts;
    {
      const std::lock_guard<std::mutex> guard(mutex_);
      texts.swap(pending_);
      scheduled_ = false;
    }
    if (target && target->isVisible() && !gSettling && !texts.isEmpty())
      ShowMessage(target.data(), kProgramTitle, compose_(texts));
  }

  QPointer<QWidget> window_;
  std::function<QString(const QStringList&)> compose_;
  std::mutex mutex_;
  QStringList pending_;
  bool scheduled_ = false;
};

// Centred once its size is settled, as the other boxes are.
class CentredBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    CentreOnMainWindow(this, parentWidget());
  }
};

QString Quoted(const std::string& text) { return QStringLiteral("\"") + QString::fromStdString(text) + "\""; }

}  // namespace

void ShowSettingsFailuresOnce(QWidget* window) {
  auto failures = std::make_shared<GatheredNotice>(window, SettingsNotSavedText);
  SetWriteFailureHandler(
      [failures](const std::string& problem) { failures->add(QString::fromStdString(problem)); });
  auto renamed = std::make_shared<GatheredNotice>(
      window, [](const QStringList& texts) { return texts.join(QStringLiteral("\n\n")); });
  SetRenamedWriteHandler([renamed](const RenamedWrite& moved) {
    renamed->add(QStringLiteral("Another copy of the program saved a puzzle named ") + Quoted(moved.key) +
                 QStringLiteral(" while yours waited to be saved, so yours was saved as ") +
                 Quoted(moved.savedAs) + QStringLiteral("."));
  });
}

bool SettleUnsavedSettings(QWidget* window, const std::string& iniPath) {
  WriteOutcome outcome = WriteUnsavedSettings(iniPath, kExitLockWait);
  gSettling = true;
  const std::shared_ptr<void> settled(nullptr, [](void*) { gSettling = false; });
  while (!outcome.ok()) {
    QMessageBox box(
        QMessageBox::Warning, kProgramTitle,
        QStringLiteral("Some changes to your settings and saved puzzles could not be saved:\n\n") +
            QString::fromStdString(outcome.problem) +
            QStringLiteral("\n\nTry again, save them in another file, or discard them?"),
        QMessageBox::Retry | QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, window);
    box.setTextFormat(Qt::PlainText);
    box.button(QMessageBox::Save)->setText(QStringLiteral("Save Elsewhere..."));
    box.setDefaultButton(QMessageBox::Retry);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
      case QMessageBox::Retry:
        outcome = WriteUnsavedSettings(iniPath);
        break;
      case QMessageBox::Save: {
        const QString other = QFileDialog::getSaveFileName(window, QStringLiteral("Save Settings Elsewhere"),
                                                           QFileInfo(QString::fromStdString(iniPath)).path(),
                                                           QStringLiteral("Settings files (*.ini)"));
        if (other.isEmpty()) break;
        const std::string problem = SaveSettingsElsewhere(iniPath, other.toStdString());
        if (problem.empty()) return true;
        outcome.problem = problem;
        break;
      }
      case QMessageBox::Discard:
        return true;
      default:
        return false;
    }
  }
  return true;
}

}  // namespace tavimoro::app
