// The three popup menus: their items in order, captions, ticks, shortcuts
// and the help anchors.
#include <QAction>
#include <QMenu>
#include <QTest>
#include <QWidget>

#include "app/popup_menus.h"

using tavimoro::app::PopupMenus;

namespace {

QStringList Captions(const QMenu* menu) {
  QStringList out;
  for (const QAction* action : menu->actions()) out << (action->isSeparator() ? QString("-") : action->text());
  return out;
}

}  // namespace

class PopupMenusTest : public QObject {
  Q_OBJECT

 private slots:
  void cellMenuItemsInOrder() {
    QWidget owner;
    PopupMenus menus(&owner);
    QCOMPARE(Captions(menus.cellMenu()), QStringList({"Switch to X Mode", "Pencil Mark", "Clear this cell",
                                                      "Solve this cell"}));
    const QMenu* pencil = menus.cellMenu()->actions().at(1)->menu();
    QVERIFY(pencil);
    QCOMPARE(Captions(pencil), QStringList({"This Cell", "This Block", "This Row", "This Column"}));
  }

  void optionsMenuItemsTicksAndShortcuts() {
    QWidget owner;
    PopupMenus menus(&owner);
    QCOMPARE(Captions(menus.optionsMenu()),
             QStringList({"Auto remove pencil marks", "Always show analysis", "Use color coded pencil marks", "-",
                          "Display wizard at startup", "Check for updates at startup", "-", "Copy",
                          "Copy (with pencil marks)", "Paste", "-", "Undo", "-", "Print Puzzle", "-",
                          "Save Puzzle", "Load Puzzle"}));
    for (QAction* tick : {menus.mnuAutoRemove, menus.mnuShowAnal, menus.mnuColor, menus.mnuRember, menus.mnuCheckVer})
      QVERIFY(tick->isCheckable());
    QVERIFY(!menus.mnuUndo->isEnabled());
    QCOMPARE(menus.mnuCopy->shortcut(), QKeySequence("Ctrl+C"));
    QCOMPARE(menus.mnuPaste->shortcut(), QKeySequence("Ctrl+V"));
    QCOMPARE(menus.mnuUndo->shortcut(), QKeySequence("Ctrl+Z"));
    QCOMPARE(menus.mnuSave->shortcut(), QKeySequence("Ctrl+S"));
    // The shortcut actions live on the window, so the keys work without the menu.
    QVERIFY(owner.actions().contains(menus.mnuUndo));
  }

  void helpMenuAndAnchors() {
    QWidget owner;
    PopupMenus menus(&owner);
    QCOMPARE(Captions(menus.helpMenu()), QStringList({"Specific Questions", "Entire Tavimoro Help File (Internet)",
                                                      "List Keyboard Shortcuts", "About..."}));
    QCOMPARE(menus.helpMenu()->actions().at(0)->menu()->actions().size(), 9);
    QCOMPARE(PopupMenus::FaqAnchor(0), QString("#top"));
    QCOMPARE(PopupMenus::FaqAnchor(5), QString("#pencilmarks"));
    QCOMPARE(PopupMenus::FaqAnchor(8), QString());
    QCOMPARE(PopupMenus::FaqAnchor(9), QString());
    QCOMPARE(PopupMenus::FaqAnchor(-1), QString());

    QStringList anchors;
    bool techniques = false;
    connect(&menus, &PopupMenus::helpFileRequested, this, [&](const QString& a) { anchors << a; });
    connect(&menus, &PopupMenus::techniquesPageRequested, this, [&] { techniques = true; });
    menus.mnuFAQ[3]->trigger();
    menus.mnuFAQ[8]->trigger();
    menus.mnuHelpFile->trigger();
    QCOMPARE(anchors, QStringList({"#external", ""}));
    QVERIFY(techniques);
  }
};

QTEST_MAIN(PopupMenusTest)
#include "popup_menus_test.moc"
