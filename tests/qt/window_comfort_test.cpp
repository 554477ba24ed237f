// The main window as a user without a window manager or browser meets it:
// the keyboard comes back to the board after every box, addresses that
// cannot be opened are shown, long saved names keep the load dialog on the
// screen, and the window's size fits small screens and is remembered.
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include "app/about_dialog.h"
#include "app/centered_message_box.h"
#include "app/form1.h"
#include "app/help_pages.h"
#include "app/key_map.h"
#include "app/load_game_dialog.h"
#include "app/open_address.h"
#include "app/popup_menus.h"
#include "app/puzzle_clock.h"
#include "app/window_place.h"
#include "board/board.h"
#include "board/recording_host.h"
#include "dialog_driver.h"
#include "engine/step_finder.h"
#include "settings/settings.h"

using namespace tavimoro;
using namespace tavimoro::app;

class WindowComfortTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::string ini_;
  std::unique_ptr<Form1> form_;

  QRect available() const { return QGuiApplication::primaryScreen()->availableGeometry(); }

  // The window system's focus back on the main window, the board's widget
  // focused in it.
  void waitForTheBoard() {
    QTRY_COMPARE(QGuiApplication::focusWindow(), form_->windowHandle());
    QCOMPARE(QApplication::focusWidget(), form_->grid());
  }

  // A key as the window system delivers it: to whichever widget has the
  // focus now, not to a widget the test picks.
  void typeKey(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(QGuiApplication::focusWindow(), key, modifiers);
  }

 private slots:
  void init() {
    ini_ = dir_.filePath("Tavimoro.ini").toStdString();
    QFile::remove(QString::fromStdString(ini_));
    form_ = std::make_unique<Form1>(ini_);
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    form_->board().PaintPuzzle(
        ".46...27.3..2.7..91...4...34.......82.......1.7.....9...5...6.....3.9.......2....");
    form_->board().imgPen_Click();
  }
  void cleanup() {
    SetAddressOpener({});
    form_.reset();
  }

  // Ctrl+S, an empty name, the "canceled" notice: afterwards the board
  // takes digits and Ctrl+Z again without a click.
  void boardKeepsTheKeyboardAfterBoxes() {
    BoxAnswerer notices;
    QTimer::singleShot(50, [] {
      if (QWidget* input = QApplication::activeModalWidget()) input->close();
    });
    typeKey(Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(notices.texts, QStringList{"Puzzle save canceled"});
    waitForTheBoard();
    typeKey(Qt::Key_5);
    QCOMPARE(form_->board().Cells()[0].Value, 5);
    typeKey(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(form_->board().Cells()[0].Value, 0);
  }

  void boardKeepsTheKeyboardAfterAMenu() {
    QTimer::singleShot(50, [] {
      if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    });
    form_->board().imgBut_Click(9);
    waitForTheBoard();
    typeKey(Qt::Key_7);
    QCOMPARE(form_->board().Cells()[0].Value, 7);
  }

  // The menus open from keys, under their buttons; redo, the digit
  // highlight and the full key list work from the keyboard alone.
  void everythingIsReachableFromTheKeyboard_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("menu");
    QTest::newRow("F1") << int(Qt::Key_F1) << 0 << "mnuHelp";
    QTest::newRow("F10") << int(Qt::Key_F10) << 0 << "mnuOptionsPopup";
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier) << "mnuCellPopup";
    QTest::newRow("Menu") << int(Qt::Key_Menu) << 0 << "mnuCellPopup";
  }
  void everythingIsReachableFromTheKeyboard() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, menu);
    QString opened;
    QPoint at;
    QTimer::singleShot(50, [&] {
      if (QWidget* popup = QApplication::activePopupWidget()) {
        opened = popup->objectName();
        at = popup->pos();
        popup->close();
      }
    });
    QCursor::setPos(form_->mapToGlobal(QPoint(-50, -50)));
    typeKey(static_cast<Qt::Key>(key), static_cast<Qt::KeyboardModifiers>(modifiers));
    QCOMPARE(opened, menu);
    QVERIFY(form_->frameGeometry().adjusted(-2, -2, 2, 2).contains(at));
    waitForTheBoard();
  }

  void redoHighlightAndTheKeyListFromTheKeyboard() {
    typeKey(Qt::Key_5);
    typeKey(Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(form_->board().Cells()[0].Value, 0);
    QVERIFY(form_->menus()->action(Command::Redo)->isEnabled());
    typeKey(Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(form_->board().Cells()[0].Value, 5);
    QVERIFY(!form_->menus()->action(Command::Redo)->isEnabled());
    typeKey(Qt::Key_D);
    QVERIFY(form_->menus()->action(Command::HighlightDigit)->isChecked());
    QCOMPARE(form_->grid()->picture()->highlightDigit, 5);
    typeKey(Qt::Key_Delete);  // the 5 is wrong, and a wrong board gets no marks
    typeKey(Qt::Key_F);
    QVERIFY(form_->board().Cells()[3].Marks != 0);
    typeKey(Qt::Key_R);
    QCOMPARE(form_->board().Cells()[3].Marks, 0);
    QCOMPARE(WindowKeyCommand(Qt::Key_L, 2), std::optional<Command>(Command::ShowSolution));
    QCOMPARE(WindowKeyCommand(Qt::Key_L, 0), std::nullopt);
    form_->menus()->action(Command::Shortcuts)->trigger();
    QVERIFY(form_->PanelHtml().find("Ctrl+Shift+Z") != std::string::npos);
    QVERIFY(form_->PanelHtml().find("Any number, twice rapidly") != std::string::npos);
    const PopupMenus* menus = form_->menus();
    for (QAction* action : {menus->action(Command::OpenFile), menus->action(Command::SaveFileAs),
                            menus->action(Command::Print), menus->action(Command::Load)}) {
      const QKeyCombination key = action->shortcut()[0];
      QCOMPARE(WindowKeyCommand(key.key(), BoardShiftState(key.keyboardModifiers())),
               MenuCommandNamed(action->objectName().toStdString()));
      QVERIFY(form_->PanelHtml().find(action->shortcut().toString().toStdString()) != std::string::npos);
    }
  }

  void addressWithoutABrowserIsShown_data() {
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("path");
    QTest::newRow("web page") << "http://example.invalid/help/techniques.html#b3"
                              << "";
    QTest::newRow("bundled help") << "file:///opt/tavimoro/help/helpfile.html#external"
                                  << "/opt/tavimoro/help/helpfile.html";
  }
  void addressWithoutABrowserIsShown() {
    QFETCH(QString, address);
    QFETCH(QString, path);
    SetAddressOpener([](const QUrl&) { return false; });
    BoxAnswerer notices;
    QVERIFY(!OpenAddress(QUrl(address)));
    QCOMPARE(notices.titles, QStringList{"Tavimoro"});
    QVERIFY(notices.texts[0].contains("\n\n" + address));
    QCOMPARE(notices.texts[0].endsWith("\n" + path), !path.isEmpty());
    QVERIFY(form_->isVisible());
    waitForTheBoard();
  }

  // Before the window shows, a box sits in the middle of the screen, not on
  // the window's place from the last run.
  void startUpBoxIsCentredOnTheScreen() {
    const std::string ini = dir_.filePath("early.ini").toStdString();
    StoreWindowPlace(QRect(0, 0, 640, 400), ini);
    Form1 early(ini);
    QPoint centre;
    QTimer::singleShot(100, [&centre] {
      QWidget* box = QApplication::activeModalWidget();
      centre = box->frameGeometry().center();
      box->close();
    });
    ShowMessage(&early, QStringLiteral("Tavimoro"), QStringLiteral("Early"));
    SetMainWindow(form_.get());
    QVERIFY((centre - early.screen()->availableGeometry().center()).manhattanLength() <= 2);
  }

  // Enter after a click on the About box's link closes the box.
  void aboutLinkLeavesEnterToTheBox() {
    int opened = 0;
    SetAddressOpener([&opened](const QUrl&) { return ++opened > 0; });
    AboutDialog about(form_.get());
    about.open();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    QTest::mouseClick(about.siteLink(), Qt::LeftButton);
    QVERIFY(about.focusWidget());  // what takes the keys while the box is active
    QTest::keyClick(about.focusWidget(), Qt::Key_Return);
    QCOMPARE(opened, 1);
    QCOMPARE(about.result(), int(QDialog::Accepted));
  }

  // No window manager runs here to take the resize: the window follows the
  // mouse from its corner itself, and the board grows with it.
  void cornerDragResizesTheWindow() {
    QWindow* handle = form_->windowHandle();
    const QSize before = form_->size();
    const int board = form_->grid()->width();
    const QPoint corner(before.width() - 2, before.height() - 2);
    QTest::mousePress(handle, Qt::LeftButton, {}, corner);
    QTest::mouseMove(handle, corner + QPoint(80, 60));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, corner + QPoint(80, 60));
    QTRY_COMPARE(form_->size(), before + QSize(80, 60));
    QTRY_VERIFY(form_->grid()->width() > board);
  }

  // xdg-open is asked and its status heard: here it opens one address and,
  // finding no browser for the other, says so by its status only.
  void xdgOpenStatusDecides() {
    QTemporaryDir bin;
    QFile script(bin.filePath("xdg-open"));
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\n[ \"$1\" = https://example.org/ok ] && exit 0\nexit 3\n");
    script.close();
    script.setPermissions(QFile::ExeOwner | QFile::ReadOwner);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit() + ":" + path);
    BoxAnswerer notices;
    const bool opened = OpenAddress(QUrl("https://example.org/ok"));
    const bool failed = !OpenAddress(QUrl("https://example.org/help"));
    qputenv("PATH", path);
    QVERIFY(opened && failed);
    QCOMPARE(notices.texts.size(), 1);
  }

  void panelLinkWithoutABrowserIsShown() {
    QList<QUrl> tried;
    SetAddressOpener([&tried](const QUrl& url) {
      tried.append(url);
      return false;
    });
    BoxAnswerer notices;
    form_->menus()->questions()[5]->trigger();
    QCOMPARE(tried.size(), 1);
    QVERIFY(tried[0].toString().endsWith("helpfile.html#pencilmarks"));
    QCOMPARE(notices.titles.size(), 1);
    QVERIFY(notices.texts[0].contains(tried[0].toString()));
  }

  void longSavedNamesKeepTheLoadDialogOnTheScreen() {
    const std::string longName(300, 'x');
    QVERIFY(WriteSetting("SavedGames", longName, form_->board().GetAllGrid(), ini_));
    QVERIFY(WriteSetting("SavedGames", "short", form_->board().GetAllGrid(), ini_));
    LoadGameDialog library(
        ini_, [](const std::string&) { return true; }, form_.get());
    library.show();
    QVERIFY(QTest::qWaitForWindowExposed(&library));
    QVERIFY(library.width() < 600);
    QVERIFY(available().contains(library.frameGeometry()));
    QCOMPARE(library.combo()->currentText(), QString::fromStdString(longName));
    QCOMPARE(library.combo()->itemData(0, Qt::ToolTipRole).toString(), QString::fromStdString(longName));

    QString title;
    QRect boxFrame;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box || !box->isVisible()) return;
      title = box->windowTitle();
      boxFrame = box->frameGeometry();
      box->button(QMessageBox::No)->click();
    });
    poll.start(10);
    library.deleteSelected();
    QCOMPARE(title, QString("Confirm Deletion"));
    QVERIFY(available().contains(boxFrame));
  }

  void boxesStayInsideTheArea_data() {
    QTest::addColumn<QPoint>("topLeft");
    QTest::addColumn<QSize>("frame");
    QTest::addColumn<QPoint>("kept");
    QTest::newRow("inside") << QPoint(10, 20) << QSize(100, 50) << QPoint(10, 20);
    QTest::newRow("off the left and top") << QPoint(-536, -4) << QSize(300, 100) << QPoint(0, 0);
    QTest::newRow("off the right and bottom") << QPoint(750, 560) << QSize(100, 80) << QPoint(700, 520);
    QTest::newRow("wider than the area") << QPoint(-536, 10) << QSize(2053, 100) << QPoint(0, 10);
  }
  void boxesStayInsideTheArea() {
    QFETCH(QPoint, topLeft);
    QFETCH(QSize, frame);
    QFETCH(QPoint, kept);
    QCOMPARE(KeptInside(topLeft, frame, QRect(0, 0, 800, 600)), kept);
  }

  void windowHasAMinimumAndFitsTheScreen() {
    QVERIFY(form_->minimumWidth() >= 600 && form_->minimumHeight() >= 380);
    QVERIFY(form_->minimumSizeHint().width() <= form_->minimumWidth());
    QVERIFY(form_->minimumSizeHint().height() <= form_->minimumHeight());
    QVERIFY(form_->width() <= available().width() && form_->height() <= available().height());
    form_->resize(500, 350);
    QTRY_COMPARE(form_->size(), form_->minimumSize());
  }

  // 1400 x 900 at scale factor 2 is 700 x 450; a stored place off the
  // screen comes back onto it.
  void firstSizeFitsTheAvailableArea_data() {
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("stored");
    QTest::addColumn<QRect>("fitted");
    QTest::newRow("large screen") << QRect(0, 0, 1920, 1050) << QRect() << QRect(0, 0, 980, 610);
    QTest::newRow("scale 2 on 1400x900") << QRect(0, 0, 700, 450) << QRect() << QRect(0, 0, 700, 450);
    QTest::newRow("smaller than the minimum") << QRect(0, 0, 600, 300) << QRect() << QRect(0, 0, 600, 300);
    QTest::newRow("stored") << QRect(0, 0, 1920, 1050) << QRect(100, 50, 700, 500)
                            << QRect(100, 50, 700, 500);
    QTest::newRow("stored below the minimum")
        << QRect(0, 0, 1920, 1050) << QRect(100, 50, 200, 100) << QRect(100, 50, 640, 400);
    QTest::newRow("stored off the screen")
        << QRect(0, 0, 1400, 900) << QRect(1300, 850, 1000, 700) << QRect(400, 200, 1000, 700);
  }
  void firstSizeFitsTheAvailableArea() {
    QFETCH(QRect, area);
    QFETCH(QRect, stored);
    QFETCH(QRect, fitted);
    const std::optional<QRect> place = stored.isValid() ? std::optional<QRect>(stored) : std::nullopt;
    QCOMPARE(FittedWindowRect(place, QPoint(0, 0), kPreferredWindowSize, kMinimumWindowSize, area), fitted);
  }

  // Counts for the puzzle on the board: new givens start it from zero, a
  // full board, a minimised window and a hidden timer hold it, and the
  // stored time comes back with the same puzzle.
  void timerCountsThePuzzleOnTheBoard() {
    qint64 now = 0;
    QWidget area;
    PuzzleClock clock(&area, [&now] { return now; });
    clock.setShown(true);
    const QString puzzle = "5" + QString(80, '.'), other = "6" + QString(80, '.');
    clock.follow(puzzle, false);
    now += 65'000;
    QCOMPARE(clock.elapsedMs(), 65'000);
    clock.setPaused(true);
    now += 10'000;
    clock.setPaused(false);
    clock.follow(puzzle, true);  // solved: holds
    now += 10'000;
    QCOMPARE(clock.elapsedMs(), 65'000);
    QCOMPARE(PuzzleClock::Format(clock.elapsedMs()), QString("1:05"));
    QCOMPARE(PuzzleClock::Format(3'725'000), QString("1:02:05"));
    clock.follow(puzzle, false);
    clock.store(ini_);

    PuzzleClock next(&area, [&now] { return now; });
    next.setShown(true);
    next.restore(ini_);
    next.follow(QString(81, '.'), false);  // the empty board before the start
    next.follow(puzzle, false);
    QCOMPARE(next.elapsedMs(), 65'000);
    next.follow(other, false);
    QCOMPARE(next.elapsedMs(), 0);
    next.setShown(false);
    now += 5'000;
    QCOMPARE(next.elapsedMs(), 0);
  }

  void sizeAndPlaceAreRemembered() {
    QVERIFY(!ReadWindowPlace(ini_));  // nothing stored before the first close
    form_->setGeometry(QRect(30, 40, 700, 480));
    form_->close();
    QCOMPARE(ReadWindowPlace(ini_), std::optional<QRect>(QRect(30, 40, 700, 480)));
    Form1 next(ini_);
    QCOMPARE(next.geometry(), QRect(30, 40, 700, 480));
    WriteSetting("Data", "WindowWidth", "wide", ini_);
    QVERIFY(!ReadWindowPlace(ini_));
  }
};

QTEST_MAIN(WindowComfortTest)
#include "window_comfort_test.moc"
