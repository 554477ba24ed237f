// The update check against a small HTTP server run by the test itself on
// 127.0.0.1: the reply decides what the check offers, and broken servers
// (silent, endless, absent) must end in a quiet failure within the limit.
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <memory>

#include "app/open_address.h"
#include "app/update_check.h"
#include "dialog_driver.h"

using namespace tavimoro::app;

namespace {

class TinyHttpServer : public QTcpServer {
 public:
  enum class Mode { Reply, Silent, Endless };

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
    QTest::newRow("newer") << "010300" << "1.3.0";
    QTest::newRow("newer with more lines") << "010300\r\nnotes\r\n" << "1.3.0";
    QTest::newRow("two-digit parts") << "102030" << "10.20.30";
    QTest::newRow("same with more lines") << "010204\r\nanything" << "";
    QTest::newRow("older") << "010203" << "";
    QTest::newRow("dotted") << "1.3.0\r\n" << "";
    QTest::newRow("five digits") << "01030" << "";
    QTest::newRow("only six digits count") << "0103009" << "1.3.0";
    QTest::newRow("ERR") << "ERR 990000" << "";
    QTest::newRow("error text") << "*** ERROR: 404: Not Found" << "";
    QTest::newRow("empty") << "" << "";
  }
  void offerText() {
    QFETCH(QString, body);
    QFETCH(QString, offered);
    const QString offer = UpdateOfferText(body, "010204");
    QCOMPARE(offer.isEmpty(), offered.isEmpty());
    if (!offered.isEmpty()) {
      QVERIFY2(offer.startsWith("Tavimoro " + offered + " is now available!\r\n(This is version 1.2.4)\r\n\r\n"
                                "Would you like to download it?"), qPrintable(offer));
      QVERIFY(offer.endsWith("/download.html)"));
    }
    QVERIFY(!FormatVersion(LocalVersionString()).isEmpty());
  }

  void getUrl_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QByteArray>("status");
    QTest::addColumn<QString>("reply");
    QTest::newRow("body") << int(TinyHttpServer::Mode::Reply) << QByteArray("200 OK") << "010300\r\nrelease notes";
    QTest::newRow("HTTP error") << int(TinyHttpServer::Mode::Reply) << QByteArray("404 Not Found") << "*** ERROR: 404: ";
    QTest::newRow("endless body stops at 64 KiB") << int(TinyHttpServer::Mode::Endless) << QByteArray() << "7777";
    QTest::newRow("silent server") << int(TinyHttpServer::Mode::Silent) << QByteArray() << "*** ERROR:";
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
    QVERIFY(!CheckForUpdate(&window));
    QCOMPARE(answers.titles, asked ? QStringList{"Upgrade available"} : QStringList());
    if (asked) {
      QVERIFY(answers.texts[0].startsWith("Tavimoro 99.0.0 is now available!"));
      QVERIFY(answers.texts[0].contains("You may also manually go to " + base + "/download.html)"));
    }
    qunsetenv("TAVIMORO_SERVER");
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
    QVERIFY(!CheckForUpdate(&window));
    SetAddressOpener({});
    qunsetenv("TAVIMORO_SERVER");
    QCOMPARE(tried, QList<QUrl>{QUrl(server.base() + "/download.html")});
    QCOMPARE(answers.titles, (QStringList{"Upgrade available", "Tavimoro"}));
    QVERIFY(answers.texts[1].endsWith("\n\n" + server.base() + "/download.html"));
  }
};

QTEST_MAIN(UpdateCheckTest)
#include "update_check_test.moc"
