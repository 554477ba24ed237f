#include "app/open_address.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDesktopServices>
#include <QDir>
#include <cerrno>
#include <chrono>
#include <future>
#include <memory>
#include <optional>
#include <thread>

#include "app/centered_message_box.h"

namespace tavimoro::app {

namespace {

AddressOpener& Opener() {
  static AddressOpener opener;
  return opener;
}

constexpr int kOpenerWaitMs = 3000;

// xdg-open reports a missing browser only by its exit status, after it has
// started; a browser it starts may run in the foreground for a long time,
// so after the wait the address counts as opened. The child is waited for
// on a thread of its own, so that it never lingers as a zombie, while the
// window keeps painting. Nothing when xdg-open cannot be started at all.
std::optional<bool> OpenWithXdgOpen(const QUrl& address) {
  const QByteArray text = address.toEncoded();
  char program[] = "xdg-open";
  char* argv[] = {program, const_cast<char*>(text.constData()), nullptr};
  pid_t child = 0;
  if (posix_spawnp(&child, program, nullptr, nullptr, argv, environ) != 0) return std::nullopt;
  auto status = std::make_shared<std::promise<bool>>();
  std::future<bool> succeeded = status->get_future();
  std::thread([child, status] {
    int code = 0;
    while (waitpid(child, &code, 0) < 0 && errno == EINTR) {
    }
    status->set_value(WIFEXITED(code) && WEXITSTATUS(code) == 0);
  }).detach();
  const QDeadlineTimer deadline(kOpenerWaitMs);
  while (succeeded.wait_for(std::chrono::milliseconds(20)) != std::future_status::ready) {
    if (deadline.hasExpired()) return true;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
  return succeeded.get();
}

bool OpenWithSystem(const QUrl& address) {
  if (const auto opened = OpenWithXdgOpen(address)) return *opened;
  return QDesktopServices::openUrl(address);
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
  const bool opened = Opener() ? Opener()(address) : OpenWithSystem(address);
  if (!opened) ShowMessage(parent ? parent : MainWindow(), kProgramTitle, OpenFailureText(address));
  return opened;
}

}  // namespace tavimoro::app
