// The popup menus against the command rows: every menu row has exactly one
// item, in the menu its row names, and every item belongs to a row, so that
// a misspelt name cannot leave an item that runs nothing.
#include "app/popup_menus.h"

#include <QAction>
#include <QMenu>
#include <QTest>
#include <QWidget>
#include <algorithm>

#include "board/commands.h"

using namespace tavimoro;
using tavimoro::app::PopupMenus;

namespace {

// The items of a menu and of its submenus, separators left out.
QList<QAction*> ItemsOf(const QMenu* menu) {
  QList<QAction*> items;
  for (QAction* action : menu->actions()) {
    if (action->isSeparator()) continue;
    if (action->menu() != nullptr)
      items << ItemsOf(action->menu());
    else
      items << action;
  }
  return items;
}

}  // namespace

class PopupMenusTest : public QObject {
  Q_OBJECT

 private slots:
  void everyMenuRowHasOneItemAndEveryItemARow() {
    QWidget owner;
    PopupMenus menus(&owner);
    const std::pair<CommandPlace, QMenu*> places[] = {{CommandPlace::CellMenu, menus.cellMenu()},
                                                      {CommandPlace::OptionsMenu, menus.optionsMenu()},
                                                      {CommandPlace::HelpMenu, menus.helpMenu()}};
    for (const auto& [place, menu] : places) {
      const QList<QAction*> items = ItemsOf(menu);
      for (const CommandInfo& info : kCommands) {
        if (info.place != place) continue;
        const QString name = QString::fromUtf8(info.name.data(), static_cast<qsizetype>(info.name.size()));
        const auto count = std::count_if(items.begin(), items.end(),
                                         [&](const QAction* item) { return item->objectName() == name; });
        // The numbered help questions share one row, with the question as argument.
        QVERIFY2(info.command == Command::HelpQuestion ? count == 9 : count == 1, qPrintable(name));
      }
      for (const QAction* item : items) {
        const std::string name = item->objectName().toStdString();
        const auto row = std::find_if(kCommands.begin(), kCommands.end(),
                                      [&](const CommandInfo& info) { return info.name == name; });
        QVERIFY2(row != kCommands.end() && row->place == place, name.c_str());
        QVERIFY2(!item->text().isEmpty(), name.c_str());
      }
    }
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
