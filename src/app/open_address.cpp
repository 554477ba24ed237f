#include "app/open_address.h"

#include <QDesktopServices>
#include <QDir>

#include "app/centered_message_box.h"

namespace tavimoro::app {

namespace {

AddressOpener& Opener() {
  static AddressOpener opener;
  return opener;
}

}  // namespace

void SetAddressOpener(AddressOpener opener) { Opener() = std::move(opener); }

QString OpenFailureText(const QUrl& address) {
  QString text = QStringLiteral("No web browser could be opened for this page:\n\n") +
                 address.toString(QUrl::PrettyDecoded);
  if (address.isLocalFile()) {
    text += QStringLiteral("\n\nThe page is a file on this computer:\n") +
            QDir::toNativeSeparators(address.toLocalFile());
  }
  return text;
}

bool OpenAddress(const QUrl& address, QWidget* parent) {
  const bool opened = Opener() ? Opener()(address) : QDesktopServices::openUrl(address);
  if (!opened) ShowMessage(parent ? parent : MainWindow(), kProgramTitle, OpenFailureText(address));
  return opened;
}

}  // namespace tavimoro::app
