#include "app/settings_failure_notice.h"

#include <QMetaObject>
#include <QPointer>
#include <QWidget>
#include <atomic>

#include "app/centered_message_box.h"
#include "settings/settings.h"

namespace tavimoro::app {

QString SettingsNotSavedText(const QString& problem) {
  return QStringLiteral("Your settings could not be saved.\n\n") + problem +
         QStringLiteral(
             "\n\nChanges are kept while the program runs and saved as soon as the file can be written.");
}

void ShowSettingsFailuresOnce(QWidget* window) {
  auto shown = std::make_shared<std::atomic<bool>>(false);
  QPointer<QWidget> target(window);
  SetWriteFailureHandler([shown, target](const std::string& problem) {
    if (!target || shown->exchange(true)) return;
    const QString text = SettingsNotSavedText(QString::fromStdString(problem));
    QMetaObject::invokeMethod(
        target.data(),
        [target, text] {
          if (target) ShowMessage(target.data(), kProgramTitle, text);
        },
        Qt::QueuedConnection);
  });
}

}  // namespace tavimoro::app
