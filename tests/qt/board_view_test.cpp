// The board view's geometry and signals, and the centring of message boxes.
#include "app/board_view.h"

#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QSet>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/centered_message_box.h"
#include "app/print_puzzle.h"

using tavimoro::app::BoardView;

class BoardViewTest : public QObject {
  Q_OBJECT

 private slots:
  void cellAtInvertsCellRect() {
    BoardView view;
    view.resize(463, 463);
    for (int cell = 0; cell < 81; ++cell) {
      const QRect r = view.cellRect(cell);
      QVERIFY(!r.isEmpty());
      QCOMPARE(view.cellAt(r.center()), cell);
      QCOMPARE(view.cellAt(r.topLeft()), cell);
      QCOMPARE(view.cellAt(r.bottomRight()), cell);
    }
    QCOMPARE(view.cellAt(QPoint(-5, -5)), -1);
    const QRect a = view.cellRect(2), b = view.cellRect(3);
    QCOMPARE(view.cellAt(QPoint((a.right() + b.left()) / 2, a.center().y())), -1);  // the gap hits no cell
    QCOMPARE(view.cellRect(81), QRect());
  }

  void blocksStandApartByATenthOfACell_data() {
    QTest::addColumn<int>("side");
    QTest::newRow("small") << 300;
    QTest::newRow("medium") << 480;
    QTest::newRow("large") << 1000;
  }
  void blocksStandApartByATenthOfACell() {
    QFETCH(int, side);
    BoardView view;
    view.resize(side, side);
    const int cell = view.cellRect(0).width();
    auto gapAfterColumn = [&](int col) {
      return view.cellRect(col + 1).left() - view.cellRect(col).right() - 1;
    };
    auto gapAfterRow = [&](int row) {
      return view.cellRect(9 * (row + 1)).top() - view.cellRect(9 * row).bottom() - 1;
    };
    for (int i = 0; i < 8; ++i) {
      const int expected = (i == 2 || i == 5) ? 1 + std::max(2, cell / 10) : 1;
      QCOMPARE(gapAfterColumn(i), expected);
      QCOMPARE(gapAfterRow(i), expected);
    }
    QVERIFY(view.cellRect(80).right() < side && view.cellRect(80).bottom() < side);
  }

  void releaseReportsCellAndButton() {
    BoardView view;
    view.resize(480, 480);
    view.show();
    QSignalSpy spy(&view, &BoardView::cellReleased);
    QTest::mouseClick(&view, Qt::LeftButton, {}, view.cellRect(40).center());
    QTest::mouseClick(&view, Qt::RightButton, {}, view.cellRect(80).center());
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0), QVariantList({40, QVariant::fromValue(Qt::LeftButton)}));
    QCOMPARE(spy.at(1), QVariantList({80, QVariant::fromValue(Qt::RightButton)}));
  }

  // A chain's strong link is drawn solid and a weak one dashed: along the
  // row between the two centres, the solid line covers every cell pixel and
  // the dashed one leaves gaps.
  void weakLinksAreDashed() {
    tavimoro::app::BoardPicture picture;
    picture.lines = {{0, 8, tavimoro::StrongLineColour, 1, false},
                     {72, 80, tavimoro::StrongLineColour, 1, true}};
    BoardView view;
    view.resize(480, 480);
    view.setPicture(&picture);
    const QImage image = view.grab().toImage();
    auto coveredShare = [&](int from, int to) {
      const int y = view.cellRect(from).center().y();
      int covered = 0, total = 0;
      for (int x = view.cellRect(from).center().x(); x <= view.cellRect(to).center().x(); ++x) {
        if (view.cellAt(QPoint(x, y)) < 0) continue;  // the gaps between cells
        const QColor pixel = image.pixelColor(x, y);
        ++total;
        covered += pixel.red() > 200 && pixel.green() < 160;
      }
      return double(covered) / total;
    };
    QVERIFY2(coveredShare(0, 8) > 0.99, qPrintable(QString::number(coveredShare(0, 8))));
    const double dashed = coveredShare(72, 80);
    QVERIFY2(dashed > 0.3 && dashed < 0.85, qPrintable(QString::number(dashed)));
  }

  void windowsColoursAreBlueInTheHighByte() {
    QCOMPARE(BoardView::FromWindowsColour(0x80FFFF), QColor(255, 255, 128));
  }

  void centringRoundsHalvesToEven() {
    using tavimoro::app::CentredTopLeft;
    QCOMPARE(CentredTopLeft(QRect(0, 0, 100, 100), QSize(40, 20)), QPoint(30, 40));
    // 0 + 101/2 - 40/2 = 30.5 -> 30; 0 + 103/2 - 20/2 = 41.5 -> 42
    QCOMPARE(CentredTopLeft(QRect(0, 0, 101, 103), QSize(40, 20)), QPoint(30, 42));
    // A box larger than the window overhangs on every side.
    QCOMPARE(CentredTopLeft(QRect(100, 100, 50, 50), QSize(200, 100)), QPoint(25, 75));
  }

  void messageBoxOpensCentredOverTheMainWindow() {
    QWidget main;
    main.setGeometry(200, 150, 700, 500);
    main.show();
    tavimoro::app::SetMainWindow(&main);
    QRect seen;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box);
      seen = box->frameGeometry();
      box->done(QMessageBox::Ok);
    });
    tavimoro::app::ShowMessage(&main, "Tavimoro",
                               "A rather long notice that makes the box wide enough to see.");
    QVERIFY(!seen.isEmpty());
    QVERIFY(qAbs(seen.center().x() - main.frameGeometry().center().x()) <= 1);
    QVERIFY(qAbs(seen.center().y() - main.frameGeometry().center().y()) <= 1);
    tavimoro::app::SetMainWindow(nullptr);
  }

  void printsToAPdfFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath("puzzle.pdf");
    {
      QPdfWriter writer(path);
      tavimoro::app::PaintPuzzlePage(
          writer, {".46...27.3..2.7..91...4...34.......82.......1.7.....9...5...6.....3.9.......2....", ""});
    }
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.startsWith("%PDF") && bytes.size() > 1000);
  }

  // Ink in the middle of a cell: black, grey or none.
  static QSet<QRgb> InkIn(const QImage& image, const QRect& box) {
    QSet<QRgb> ink;
    for (int y = box.top(); y <= box.bottom(); ++y)
      for (int x = box.left(); x <= box.right(); ++x)
        if (image.pixel(x, y) != qRgb(255, 255, 255)) ink.insert(image.pixel(x, y));
    return ink;
  }
  static bool Has(const QSet<QRgb>& ink, QRgb colour) { return ink.contains(colour); }

  void givensAndEntriesDrawnApartOnlyWhenAsked() {
    using namespace tavimoro::app;
    BoardPicture picture;
    picture.selected = 80;
    picture.cells[0] = {5, true, 0, 0};
    picture.cells[1] = {7, false, 0, 0};
    BoardView view;
    view.resize(480, 480);
    view.setPicture(&picture);
    for (bool apart : {false, true}) {
      picture.givensApart = apart;
      const QImage image = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
      const QSet<QRgb> given = InkIn(image, view.cellRect(0).adjusted(4, 4, -4, -4));
      const QSet<QRgb> entered = InkIn(image, view.cellRect(1).adjusted(4, 4, -4, -4));
      QVERIFY(Has(given, qRgb(0, 0, 0)));
      QCOMPARE(Has(entered, qRgb(0, 0, 0)), !apart);
      QCOMPARE(Has(entered, BoardView::EnteredDigitColour().rgb()), apart);
    }
  }

  // Cells holding the digit or marked with it stand out; the selection and
  // hint highlights keep their own colours, a filled cell's stale marks do
  // not count.
  void digitHighlightShowsEveryPlaceOfTheDigit() {
    using namespace tavimoro::app;
    BoardPicture picture;
    picture.selected = 0;
    picture.highlightDigit = 5;
    picture.cells[0] = {5, true, 0, 0};
    picture.cells[1] = {5, false, 0, 0};
    picture.cells[2] = {0, false, 1u << 4, 0};
    picture.cells[3] = {0, false, 1u << 3, 0};
    picture.cells[4] = {7, false, 1u << 4, 0};
    picture.cells[5] = {5, false, 0, 0xFFFF80};
    BoardView view;
    view.resize(480, 480);
    view.setPicture(&picture);
    const QImage image = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    auto background = [&](int cell) {
      return QColor(image.pixel(view.cellRect(cell).topLeft() + QPoint(1, 1)));
    };
    const QColor lit = BoardView::DigitHighlightColour();
    QCOMPARE(background(0), QColor(255, 255, 128));
    QCOMPARE(background(1), lit);
    QCOMPARE(background(2), lit);
    QCOMPARE(background(3), QColor(Qt::white));
    QCOMPARE(background(4), QColor(Qt::white));
    QCOMPARE(background(5), BoardView::FromWindowsColour(0xFFFF80));
    picture.highlightDigit = 0;
    const QImage plain = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(QColor(plain.pixel(view.cellRect(1).topLeft() + QPoint(1, 1))), QColor(Qt::white));
  }

  void printingLeavesEntriesOutOrDrawsThemApart_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("black");
    QTest::addColumn<bool>("grey");
    QTest::newRow("like the givens") << int(tavimoro::app::EnteredDigits::AsGivens) << true << false;
    QTest::newRow("apart") << int(tavimoro::app::EnteredDigits::Apart) << false << true;
    QTest::newRow("left out") << int(tavimoro::app::EnteredDigits::LeftOut) << false << false;
  }
  void printingLeavesEntriesOutOrDrawsThemApart() {
    QFETCH(int, mode);
    QFETCH(bool, black);
    QFETCH(bool, grey);
    using namespace tavimoro::app;
    QString givens(81, '.'), entered(81, '.');
    givens[0] = '5';
    entered[1] = '7';
    QImage page(900, 900, QImage::Format_RGB32);
    page.fill(Qt::white);
    {
      QPainter painter(&page);
      PaintPuzzle(painter, page.rect(), {givens, entered}, static_cast<EnteredDigits>(mode));
    }
    // 720-pixel grid at (90, 150): cells of 80 pixels.
    QVERIFY(Has(InkIn(page, QRect(100, 160, 60, 60)), qRgb(0, 0, 0)));
    const QSet<QRgb> ink = InkIn(page, QRect(180, 160, 60, 60));
    QCOMPARE(Has(ink, qRgb(0, 0, 0)), black);
    QCOMPARE(Has(ink, qRgb(110, 110, 110)), grey);
    QCOMPARE(ink.isEmpty(), !black && !grey);
  }
};

QTEST_MAIN(BoardViewTest)
#include "board_view_test.moc"
