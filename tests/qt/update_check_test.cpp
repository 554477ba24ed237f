// The update check against a small HTTP server run by the test itself on
// 127.0.0.1: the reply decides what the check offers, and broken or hostile
// servers (silent, endless body, endless or trickled headers, absent) must
// end in a quiet failure within the limit while the window stays live.
#include "app/update_check.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/help_pages.h"
#include "app/open_address.h"
#include "dialog_driver.h"

using namespace tavimoro::app;

namespace {

class TinyHttpServer : public QTcpServer {
 public:
  enum class Mode { Reply, Silent, Endless, EndlessHeaders, TrickledHeaders };

  Mode mode = Mode::Reply;
  QByteArray status = "200 OK";
  QByteArray body;
  QByteArray lastRequest;

  TinyHttpServer() {
    connect(this, &QTcpServer::newConnection, this, [this] {
      while (QTcpSocket* socket = nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(socket); });
      }
    });
    listen(QHostAddress::LocalHost);
  }

  QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }

 private:
  void serve(QTcpSocket* socket) {
    lastRequest += socket->readAll();
    if (!lastRequest.contains("\r\n\r\n") || mode == Mode::Silent) return;
    if (mode == Mode::EndlessHeaders || mode == Mode::TrickledHeaders) {
      socket->write("HTTP/1.1 200 OK\r\n");
      if (mode == Mode::EndlessHeaders) {
        auto more = [socket] {
          if (socket->bytesToWrite() < 64 * 1024)
            socket->write(QByteArray("X-Filler: ") + QByteArray(500, 'a') + "\r\n");
        };
        connect(socket, &QTcpSocket::bytesWritten, socket, more);
        more();
      } else {
        auto* drip = new QTimer(socket);
        connect(drip, &QTimer::timeout, socket, [socket] { socket->write("X"); });
        drip->start(50);
      }
      return;
    }
    if (mode == Mode::Endless) {
      socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n");
      const QByteArray chunk(16 * 1024, '7');
      auto more = [socket, chunk] {
        if (socket->bytesToWrite() < 4 * chunk.size()) socket->write(chunk);
      };
      connect(socket, &QTcpSocket::bytesWritten, socket, more);
      more();
      return;
    }
    socket->write("HTTP/1.0 " + status + "\r\nContent-Type: text/plain\r\nContent-Length: " +
                  QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
  }
};

}  // namespace

class UpdateCheckTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QCoreApplication::setApplicationName("Tavimoro"); }

  // The version file's first line is six digits, two per part; the offer
  // names the newer version and the running one.
  void offerText_data() {
    QTest::addColumn<QString>("body");
    QTest::addColumn<QString>("offered");
    QTest::newRow("newer") << "010300"
                           << "1.3.0";
    QTest::newRow("newer with more lines") << "010300\r\nnotes\r\n"
                                           << "1.3.0";
    QTest::newRow("two-digit parts") << "102030"
                                     << "10.20.30";
    QTest::newRow("same with more lines") << "010204\r\nanything"
                                          << "";
    QTest::newRow("older") << "010203"
                           << "";
    QTest::newRow("dotted") << "1.3.0\r\n"
                            << "";
    QTest::newRow("five digits") << "01030"
                                 << "";
    QTest::newRow("only six digits count") << "0103009"
                                           << "1.3.0";
    QTest::newRow("ERR") << "ERR 990000"
                         << "";
    QTest::newRow("error text") << "*** ERROR: 404: Not Found"
                                << "";
    QTest::newRow("empty") << ""
                           << "";
  }
  void offerText() {
    QFETCH(QString, body);
    QFETCH(QString, offered);
    const QString offer = UpdateOfferText(body, "010204");
    QCOMPARE(offer.isEmpty(), offered.isEmpty());
    if (!offered.isEmpty()) {
      QVERIFY2(offer.startsWith("Tavimoro " + offered +
                                " is now available!\r\n(This is version 1.2.4)\r\n\r\n"
                                "Would you like to download it?"),
               qPrintable(offer));
      QVERIFY(offer.endsWith("/download.html)"));
    }
    QVERIFY(!FormatVersion(LocalVersionString()).isEmpty());
  }

  void getUrl_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("status");
    QTest::addColumn<QString>("reply");
    QTest::newRow("body") << int(TinyHttpServer::Mode::Reply) << QByteArray("200 OK")
                          << "010300\r\nrelease notes";
    QTest::newRow("HTTP error") << int(TinyHttpServer::Mode::Reply) << QByteArray("404 Not Found")
                                << "*** ERROR: 404: ";
    QTest::newRow("endless body stops at 64 KiB")
        << int(TinyHttpServer::Mode::Endless) << QByteArray() << "7777";
    QTest::newRow("silent server") << int(TinyHttpServer::Mode::Silent) << QByteArray() << "*** ERROR:";
    QTest::newRow("endless headers") << int(TinyHttpServer::Mode::EndlessHeaders) << QByteArray()
                                     << "*** ERROR: 0: Reply headers too long";
    QTest::newRow("trickled headers")
        << int(TinyHttpServer::Mode::TrickledHeaders) << QByteArray() << "*** ERROR: 0: Timed out";
  }
  void getUrl() {
    QFETCH(int, mode);
    QFETCH(QByteArray, status);
    QFETCH(QString, reply);
    TinyHttpServer server;
    server.mode = static_cast<TinyHttpServer::Mode>(mode);
    server.status = status;
    server.body = "010300\r\nrelease notes";
    QElapsedTimer clock;
    clock.start();
    const QString body = GetURL(server.base() + "/d/currver.tavimoro.txt", 3);
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));  // the 3 s limit holds
    QVERIFY2(body.startsWith(reply), qPrintable(body.left(80)));
    QVERIFY(server.lastRequest.startsWith("GET /d/currver.tavimoro.txt HTTP/1.1\r\n"));
    if (server.mode == TinyHttpServer::Mode::Endless) QCOMPARE(body.size(), 64 * 1024);
  }

  void getUrlOfNoAddressFails() { QVERIFY(GetURL("not an address", 3).startsWith("*** ERROR:")); }

  void checkForUpdate_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("asked");
    QTest::newRow("newer") << 0 << QByteArray("990000\r\n") << true;
    QTest::newRow("same") << 0 << LocalVersionString().toLatin1() + "\r\nmore" << false;
    QTest::newRow("dotted") << 0 << QByteArray("99.0.0") << false;
    QTest::newRow("ERR") << 0 << QByteArray("ERR") << false;
    QTest::newRow("empty reply") << 0 << QByteArray() << false;
    QTest::newRow("never answers") << 1 << QByteArray() << false;
    QTest::newRow("no server") << -1 << QByteArray() << false;
  }
  void checkForUpdate() {
    QFETCH(int, mode);
    QFETCH(QByteArray, body);
    QFETCH(bool, asked);
    auto server = std::make_unique<TinyHttpServer>();
    const QString base = server->base();
    server->mode = static_cast<TinyHttpServer::Mode>(qMax(mode, 0));
    server->body = body;
    if (mode < 0) server.reset();
    qputenv("TAVIMORO_SERVER", base.toLatin1() + "/");
    BoxAnswerer answers({QMessageBox::No});
    QWidget window;
    int calls = 0;
    bool ending = true;
    StartUpdateCheck(&window, [&](bool end) {
      ++calls;
      ending = end;
    });
    QCOMPARE(calls, 0);  // nothing happens before the event loop runs
    QTRY_COMPARE_WITH_TIMEOUT(calls, 1, 6000);
    QVERIFY(!ending);
    QCOMPARE(answers.titles, asked ? QStringList{"Upgrade available"} : QStringList());
    if (asked) {
      QVERIFY(answers.texts[0].startsWith("Tavimoro 99.0.0 is now available!"));
      QVERIFY(answers.texts[0].contains("You may also manually go to " + base + "/download.html)"));
    }
    qunsetenv("TAVIMORO_SERVER");
  }

  // A server that trickles its headers holds the check to the time limit,
  // and the window thread runs on meanwhile: a 20 ms timer keeps ticking.
  void windowStaysLiveWhileTheCheckWaits() {
    TinyHttpServer server;
    server.mode = TinyHttpServer::Mode::TrickledHeaders;
    qputenv("TAVIMORO_SERVER", server.base().toLatin1());
    QWidget window;
    int ticks = 0;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(20);
    bool done = false;
    QElapsedTimer clock;
    clock.start();
    StartUpdateCheck(&window, [&](bool) { done = true; });
    QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    QTRY_VERIFY_WITH_TIMEOUT(done, 6000);
    QVERIFY2(ticks > 50, qPrintable(QString::number(ticks)));
    qunsetenv("TAVIMORO_SERVER");
  }

  // Closing the program during the check: the transfer goes with the
  // window at once and the start does not go on.
  void quittingDuringTheCheckIsImmediate() {
    TinyHttpServer server;
    server.mode = TinyHttpServer::Mode::TrickledHeaders;
    qputenv("TAVIMORO_SERVER", server.base().toLatin1());
    auto window = std::make_unique<QWidget>();
    bool done = false;
    StartUpdateCheck(window.get(), [&](bool) { done = true; });
    QTest::qWait(100);
    QElapsedTimer clock;
    clock.start();
    window.reset();
    QVERIFY2(clock.elapsed() < 500, qPrintable(QString::number(clock.elapsed())));
    QTest::qWait(100);
    QVERIFY(!done);
    qunsetenv("TAVIMORO_SERVER");
  }

  // Addresses go into the panel's links as they are: nothing in them may
  // end an attribute, and only web and file addresses come from outside.
  void serverFromTheEnvironment_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("server");
    QTest::newRow("web") << "http://127.0.0.1:8080/"
                         << "http://127.0.0.1:8080";
    QTest::newRow("secure") << "https://example.org"
                            << "https://example.org";
    QTest::newRow("file") << "file:///opt/o'brien/site"
                          << "file:///opt/o%27brien/site";
    QTest::newRow("quote in the path") << "http://h/a'b&c"
                                       << "http://h/a%27b%26c";
    QTest::newRow("markup") << "http://h/a'><a href='VB:Quit()"
                            << "";
    QTest::newRow("method call") << "VB:Quit()"
                                 << "";
    QTest::newRow("script") << "javascript:alert(1)"
                            << "";
    QTest::newRow("other scheme") << "ftp://example.org"
                                  << "";
    QTest::newRow("no host") << "http:///path"
                             << "";
    QTest::newRow("not an address") << "just words"
                                    << "";
  }
  void serverFromTheEnvironment() {
    QFETCH(QString, value);
    QFETCH(QString, server);
    qputenv("TAVIMORO_SERVER", value.toUtf8());
    const auto chosen = ServerFromEnvironment();
    QCOMPARE(chosen.value_or(QString()), server);
    QCOMPARE(ServerBase(), server.isEmpty() ? QString(kMakerServer) : server);
    qunsetenv("TAVIMORO_SERVER");
  }

  void helpBaseOfAnInstallPathWithAnApostropheIsSafe() {
    QTemporaryDir root;
    const QString bin = root.filePath("o'brien & co <x>");
    QVERIFY(QDir().mkpath(bin + "/help"));
    QFile page(bin + "/help/helpfile.html");
    QVERIFY(page.open(QIODevice::WriteOnly));
    page.close();
    const QString base = QString::fromStdString(ChooseHelpBase(bin));
    for (const QChar bad : QStringLiteral("'\"<>& ")) QVERIFY2(!base.contains(bad), qPrintable(base));
    QCOMPARE(QUrl(base).toLocalFile(), QFileInfo(bin + "/help").canonicalFilePath() + "/");
    QCOMPARE(HtmlSafeAddress("a'b\"c<d>e&f g"), QString("a%27b%22c%3Cd%3Ee%26f%20g"));
  }

  // "Yes" on a machine without a browser: the address is shown and the
  // program goes on instead of ending with nothing opened.
  void yesWithoutABrowserKeepsTheProgramRunning() {
    TinyHttpServer server;
    server.body = "990000\r\n";
    qputenv("TAVIMORO_SERVER", server.base().toLatin1());
    QList<QUrl> tried;
    SetAddressOpener([&tried](const QUrl& url) {
      tried.append(url);
      return false;
    });
    BoxAnswerer answers({QMessageBox::Yes, QMessageBox::Ok});
    QWidget window;
    int calls = 0;
    bool ending = true;
    StartUpdateCheck(&window, [&](bool end) {
      ++calls;
      ending = end;
    });
    QTRY_COMPARE_WITH_TIMEOUT(calls, 1, 6000);
    QVERIFY(!ending);
    SetAddressOpener({});
    qunsetenv("TAVIMORO_SERVER");
    QCOMPARE(tried, QList<QUrl>{QUrl(server.base() + "/download.html")});
    QCOMPARE(answers.titles, (QStringList{"Upgrade available", "Tavimoro"}));
    QVERIFY(answers.texts[1].endsWith("\n\n" + server.base() + "/download.html"));
  }
};

QTEST_MAIN(UpdateCheckTest)
#include "update_check_test.moc"
