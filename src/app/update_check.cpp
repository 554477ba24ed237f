#include "app/update_check.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>
#include <QSslSocket>
#include <QTcpSocket>
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

QString HtmlSafeAddress(const QString& address) {
  QString safe;
  safe.reserve(address.size());
  for (const QChar ch : address) {
    const char16_t c = ch.unicode();
    if (c == '\'' || c == '"' || c == '<' || c == '>' || c == '&' || c == ' ' || c == '\t' || c < 0x20) {
      safe += QStringLiteral("%%1").arg(static_cast<int>(c), 2, 16, QLatin1Char('0')).toUpper();
    } else {
      safe += ch;
    }
  }
  return safe;
}

std::optional<QString> ServerFromEnvironment() {
  const QString text = qEnvironmentVariable("TAVIMORO_SERVER").trimmed();
  if (text.isEmpty()) return std::nullopt;
  const QUrl url(text, QUrl::StrictMode);
  const QString scheme = url.scheme().toLower();
  const bool web = scheme == QLatin1String("http") || scheme == QLatin1String("https");
  if (!url.isValid() || !(web || scheme == QLatin1String("file")) || (web && url.host().isEmpty())) {
    return std::nullopt;
  }
  QString base = HtmlSafeAddress(url.toString(QUrl::FullyEncoded));
  while (base.endsWith(QLatin1Char('/'))) base.chop(1);
  return base;
}

QString ServerBase() { return ServerFromEnvironment().value_or(QString::fromLatin1(kMakerServer)); }

HttpGet::HttpGet(const QString& url, int timeoutSeconds, std::function<void(const QString&)> done,
                 QObject* parent)
    : QObject(parent), done_(std::move(done)) {
  deadline_.setSingleShot(true);
  connect(&deadline_, &QTimer::timeout, this, [this] { finish(ErrorText(0, QStringLiteral("Timed out"))); });
  deadline_.start(timeoutSeconds * 1000);
  // Started from the event loop, so that done never runs inside the constructor.
  QTimer::singleShot(0, this, [this, url] { request(QUrl(url)); });
}

void HttpGet::request(const QUrl& url) {
  if (finished_) return;
  const QString scheme = url.scheme();
  const bool secure = scheme == QLatin1String("https");
  if (!url.isValid() || (scheme != QLatin1String("http") && !secure) || url.host().isEmpty()) {
    finish(ErrorText(0, QStringLiteral("Bad address")));
    return;
  }
  if (secure && !QSslSocket::supportsSsl()) {
    finish(ErrorText(0, QStringLiteral("No TLS support")));
    return;
  }
  if (socket_) {
    socket_->disconnect(this);
    socket_->abort();
    socket_->deleteLater();
  }
  url_ = url;
  headers_.clear();
  content_.clear();
  headersDone_ = false;
  status_ = 0;
  contentLength_ = -1;
  chunked_ = false;

  QSslSocket* tls = secure ? new QSslSocket(this) : nullptr;
  socket_ = tls ? tls : new QTcpSocket(this);
  const int port = url.port(secure ? 443 : 80);
  QByteArray hostField = url.host(QUrl::FullyEncoded).toLatin1();
  if (url.port() != -1) hostField += ':' + QByteArray::number(port);
  const QByteArray path =
      url.path(QUrl::FullyEncoded).isEmpty() ? QByteArray("/") : url.path(QUrl::FullyEncoded).toLatin1();
  const QByteArray query = url.hasQuery() ? '?' + url.query(QUrl::FullyEncoded).toLatin1() : QByteArray();
  const QByteArray message = "GET " + path + query + " HTTP/1.1\r\nHost: " + hostField +
                             "\r\nUser-Agent: Tavimoro\r\nAccept: */*\r\nConnection: close\r\n\r\n";
  auto send = [this, message] { socket_->write(message); };
  if (tls) {
    connect(tls, &QSslSocket::encrypted, this, send);
  } else {
    connect(socket_, &QTcpSocket::connected, this, send);
  }
  connect(socket_, &QTcpSocket::readyRead, this, &HttpGet::readReply);
  connect(socket_, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
    // A reply without a length ends when the server closes the connection.
    if (error == QAbstractSocket::RemoteHostClosedError && headersDone_ && contentLength_ < 0 && !chunked_) {
      readReply();
      if (!finished_) finish(body());
      return;
    }
    finish(ErrorText(0, socket_->errorString()));
  });
  connect(socket_, &QTcpSocket::disconnected, this, [this] {
    readReply();
    if (finished_) return;
    if (headersDone_ && (contentLength_ < 0 || chunked_)) {
      finish(body());
    } else {
      finish(ErrorText(0, QStringLiteral("Connection closed early")));
    }
  });
  if (tls) {
    tls->connectToHostEncrypted(url.host(), static_cast<quint16>(port));
  } else {
    socket_->connectToHost(url.host(), static_cast<quint16>(port));
  }
}

// Status line and header fields; false while they are incomplete.
bool HttpGet::parseHeaders() {
  const qsizetype end = headers_.indexOf("\r\n\r\n");
  if (end < 0) return false;
  content_ = headers_.mid(end + 4);
  const QList<QByteArray> lines = headers_.left(end).split('\n');
  headers_.clear();
  headersDone_ = true;
  const QString statusLine = QString::fromLatin1(lines.value(0).trimmed());
  status_ = statusLine.section(QLatin1Char(' '), 1, 1).toInt();
  reason_ = statusLine.section(QLatin1Char(' '), 2).toLatin1();
  QByteArray location;
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QByteArray line = lines[i].trimmed();
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0) continue;
    const QByteArray name = line.left(colon).trimmed().toLower();
    const QByteArray value = line.mid(colon + 1).trimmed();
    if (name == "content-length") {
      bool ok = false;
      const qint64 length = value.toLongLong(&ok);
      if (ok && length >= 0) contentLength_ = length;
    } else if (name == "transfer-encoding") {
      chunked_ = value.toLower().contains("chunked");
    } else if (name == "location") {
      location = value;
    }
  }
  if (status_ >= 300 && status_ < 400 && !location.isEmpty()) {
    const QUrl next = url_.resolved(QUrl::fromEncoded(location));
    const bool downgrade = url_.scheme() == QLatin1String("https") && next.scheme() != QLatin1String("https");
    if (++redirects_ > kMaxRedirects || downgrade) {
      finish(ErrorText(status_, QStringLiteral("Redirected elsewhere")));
    } else {
      request(next);
    }
    return false;
  }
  if (status_ < 200 || status_ > 299) {
    finish(ErrorText(status_, QString::fromLatin1(reason_)));
    return false;
  }
  return true;
}

void HttpGet::readReply() {
  if (finished_ || !socket_) return;
  QTcpSocket* socket = socket_;
  if (!headersDone_) {
    headers_ += socket->read(kMaxHeaderBytes + 4 - headers_.size());
    if (!parseHeaders()) {
      if (!finished_ && socket_ == socket && !headersDone_ && headers_.size() > kMaxHeaderBytes) {
        finish(ErrorText(0, QStringLiteral("Reply headers too long")));
      }
      return;
    }
  }
  // Chunk framing costs a few bytes per chunk; the raw limit leaves room for it.
  const qint64 rawLimit = chunked_ ? 2 * kMaxReplyBytes : kMaxReplyBytes;
  content_ += socket->read(qMax<qint64>(0, rawLimit - content_.size()));
  if (content_.size() >= rawLimit ||
      (contentLength_ >= 0 && !chunked_ && content_.size() >= contentLength_)) {
    finish(body());
  }
}

// The body so far: the chunks joined for a chunked reply, at most
// kMaxReplyBytes, cut at the announced length.
QString HttpGet::body() const {
  QByteArray data = content_;
  if (chunked_) {
    QByteArray joined;
    qsizetype at = 0;
    while (at < content_.size()) {
      const qsizetype lineEnd = content_.indexOf("\r\n", at);
      if (lineEnd < 0) break;
      bool ok = false;
      const qint64 size = content_.mid(at, lineEnd - at).split(';').value(0).trimmed().toLongLong(&ok, 16);
      if (!ok || size <= 0) break;
      joined += content_.mid(lineEnd + 2, size);
      at = lineEnd + 2 + size + 2;
    }
    data = joined;
  } else if (contentLength_ >= 0 && data.size() > contentLength_) {
    data.truncate(contentLength_);
  }
  return QString::fromLatin1(data.left(kMaxReplyBytes));
}

void HttpGet::finish(const QString& result) {
  if (finished_) return;
  finished_ = true;
  deadline_.stop();
  if (socket_) {
    socket_->disconnect(this);
    socket_->abort();
  }
  // The callback may delete this object (a question asked in it runs the
  // event loop), so it runs from the stack and nothing follows it.
  const std::function<void(const QString&)> done = std::move(done_);
  if (done) done(result);
}

QString GetURL(const QString& url, int timeoutSeconds) {
  QString result;
  QEventLoop loop;
  HttpGet get(url, timeoutSeconds, [&](const QString& body) {
    result = body;
    loop.quit();
  });
  loop.exec();
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
  return QCoreApplication::applicationName() + QLatin1Char(' ') + FormatVersion(remote) +
         " is now available!" + crlf + "(This is version " + FormatVersion(localVersion) + ")" + crlf + crlf +
         "Would you like to download it?" + crlf + crlf +
         "(NOTE: If you are running a popup blocker, the web site may not launch." + crlf +
         "You may also manually go to " + ServerBase() + kDownloadPagePath + ")";
}

void StartUpdateCheck(QWidget* mainWindow, std::function<void(bool ending)> done) {
  QPointer<QWidget> window(mainWindow);
  // The transfer deletes itself when it is over; as the window's child it
  // goes with the window, whatever state it is in.
  auto* get = new HttpGet(ServerBase() + kVersionFilePath, kUpdateTimeoutSeconds, {}, mainWindow);
  auto finished = [window, get, done = std::move(done)](const QString& body) {
    get->deleteLater();
    const QString offer = UpdateOfferText(body, LocalVersionString());
    if (offer.isEmpty() || !window) {
      if (done) done(false);
      return;
    }
    if (AskYesNoCancel(window, QStringLiteral("Upgrade available"), offer) != Answer::Yes) {
      if (done) done(false);
      return;
    }
    // With no browser to show the page there is nothing to leave for: the
    // message gives the address and the program carries on.
    if (!OpenAddress(QUrl(ServerBase() + kDownloadPagePath), window)) {
      if (done) done(false);
      return;
    }
    QCoreApplication::exit(0);
    if (done) done(true);
  };
  get->setDone(std::move(finished));
}

}  // namespace tavimoro::app
