// The main window driven as a user drives it: keys and clicks on the board,
// the right-click menu, the hint sequence through the panel's link, undo by
// Ctrl+Z, the toolbar's enabled states, the status light and a stored option.
#include "app/form1.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <atomic>
#include <fstream>

#include "app/image_button.h"
#include "app/key_map.h"
#include "app/popup_menus.h"
#include "app/status_light.h"
#include "board/board.h"
#include "board/recording_host.h"
#include "qt/dialog_driver.h"

using namespace tavimoro;
using namespace tavimoro::app;

namespace {

constexpr const char* kTestPuzzle =
    "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79";
constexpr const char* kTestSolution =
    "534678912672195348198342567859761423426853791713924856961537284287419635345286179";

// The window with its clock and its file dialog in the test's hands.
class TestForm : public Form1 {
 public:
  using Form1::Form1;
  std::int64_t now = 1000;
  std::string chosenFile;
  std::int64_t Milliseconds() override { return now; }
  std::string askForFile(bool) override { return chosenFile; }
};

}  // namespace

class Form1Test : public QObject {
  Q_OBJECT

 private:
  QTemporaryDir dir_;
  std::unique_ptr<TestForm> form_;

  Board& board() { return form_->board(); }
  void click(int cell, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(form_->grid(), button, {}, form_->grid()->cellRect(cell).center());
  }
  void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(form_.get(), k, modifiers); }

  // Two empty cells, each alone in its block: the first H names the
  // technique, the second points at the cell and offers the panel's link.
  void askForTwoHints() {
    std::string text = kTestSolution;
    text[0] = '.';
    text[80] = '.';
    board().PaintPuzzle(text);
    QVERIFY(form_->toolbarButton(Command::Hint)->isEnabled());
    key(Qt::Key_H);
    QVERIFY(form_->PanelHtml().find("Look for an") != std::string::npos);
    key(Qt::Key_H);
    QCOMPARE(Edit(board()).SelCell, 80);
    QCOMPARE(Edit(board()).CellColors[80], 0xFFFF80u);
  }

  // A file dragged in and dropped, as the window system delivers it.
  void dropFile(const QString& path) {
    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &file, Qt::LeftButton, {});
    QApplication::sendEvent(form_.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &file, Qt::LeftButton, {});
    QApplication::sendEvent(form_.get(), &drop);
  }

 private slots:
  void init() {
    form_ = std::make_unique<TestForm>((dir_.path() + "/Tavimoro.ini").toStdString());
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    board().PaintPuzzle(kTestPuzzle);
    board().imgPen_Click();
  }
  void cleanup() { form_.reset(); }

  void keysMapOntoTheBoardCodes_data() {
    QTest::addColumn<int>("qtKey");
    QTest::addColumn<bool>("keypad");
    QTest::addColumn<int>("code");
    QTest::newRow("digit 5") << int(Qt::Key_5) << false << 53;
    QTest::newRow("keypad 5") << int(Qt::Key_5) << true << 101;
    QTest::newRow("keypad 0") << int(Qt::Key_0) << true << 96;
    QTest::newRow("keypad point") << int(Qt::Key_Period) << true << 110;
    QTest::newRow("keypad comma") << int(Qt::Key_Comma) << true << 110;
    QTest::newRow("full stop") << int(Qt::Key_Period) << false << 190;
    QTest::newRow("keypad enter") << int(Qt::Key_Enter) << true << 13;
    QTest::newRow("left") << int(Qt::Key_Left) << false << 37;
    QTest::newRow("letter H") << int(Qt::Key_H) << false << 72;
    QTest::newRow("unknown") << int(Qt::Key_F5) << false << 0;
  }
  void keysMapOntoTheBoardCodes() {
    QFETCH(int, qtKey);
    QFETCH(bool, keypad);
    QFETCH(int, code);
    QCOMPARE(BoardKeyCode(qtKey, keypad ? Qt::KeypadModifier : Qt::NoModifier), code);
    QCOMPARE(BoardShiftState(Qt::KeypadModifier), 0);
    QCOMPARE(BoardShiftState(Qt::ControlModifier), 2);
    QCOMPARE(BoardShiftState(Qt::ShiftModifier | Qt::AltModifier), 5);
  }

  void clicksSelectArrowsMoveAndDigitsWrite() {
    click(2);
    QCOMPARE(Edit(board()).SelCell, 2);
    key(Qt::Key_4);
    QCOMPARE(Edit(board()).Cells[2].Value, 4);
    QVERIFY(!Edit(board()).Cells[2].Given);
    key(Qt::Key_Right);
    QTest::keyClick(form_.get(), Qt::Key_6, Qt::KeypadModifier);
    QCOMPARE(Edit(board()).Cells[3].Value, 6);
    key(Qt::Key_Backspace);
    QCOMPARE(Edit(board()).Cells[3].Value, 0);
    click(0);
    key(Qt::Key_Left);
    key(Qt::Key_Up);
    QCOMPARE(Edit(board()).SelCell, 0);  // held at the edges
    click(80);
    key(Qt::Key_Right);
    key(Qt::Key_Down);
    key(Qt::Key_Up);
    QCOMPARE(Edit(board()).SelCell, 71);
  }

  void rightClickOpensTheCellMenu() {
    QString caption, menuName;
    QTimer::singleShot(0, this, [&] {
      QWidget* popup = QApplication::activePopupWidget();
      if (!popup) return;
      menuName = popup->objectName();
      caption = form_->menus()->action(Command::SwitchTool)->text();
      popup->close();
    });
    click(30, Qt::RightButton);
    QCOMPARE(Edit(board()).SelCell, 30);
    QCOMPARE(menuName, QString("mnuCellPopup"));
    QCOMPARE(caption, QString("Switch to Pencil tool"));
  }

  void ctrlZUndoes() {
    click(2);
    key(Qt::Key_4);
    QVERIFY(form_->menus()->action(Command::Undo)->isEnabled());
    Edit(board()).CellColors[40] = HintCellColour;
    key(Qt::Key_Z, Qt::ControlModifier);  // a key press: it clears the highlights first
    QCOMPARE(Edit(board()).Cells[2].Value, 0);
    QCOMPARE(Edit(board()).CellColors[40], 0u);
  }

  void hintEscalatesToApplicationThroughThePanelLink() {
    askForTwoHints();
    HTMLLabel* panel = form_->panel();
    const auto& document = panel->ParsedDocument();
    QPoint target(-1, -1);
    for (const auto& area : panel->CurrentLayout().LinkAreas) {
      if (document.Elements.at(document.Links.at(area.Link)).Target == "ApplyLastHint")
        target = panel->ViewPortPoint(
            QPoint(area.Area.X + area.Area.Width / 2, area.Area.Y + area.Area.Height / 2));
    }
    QVERIFY(target.x() >= 0);
    QTest::mouseClick(panel->ViewPort(), Qt::LeftButton, {}, target);
    QTRY_COMPARE(Edit(board()).Cells[80].Value, 9);
    QCOMPARE(Edit(board()).LastHint.Kind, int(kNoStep));
    QVERIFY(form_->PanelHtml().find("ApplyLastHint") == std::string::npos);
  }

  void solvedBoardDisablesSolutionAndHint() {
    board().PaintPuzzle(kTestSolution);
    QVERIFY(!form_->toolbarButton(Command::ShowSolution)->isEnabled());
    QVERIFY(!form_->toolbarButton(Command::Hint)->isEnabled());
    QVERIFY(form_->PanelHtml().find("PUZZLE IS SOLVED!") != std::string::npos);
  }

  void wrongEntryLightsRed() {
    click(2);
    key(Qt::Key_2);  // R1C3 must be 4
    QCOMPARE(form_->light()->fillColour(), QColor(255, 0, 0));
    QCOMPARE(Edit(board()).CellColors[2], 0xFFC0FFu);
    key(Qt::Key_Delete);
    QCOMPARE(form_->light()->fillColour(), QColor(0, 0, 0));
  }

  void droppedFileOpensAsAPuzzleFile() {
    const QString path = dir_.filePath("dropped.sdk");
    std::string rows = "#A hand-made\n";
    for (int r = 0; r < 9; ++r) rows += std::string(kTestPuzzle + 9 * r, 9) + "\n";
    std::ofstream(path.toStdString()) << rows;
    QMimeData text;
    text.setText(kTestPuzzle);
    QDragEnterEvent textEnter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, {});
    QApplication::sendEvent(form_.get(), &textEnter);
    QVERIFY(!textEnter.isAccepted());
    board().PaintPuzzle(std::string(81, '.'));
    dropFile(path);
    QTRY_COMPARE(board().GetGrid(true), std::string(kTestPuzzle));

    // Random bytes hold digits and dots enough for a grid; a grid with two
    // 5s in its first row breaks the rules. Neither replaces the board
    // unasked.
    std::string bytes;
    for (unsigned i = 0, seed = 7; i < 4000; ++i)
      bytes += static_cast<char>((seed = seed * 1103515245 + 12345) >> 16);
    std::ofstream(dir_.filePath("random.sdk").toStdString(), std::ios::binary) << bytes;
    std::ofstream(dir_.filePath("broken.sdk").toStdString()) << "55" << std::string(kTestPuzzle + 2, 79);
    BoxAnswerer answerer({QMessageBox::Ok, QMessageBox::No});
    dropFile(dir_.filePath("random.sdk"));
    QTRY_COMPARE(answerer.texts.size(), 1);
    dropFile(dir_.filePath("broken.sdk"));
    QTRY_COMPARE(answerer.texts.size(), 2);
    QCOMPARE(board().GetGrid(true), std::string(kTestPuzzle));
    QCOMPARE(answerer.texts.value(0), QStringLiteral("random.sdk is not a text file"));
    QVERIFY(answerer.texts.value(1).startsWith("The puzzle in broken.sdk breaks the rules"));
  }

  void saveAsAndOpenGoThroughTheChosenFile() {
    board().PaintPuzzle(kTestPuzzle);
    form_->chosenFile = dir_.filePath("saved.txt").toStdString();
    form_->menus()->action(Command::SaveFileAs)->trigger();
    const std::string saved = board().GetAllGrid();
    board().PaintPuzzle(std::string(81, '.'));
    form_->menus()->action(Command::OpenFile)->trigger();
    QCOMPARE(board().GetAllGrid(), saved);
    QVERIFY(!form_->menus()->action(Command::CopyMarkGrid)->isEnabled());  // no marks to copy

    // An entered digit does not survive .sdk: the puzzle file is offered.
    board().imgPen_Click();
    click(2);
    key(Qt::Key_4);
    form_->chosenFile = dir_.filePath("entered.sdk").toStdString();
    BoxAnswerer answerer({QMessageBox::Yes, QMessageBox::Cancel});
    form_->menus()->action(Command::SaveFileAs)->trigger();
    form_->menus()->action(Command::SaveFileAs)->trigger();
    QCOMPARE(answerer.titles, QStringList({"WARNING", "WARNING"}));
    QVERIFY(answerer.texts[0].contains("the digits you entered become givens"));
    QVERIFY(!QFile::exists(dir_.filePath("entered.sdk")));
    form_->chosenFile = dir_.filePath("entered.txt").toStdString();
    const std::string entered = board().GetAllGrid();
    board().PaintPuzzle(std::string(81, '.'));
    form_->menus()->action(Command::OpenFile)->trigger();
    QCOMPARE(board().GetAllGrid(), entered);
  }

  // Long reading runs off the window's thread; Cancel stops it.
  void longReadingShowsProgressAndCancels() {
    std::atomic<bool> stopped = false;
    QTimer::singleShot(200, [] {
      auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
      if (dialog) dialog->cancel();
    });
    const bool finished =
        form_->RunWithProgress("Reading", [&stopped](const std::function<bool(double)>& done) {
          for (double share = 0; done(share); share = std::min(share + 0.001, 1.0)) QThread::msleep(1);
          stopped = true;
          return true;
        });
    QVERIFY(!finished && stopped);
  }

  void optionTogglesAreStored() {
    QAction* showAnal = form_->menus()->action(Command::ShowAnalysis);
    QVERIFY(!showAnal->isChecked());
    showAnal->trigger();
    QVERIFY(form_->PanelHtml().find("Difficulty rating") != std::string::npos);
    TestForm second((dir_.path() + "/Tavimoro.ini").toStdString());
    QVERIFY(second.menus()->action(Command::ShowAnalysis)->isChecked());
    showAnal->trigger();
    TestForm third((dir_.path() + "/Tavimoro.ini").toStdString());
    QVERIFY(!third.menus()->action(Command::ShowAnalysis)->isChecked());
  }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
