#include "app/help_pages.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "app/open_address.h"
#include "app/update_check.h"
#include "engine/step_finder.h"

namespace tavimoro::app {

QString BundledHelpFolder(const QString& programFolder) {
  const QDir program(programFolder);
  for (const char* relative : {"help", "../share/tavimoro/help"}) {
    const QFileInfo page(program.filePath(QString::fromLatin1(relative) + "/" + kHelpFilePage));
    if (page.isFile()) return page.absoluteDir().canonicalPath() + "/";
  }
  return {};
}

std::string ChooseHelpBase(const QString& programFolder) {
  if (const auto server = ServerFromEnvironment()) return (*server + "/help/").toStdString();
  const QString bundled = BundledHelpFolder(programFolder);
  if (!bundled.isEmpty()) {
    return HtmlSafeAddress(QUrl::fromLocalFile(bundled).toString(QUrl::FullyEncoded)).toStdString();
  }
  return (QString::fromLatin1(kMakerServer) + "/help/").toStdString();
}

void OpenHelpPage(const QString& page, const QString& anchor) {
  OpenAddress(QUrl(QString::fromStdString(HelpBase()) + page + anchor));
}

}  // namespace tavimoro::app
