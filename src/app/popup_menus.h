// PopupMenus: one action per board command (commands.h), built from the
// command rows, and the three popup menus (cell, options, help) that show
// the menu rows' actions. The toolbar's buttons run their rows' actions too.
// Each action is named after its command; the shortcuts are shown on the
// items, while the keys themselves reach the board's key handler like every
// other key. The tick items show the option ticks; the main window sets them.
#pragma once

#include <QObject>
#include <array>

#include "board/commands.h"

class QAction;
class QMenu;
class QWidget;

namespace tavimoro::app {

class PopupMenus : public QObject {
  Q_OBJECT

 public:
  explicit PopupMenus(QWidget* parent);

  QMenu* cellMenu() const { return cellMenu_; }        // mnuCellPopup
  QMenu* optionsMenu() const { return optionsMenu_; }  // mnuOptionsPopup
  QMenu* helpMenu() const { return helpMenu_; }        // mnuHelp

  // The action of a command; HelpQuestion's is its first question's.
  QAction* action(Command command) const { return actions_[static_cast<int>(command)]; }
  // The help menu's questions, in the order of kHelpQuestions.
  const std::array<QAction*, kHelpQuestions.size()>& questions() const { return questions_; }

 signals:
  // An action was triggered: a toolbar button, a menu item or its shortcut.
  // For HelpQuestion the argument is the question.
  void commandTriggered(Command command, int argument);

 private:
  QMenu* menuFor(CommandPlace place, QWidget* owner);

  std::array<QAction*, kCommands.size()> actions_{};
  std::array<QAction*, kHelpQuestions.size()> questions_{};
  QMenu* cellMenu_ = nullptr;
  QMenu* pencilMarkMenu_ = nullptr;
  QMenu* optionsMenu_ = nullptr;
  QMenu* helpMenu_ = nullptr;
  QMenu* questionsMenu_ = nullptr;
};

}  // namespace tavimoro::app
