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
  void everyRowHasOneActionAndEveryActionARow() {
    QWidget owner;
    PopupMenus menus(&owner);
    // The popup menu that shows a place's items (none for the toolbar and the keys).
    const auto menuOf = [&](CommandPlace place) -> QMenu* {
      if (place == CommandPlace::CellMenu || place == CommandPlace::PencilMarkMenu) return menus.cellMenu();
      if (place == CommandPlace::OptionsMenu) return menus.optionsMenu();
      if (place == CommandPlace::HelpMenu || place == CommandPlace::QuestionsMenu) return menus.helpMenu();
      return nullptr;
    };
    const QList<QAction*> actions = owner.findChildren<QAction*>();
    for (const CommandInfo& info : kCommands) {
      const QString name = QString::fromUtf8(info.name.data(), static_cast<qsizetype>(info.name.size()));
      const auto count = std::count_if(actions.begin(), actions.end(),
                                       [&](const QAction* action) { return action->objectName() == name; });
      // The numbered help questions share one row, with the question as argument.
      QVERIFY2(count == (info.command == Command::HelpQuestion ? 9 : 1), qPrintable(name));
    }
    for (const QAction* action : actions) {
      if (action->isSeparator() || action->menu() != nullptr) continue;  // a submenu's own item
      const std::string name = action->objectName().toStdString();
      const auto row = std::find_if(kCommands.begin(), kCommands.end(),
                                    [&](const CommandInfo& info) { return info.name == name; });
      QVERIFY2(row != kCommands.end(), name.c_str());
      QVERIFY2(row->place == CommandPlace::Keyboard || !action->text().isEmpty(), name.c_str());
      for (QMenu* menu : {menus.cellMenu(), menus.optionsMenu(), menus.helpMenu()})
        QVERIFY2(ItemsOf(menu).contains(action) == (menu == menuOf(row->place)), name.c_str());
    }
  }

  // The keys go to the board's key handler (which clears the highlights
  // first, as every key does); the items only show them.
  void shortcutsAreShownNotBoundToTheWindow() {
    QWidget owner;
    PopupMenus menus(&owner);
    for (QAction* action : {menus.action(Command::Copy), menus.action(Command::Paste),
                            menus.action(Command::Undo), menus.action(Command::Save)})
      QVERIFY(!owner.actions().contains(action) && !action->shortcut().isEmpty());
    QCOMPARE(menus.action(Command::Undo)->shortcut(), QKeySequence("Ctrl+Z"));
  }
};

QTEST_MAIN(PopupMenusTest)
#include "popup_menus_test.moc"
