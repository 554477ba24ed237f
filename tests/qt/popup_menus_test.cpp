// The three popup menus: their items in order and their shortcuts.
#include "app/popup_menus.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QWidget>

using tavimoro::app::PopupMenus;

namespace {

QStringList Captions(const QMenu* menu) {
  QStringList out;
  // Captions as shown, without their mnemonic marks.
  for (const QAction* action : menu->actions())
    out << (action->isSeparator() ? QString("-") : QString(action->text()).remove('&'));
  return out;
}

}  // namespace

class PopupMenusTest : public QObject {
  Q_OBJECT

 private slots:
  void itemsInOrder() {
    QWidget owner;
    PopupMenus menus(&owner);
    QCOMPARE(Captions(menus.cellMenu()),
             QStringList({"Switch to X Mode", "Pencil Mark", "Clear this cell", "Solve this cell"}));
    QCOMPARE(Captions(menus.cellMenu()->actions().at(1)->menu()),
             QStringList({"This Cell", "This Block", "This Row", "This Column"}));
    QCOMPARE(Captions(menus.optionsMenu()), QStringList({"Auto remove pencil marks",
                                                         "Always show analysis",
                                                         "Use color coded pencil marks",
                                                         "Show entered digits in blue",
                                                         "Highlight the selected digit",
                                                         "Move to the next cell after entry",
                                                         "Show a timer",
                                                         "Techniques beyond the ladder",
                                                         "-",
                                                         "Display wizard at startup",
                                                         "Check for updates at startup",
                                                         "-",
                                                         "Copy",
                                                         "Copy (with pencil marks)",
                                                         "Copy (pencil-mark grid)",
                                                         "Paste",
                                                         "Set as givens",
                                                         "-",
                                                         "Undo",
                                                         "Redo",
                                                         "-",
                                                         "Print Puzzle",
                                                         "-",
                                                         "Save Puzzle",
                                                         "Load Puzzle",
                                                         "-",
                                                         "Open Puzzle File...",
                                                         "Save Puzzle File As..."}));
    QCOMPARE(Captions(menus.helpMenu()),
             QStringList({"Specific Questions", "Entire Tavimoro Help File (Internet)",
                          "List Keyboard Shortcuts", "About..."}));
  }

  // The keys go to the board's key handler (which clears the highlights
  // first, as every key does); the items only show them.
  void shortcutsAreShownNotBoundToTheWindow() {
    QWidget owner;
    PopupMenus menus(&owner);
    for (QAction* action : {menus.mnuCopy, menus.mnuPaste, menus.mnuUndo, menus.mnuSave})
      QVERIFY(!owner.actions().contains(action) && !action->shortcut().isEmpty());
    QCOMPARE(menus.mnuUndo->shortcut(), QKeySequence("Ctrl+Z"));
    QVERIFY(!menus.mnuUndo->isEnabled());
  }
};

QTEST_MAIN(PopupMenusTest)
#include "popup_menus_test.moc"
