#include <QApplication>
#include <QIcon>
#include <optional>
#include <string>

#include "app/form1.h"
#include "app/help_pages.h"
#include "app/popup_menus.h"
#include "app/settings_failure_notice.h"
#include "app/startup.h"
#include "app/update_check.h"
#include "engine/step_finder.h"
#include "engine/tables.h"
#include "generator/random.h"
#include "settings/settings.h"

namespace {

// "--ini PATH" or "--ini=PATH" among the arguments.
std::optional<std::string> IniOption(const QStringList& args) {
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--ini") && i + 1 < args.size()) return args[i + 1].toStdString();
    if (args[i].startsWith(QLatin1String("--ini="))) return args[i].mid(6).toStdString();
  }
  return std::nullopt;
}

// The puzzle file named on the command line: the first argument that is
// not an option or the value of "--ini"; "" when there is none.
std::string PuzzleFileArgument(const QStringList& args) {
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == QLatin1String("--ini")) {
      ++i;
    } else if (!args[i].startsWith(QLatin1Char('-'))) {
      return args[i].toStdString();
    }
  }
  return "";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace tavimoro;
  QApplication application(argc, argv);
  QApplication::setApplicationName("Tavimoro");
  QApplication::setApplicationVersion(app::FormatVersion(app::LocalVersionString()));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tavimoro.svg")));
  SeedFromEnvironment();
  InitEngine();
  SetHelpBase(app::ChooseHelpBase(QApplication::applicationDirPath()));

  const std::string iniPath = LocateIniFile(IniOption(QApplication::arguments()));
  app::Form1 window(iniPath);
  app::ShowSettingsFailuresOnce(&window);
  app::Startup startup(
      &window, window.board(), iniPath,
      [&window](bool on) { window.menus()->action(Command::ShowWizard)->setChecked(on); },
      PuzzleFileArgument(QApplication::arguments()));
  app::QuitCleanlyOnTermination(&startup);
  window.show();
  return QApplication::exec();
}
