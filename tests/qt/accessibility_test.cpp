// What a screen reader gets: the board as a table of spoken cells, the hint
// panel's text, a name on every control, and the wizard without a mouse.
#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "app/board_accessible.h"
#include "app/form1.h"
#include "app/generate_dialog.h"
#include "app/image_button.h"
#include "app/startup.h"
#include "app/status_light.h"
#include "app/wizard_dialog.h"
#include "board/board.h"
#include "board/recording_host.h"

using namespace tavimoro;
using namespace tavimoro::app;

class AccessibilityTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  std::string ini() const { return dir_.filePath("Tavimoro.ini").toStdString(); }

  static QString Name(QObject* object) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(QAccessible::Name) : QString();
  }

 private slots:
  void cellsReadAsTheyAreDrawn_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("given");
    QTest::addColumn<int>("marks");
    QTest::addColumn<QString>("speech");
    QTest::newRow("given") << 21 << 5 << true << 0 << "row 3, column 4: 5, given";
    QTest::newRow("entered") << 80 << 7 << false << 0x1FF << "row 9, column 9: 7";
    QTest::newRow("marks") << 0 << 0 << false << 0b100000011 << "row 1, column 1: empty, marks 1 2 9";
    QTest::newRow("empty") << 9 << 0 << false << 0 << "row 2, column 1: empty";
  }
  void cellsReadAsTheyAreDrawn() {
    QFETCH(int, index);
    QFETCH(int, value);
    QFETCH(bool, given);
    QFETCH(int, marks);
    QFETCH(QString, speech);
    CellPicture cell{value, given, static_cast<std::uint16_t>(marks), 0};
    QCOMPARE(CellSpeech(cell, index), speech);
  }

  void boardIsATableWithTheSelectedCellFocused() {
    Form1 form(ini());
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.board().PaintPuzzle(
        "53..7....6..195....98....6.8...6...34..8.3..17...2...6.6....28....419..5....8..79");
    Edit(form.board()).Cells[2].SetPencil(1, true);
    Edit(form.board()).Cells[2].SetPencil(2, true);
    Edit(form.board()).SelCell = 2;
    form.board().RedrawGrid();

    QAccessibleInterface* board = QAccessible::queryAccessibleInterface(form.grid());
    QVERIFY(board && board->tableInterface());
    QCOMPARE(board->role(), QAccessible::Table);
    QCOMPARE(board->text(QAccessible::Name), QString("Sudoku board"));
    QCOMPARE(board->tableInterface()->rowCount(), 9);
    QCOMPARE(board->tableInterface()->columnCount(), 9);
    QCOMPARE(board->childCount(), 81);
    QCOMPARE(board->tableInterface()->cellAt(0, 0)->text(QAccessible::Name),
             QString("row 1, column 1: 5, given"));
    QAccessibleInterface* selected = board->focusChild();
    QVERIFY(selected && selected->tableCellInterface());
    QCOMPARE(selected->text(QAccessible::Name), QString("row 1, column 3: empty, marks 1 2"));
    QVERIFY(selected->state().selected && selected->state().focused);
    QCOMPARE(board->indexOfChild(selected), 2);
    QCOMPARE(selected->tableCellInterface()->columnIndex(), 2);
    QCOMPARE(selected->parent(), board);
    const QRect cell = selected->rect();
    QCOMPARE(board->childAt(cell.center().x(), cell.center().y()), selected);
  }

  void hintPanelTextIsReadable() {
    Form1 form(ini());
    form.SetPanelHtml("<b>Look for</b> a <font color=red>Naked Pair</font><br>in row 3");
    QAccessibleInterface* panel = QAccessible::queryAccessibleInterface(form.panel());
    QVERIFY(panel);
    QCOMPARE(panel->text(QAccessible::Name), QString("Hints and analysis"));
    QCOMPARE(panel->text(QAccessible::Description), QString("Look for a Naked Pair\nin row 3"));
    QAccessibleTextInterface* text = panel->textInterface();
    QVERIFY(text);
    QCOMPARE(text->characterCount(), 30);
    QCOMPARE(text->text(9, 21), QString("a Naked Pair"));
  }

  // "The blue cell is the only cell..." with the cells it means.
  void hintCellsAreNamed() {
    Form1 form(ini());
    form.board().PaintPuzzle(
        ".46...27.3..2.7..91...4...34.......82.......1.7.....9...5...6.....3.9.......2....");
    for (int press = 0; press < 3 && form.board().CellColors() == std::array<std::uint32_t, 81>{}; ++press)
      form.board().ShowHint();
    const auto& colours = form.board().CellColors();
    const int cell =
        int(std::find_if(colours.begin(), colours.end(), [](auto c) { return c != 0; }) - colours.begin());
    QVERIFY(cell < 81);
    const QString description =
        QAccessible::queryAccessibleInterface(form.panel())->text(QAccessible::Description);
    QVERIFY(description.startsWith(form.panel()->PlainText() + "\n"));
    QVERIFY2(description.contains(QStringLiteral("R%1C%2").arg(cell / 9 + 1).arg(cell % 9 + 1)),
             qPrintable(description));
  }

  void everyControlHasAName() {
    Form1 form(ini());
    for (int i = 0; i < kToolbarButtons; ++i)
      QVERIFY2(!Name(form.toolbarButton(*ToolbarCommand(i))).isEmpty(), qPrintable(QString::number(i)));
    QCOMPARE(QAccessible::queryAccessibleInterface(form.toolbarButton(Command::Hint))
                 ->text(QAccessible::Description),
             QString("Key: H"));
    for (QWidget* w : {static_cast<QWidget*>(form.penIcon()), static_cast<QWidget*>(form.pencilIcon()),
                       static_cast<QWidget*>(form.light())})
      QVERIFY(!Name(w).isEmpty());

    GenerateDialog generator(ini(), {});
    for (QAbstractButton* button : generator.findChildren<QAbstractButton*>())
      QVERIFY2(!Name(button).isEmpty(), qPrintable(button->objectName()));
    QCOMPARE(Name(generator.chkRequired(10)), QString("Required: X-Wing"));

    WizardDialog wizard(ini(), {});
    for (QAbstractButton* button : wizard.findChildren<QAbstractButton*>()) QVERIFY(!Name(button).isEmpty());
    for (int i = 0; i < 5; ++i) QCOMPARE(Name(wizard.lblOptions(i)), wizard.lblOptions(i)->text());
  }

  void wizardChoicesWorkFromTheKeyboard_data() {
    QTest::addColumn<int>("tabs");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("action");
    QTest::newRow("number key") << 0 << int(Qt::Key_3) << QString(kStartNew);
    QTest::newRow("tab and enter") << 1 << int(Qt::Key_Return) << QString(kStartExternal);
    QTest::newRow("space on the first") << 0 << int(Qt::Key_Space) << QString(kStartLast);
  }
  void wizardChoicesWorkFromTheKeyboard() {
    QFETCH(int, tabs);
    QFETCH(int, key);
    QFETCH(QString, action);
    WizardDialog wizard(ini(), {});
    wizard.show();
    QVERIFY(QTest::qWaitForWindowActive(&wizard));
    wizard.lblOptions(0)->setFocus();
    for (int i = 0; i < tabs; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key));
    QCOMPARE(wizard.result(), int(QDialog::Accepted));
    QCOMPARE(QString::fromStdString(wizard.startAction()), action);
  }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
