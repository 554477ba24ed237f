// The start-up update check: one small HTTP GET of the version file on the
// maker's server, compared with the program's own version.
//
// The transfer runs on the window thread's event loop without ever blocking
// it: a socket driven by its signals, no helper thread, and one timer that
// bounds the whole exchange (lookup, connection, headers and body). The
// window keeps painting and answering meanwhile, and closing it ends the
// transfer at once. Failures are texts that fail the version test, and are
// never shown.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>
#include <functional>
#include <optional>

class QTcpSocket;
class QWidget;

namespace tavimoro::app {

// The maker's web server, used unless TAVIMORO_SERVER names another one.
inline constexpr char kMakerServer[] = "http://www.tavimoro.app";
inline constexpr char kVersionFilePath[] = "/d/currver.tavimoro.txt";
inline constexpr char kDownloadPagePath[] = "/download.html";
inline constexpr int kUpdateTimeoutSeconds = 3;
inline constexpr qint64 kMaxReplyBytes = 64 * 1024;
inline constexpr qint64 kMaxHeaderBytes = 16 * 1024;
inline constexpr int kMaxRedirects = 3;

// The address with every character that could end an HTML attribute or
// start markup or a reference (' " < > & and blanks) percent-encoded, so
// that it can go into the panel's links as it is. It still names the same
// place.
QString HtmlSafeAddress(const QString& address);

// TAVIMORO_SERVER when it names an http, https or file address (made safe
// for HTML, no trailing "/"); nullopt when it is unset, empty or anything
// else, such as a "VB:" call.
std::optional<QString> ServerFromEnvironment();

// ServerFromEnvironment, else kMakerServer; no trailing "/".
QString ServerBase();

// One HTTP GET (http or https; port 80 or 443 unless the address names
// one), at most kMaxReplyBytes of its body read as Latin-1, handed to done
// once. A transfer that fails, sends headers longer than kMaxHeaderBytes
// or does not finish within the time limit gives "*** ERROR: " code ": "
// description instead. Redirects are followed up to kMaxRedirects times,
// never from https to http. Deleting the object ends the transfer at once,
// and done is then not called.
class HttpGet : public QObject {
  Q_OBJECT

 public:
  HttpGet(const QString& url, int timeoutSeconds, std::function<void(const QString& body)> done,
          QObject* parent = nullptr);
  // Replaces the function called with the result (before the result is in).
  void setDone(std::function<void(const QString& body)> done) { done_ = std::move(done); }

 private:
  void request(const QUrl& url);
  void readReply();
  void finish(const QString& result);
  bool parseHeaders();
  QString body() const;

  std::function<void(const QString&)> done_;
  QTimer deadline_;
  QTcpSocket* socket_ = nullptr;
  QUrl url_;
  int redirects_ = 0;
  QByteArray headers_;
  QByteArray content_;
  bool headersDone_ = false;
  int status_ = 0;
  QByteArray reason_;
  qint64 contentLength_ = -1;
  bool chunked_ = false;
  bool finished_ = false;
};

// HttpGet waited for in a local event loop (which runs every event); for
// tests and tools, not for the window.
QString GetURL(const QString& url, int timeoutSeconds);

// The trimmed text with "0"s in front up to width, then its rightmost
// width characters.
QString PadLeftZeros(const QString& value, int width);

// MMmmRR from the build's major, minor and revision numbers.
QString LocalVersionString();

// "01.02.03" -> "1.2.3", "01.00.00" -> "1.0.0", "10.20.30" unchanged; ""
// unless v has exactly six characters.
QString FormatVersion(const QString& v);

// The offer to show for the version file's text, or "" when there is none:
// the text must start with six digits (not "ERR", not an error text, not a
// dotted or short version) that compare above the local version.
QString UpdateOfferText(const QString& body, const QString& localVersion);

// Starts fetching the version file and returns at once. When the reply is
// in and a newer release exists, asks whether to download it; Yes opens
// the download page and ends the event loop, unless the page could not be
// opened (then the address is shown and the program goes on). Then calls done(ending) on the
// window thread, ending true when the program is ending: the caller then
// loads nothing and must not store the (still empty) board on the way out.
// The transfer belongs to mainWindow: closing the program during it ends it
// at once, without calling done.
void StartUpdateCheck(QWidget* mainWindow, std::function<void(bool ending)> done);

}  // namespace tavimoro::app
