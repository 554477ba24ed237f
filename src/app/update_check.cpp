#include "app/update_check.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include "app/centered_message_box.h"
#include "app/open_address.h"

#ifndef TAVIMORO_VERSION_MAJOR
#error "the build passes the program version as TAVIMORO_VERSION_MAJOR/MINOR/PATCH"
#endif

namespace tavimoro::app {

namespace {

QString ErrorText(int code, const QString& description) {
  return QStringLiteral("*** ERROR: %1: %2").arg(code).arg(description);
}

bool StartsWithSixDigits(const QString& text) {
  if (text.size() < 6) return false;
  for (int i = 0; i < 6; ++i) {
    if (text[i] < QLatin1Char('0') || text[i] > QLatin1Char('9')) return false;
  }
  return true;
}

}  // namespace

QString ServerBase() {
  QString base = qEnvironmentVariable("TAVIMORO_SERVER").trimmed();
  if (base.isEmpty()) base = QString::fromLatin1(kMakerServer);
  while (base.endsWith(QLatin1Char('/'))) base.chop(1);
  return base;
}

QString GetURL(const QString& url, int timeoutSeconds) {
  QUrl target(url);
  if (!target.isValid() || target.scheme() != QLatin1String("http") || target.host().isEmpty()) {
    return ErrorText(0, QStringLiteral("Bad address"));
  }
  if (target.port() == -1) target.setPort(80);

  QNetworkAccessManager manager;
  QNetworkRequest request(target);
  QNetworkReply* reply = manager.get(request);

  QByteArray body;
  bool timedOut = false;
  bool full = false;
  QEventLoop loop;
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
    timedOut = true;
    reply->abort();
  });
  QObject::connect(reply, &QNetworkReply::readyRead, &loop, [&] {
    body += reply->read(kMaxReplyBytes - body.size());
    if (body.size() >= kMaxReplyBytes && !full) {
      full = true;
      reply->abort();
    }
  });
  QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  deadline.start(timeoutSeconds * 1000);
  if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
  deadline.stop();

  QString result;
  if (timedOut) {
    result = ErrorText(0, QStringLiteral("Timed out"));
  } else if (!full && reply->error() != QNetworkReply::NoError) {
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    result = ErrorText(status.isValid() ? status.toInt() : static_cast<int>(reply->error()), reply->errorString());
  } else {
    if (!full && body.size() < kMaxReplyBytes) body += reply->read(kMaxReplyBytes - body.size());
    result = QString::fromLatin1(body);
  }
  QObject::disconnect(reply, nullptr, &loop, nullptr);
  delete reply;
  return result;
}

QString PadLeftZeros(const QString& value, int width) {
  QString text = value.trimmed();
  if (text.size() < width) text.prepend(QString(width - text.size(), QLatin1Char('0')));
  return text.right(width);
}

QString LocalVersionString() {
  return PadLeftZeros(QString::number(TAVIMORO_VERSION_MAJOR), 2) +
         PadLeftZeros(QString::number(TAVIMORO_VERSION_MINOR), 2) +
         PadLeftZeros(QString::number(TAVIMORO_VERSION_PATCH), 2);
}

QString FormatVersion(const QString& v) {
  if (v.size() != 6) return {};
  QString s = v.left(2) + QLatin1Char('.') + v.mid(2, 2) + QLatin1Char('.') + v.right(2);
  if (s.startsWith(QLatin1Char('0'))) s = s.right(7);
  return s.replace(QLatin1String(".0"), QLatin1String("."));
}

QString UpdateOfferText(const QString& body, const QString& localVersion) {
  if (body.startsWith(QLatin1String("ERR")) || !StartsWithSixDigits(body)) return {};
  const QString remote = body.left(6);
  if (QString::compare(remote, localVersion, Qt::CaseSensitive) <= 0) return {};
  const QString crlf = QStringLiteral("\r\n");
  return QCoreApplication::applicationName() + QLatin1Char(' ') + FormatVersion(remote) + " is now available!" +
         crlf + "(This is version " + FormatVersion(localVersion) + ")" + crlf + crlf +
         "Would you like to download it?" + crlf + crlf +
         "(NOTE: If you are running a popup blocker, the web site may not launch." + crlf +
         "You may also manually go to " + ServerBase() + kDownloadPagePath + ")";
}

bool CheckForUpdate(QWidget* mainWindow) {
  const QString body = GetURL(ServerBase() + kVersionFilePath, kUpdateTimeoutSeconds);
  const QString offer = UpdateOfferText(body, LocalVersionString());
  if (offer.isEmpty()) return false;
  if (AskYesNoCancel(mainWindow, QStringLiteral("Upgrade available"), offer) != Answer::Yes) return false;
  // With no browser to show the page there is nothing to leave for: the
  // message gives the address and the program carries on.
  if (!OpenAddress(QUrl(ServerBase() + kDownloadPagePath), mainWindow)) return false;
  QCoreApplication::exit(0);
  return true;
}

}  // namespace tavimoro::app
