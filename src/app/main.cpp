#include <QApplication>
#include <optional>
#include <string>

#include "app/form1.h"
#include "app/help_pages.h"
#include "app/settings/settings.h"
#include "engine/step_finder.h"
#include "engine/tables.h"

namespace {

// "--ini PATH" or "--ini=PATH" among the arguments.
std::optional<std::string> IniOption(const QStringList& args) {
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--ini") && i + 1 < args.size()) return args[i + 1].toStdString();
    if (args[i].startsWith(QLatin1String("--ini="))) return args[i].mid(6).toStdString();
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tavimoro");
  tavimoro::InitEngine();
  tavimoro::SetHelpBase(tavimoro::app::ChooseHelpBase(QApplication::applicationDirPath()));
  tavimoro::app::Form1 window(tavimoro::LocateIniFile(IniOption(QApplication::arguments())));
  window.show();
  window.restoreLastBoard();
  return QApplication::exec();
}
