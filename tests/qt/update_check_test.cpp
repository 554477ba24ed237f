// The update check against a small HTTP server run by the test itself on
// 127.0.0.1: the reply decides what the check offers, and broken servers
// (silent, endless, absent) must end in a quiet failure within the limit.
#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include "app/update_check.h"

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

// Answers the first "Upgrade available" box that appears with No and keeps
// its text.
struct BoxWatcher {
  QString title;
  QString text;
  QTimer timer;
  BoxWatcher() {
    QObject::connect(&timer, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      title = box->windowTitle();
      text = box->text();
      box->button(QMessageBox::No)->click();
    });
    timer.start(20);
  }
};

}  // namespace

class UpdateCheckTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QCoreApplication::setApplicationName("Tavimoro"); }

  void formatVersion_data() {
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("shown");
    QTest::newRow("leading zeros") << "010203" << "1.2.3";
    QTest::newRow("zero minor and revision") << "010000" << "1.0.0";
    QTest::newRow("two-digit parts") << "102030" << "10.20.30";
    QTest::newRow("zero major") << "000001" << "0.0.1";
    QTest::newRow("five characters") << "01020" << "";
    QTest::newRow("seven characters") << "0102030" << "";
  }
  void formatVersion() {
    QFETCH(QString, raw);
    QFETCH(QString, shown);
    QCOMPARE(FormatVersion(raw), shown);
  }

  void padLeftZerosTrimsPadsAndKeepsTheRight() {
    QCOMPARE(PadLeftZeros(" 7 ", 2), QString("07"));
    QCOMPARE(PadLeftZeros("123", 2), QString("23"));
    QCOMPARE(PadLeftZeros("", 2), QString("00"));
  }

  void localVersionIsSixDigitsThatFormat() {
    const QString local = LocalVersionString();
    QCOMPARE(local.size(), 6);
    QVERIFY(!FormatVersion(local).isEmpty());
  }

  void offerText_data() {
    QTest::addColumn<QString>("body");
    QTest::addColumn<bool>("offered");
    QTest::newRow("newer") << "010300" << true;
    QTest::newRow("newer with more lines") << "010300\r\nnotes\r\n" << true;
    QTest::newRow("same with more lines") << "010204\r\nanything" << false;
    QTest::newRow("older") << "010203" << false;
    QTest::newRow("dotted") << "1.3.0\r\n" << false;
    QTest::newRow("short") << "02" << false;
    QTest::newRow("ERR") << "ERR 990000" << false;
    QTest::newRow("error text") << "*** ERROR: 404: Not Found" << false;
    QTest::newRow("empty") << "" << false;
  }
  void offerText() {
    QFETCH(QString, body);
    QFETCH(bool, offered);
    const QString offer = UpdateOfferText(body, "010204");
    QCOMPARE(!offer.isEmpty(), offered);
    if (offered) {
      QVERIFY(offer.startsWith("Tavimoro 1.3.0 is now available!\r\n(This is version 1.2.4)\r\n\r\n"
                               "Would you like to download it?"));
      QVERIFY(offer.endsWith("/download.html)"));
    }
  }

  void getUrlReturnsTheBodyOfTheVersionFile() {
    TinyHttpServer server;
    server.body = "010300\r\nrelease notes";
    QCOMPARE(GetURL(server.base() + "/d/currver.tavimoro.txt", 3), QString("010300\r\nrelease notes"));
    QVERIFY(server.lastRequest.startsWith("GET /d/currver.tavimoro.txt HTTP/1.1\r\n"));
  }

  void getUrlGivesAnErrorTextForHttpErrors() {
    TinyHttpServer server;
    server.status = "404 Not Found";
    server.body = "010300";
    QVERIFY(GetURL(server.base() + "/d/currver.tavimoro.txt", 3).startsWith("*** ERROR: 404: "));
  }

  void getUrlReadsAtMost64KiB() {
    TinyHttpServer server;
    server.mode = TinyHttpServer::Mode::Endless;
    const QString body = GetURL(server.base() + "/", 3);
    QCOMPARE(body.size(), 64 * 1024);
  }

  void getUrlGivesUpOnASilentServerWithinTheLimit() {
    TinyHttpServer server;
    server.mode = TinyHttpServer::Mode::Silent;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(GetURL(server.base() + "/", 3).startsWith("*** ERROR:"));
    QVERIFY2(clock.elapsed() < 5000, qPrintable(QString::number(clock.elapsed())));
  }

  void getUrlWithoutAServerFailsQuietly() {
    quint16 port;
    {
      TinyHttpServer gone;
      port = gone.serverPort();
    }
    QVERIFY(GetURL(QStringLiteral("http://127.0.0.1:%1/").arg(port), 3).startsWith("*** ERROR:"));
    QVERIFY(GetURL("not an address", 3).startsWith("*** ERROR:"));
  }

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
  }
  void checkForUpdate() {
    QFETCH(int, mode);
    QFETCH(QByteArray, body);
    QFETCH(bool, asked);
    TinyHttpServer server;
    server.mode = static_cast<TinyHttpServer::Mode>(mode);
    server.body = body;
    qputenv("TAVIMORO_SERVER", server.base().toLatin1() + "/");
    BoxWatcher watcher;
    QWidget window;
    QVERIFY(!CheckForUpdate(&window));
    QCOMPARE(!watcher.title.isEmpty(), asked);
    if (asked) {
      QCOMPARE(watcher.title, QString("Upgrade available"));
      QVERIFY(watcher.text.startsWith("Tavimoro 99.0.0 is now available!"));
      QVERIFY(watcher.text.contains("You may also manually go to " + server.base() + "/download.html)"));
    }
    qunsetenv("TAVIMORO_SERVER");
  }
};

QTEST_MAIN(UpdateCheckTest)
#include "update_check_test.moc"
