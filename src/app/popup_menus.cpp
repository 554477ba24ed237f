#include "app/popup_menus.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace tavimoro::app {

namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QAction* MakeAction(QWidget* owner, std::string_view name, std::string_view caption, std::string_view keys,
                    bool ticks) {
  auto* action = new QAction(Q(caption), owner);
  action->setObjectName(Q(name));
  action->setShortcuts(QKeySequence::listFromString(Q(keys)));
  action->setCheckable(ticks);
  return action;
}

}  // namespace

PopupMenus::PopupMenus(QWidget* parent) : QObject(parent) {
  for (const CommandInfo& row : kCommands) {
    const Command command = row.command;
    QAction* action = nullptr;
    if (command == Command::HelpQuestion) {
      for (int i = 0; i < static_cast<int>(questions_.size()); ++i) {
        questions_[i] = MakeAction(parent, row.name, kHelpQuestions[i], row.keys, false);
        connect(questions_[i], &QAction::triggered, this,
                [this, i] { emit commandTriggered(Command::HelpQuestion, i); });
      }
      action = questions_[0];
    } else {
      action = MakeAction(parent, row.name, row.caption, row.keys, row.tick.ticks);
      // A tick item leaves its tick to the board, which sets it through
      // the window's SetOption.
      connect(action, &QAction::triggered, this, [this, action, command] {
        if (action->isCheckable()) action->setChecked(!action->isChecked());
        emit commandTriggered(command, -1);
      });
    }
    actions_[static_cast<int>(command)] = action;
    QMenu* menu = menuFor(row.place, parent);
    if (!menu) continue;
    if (row.lineAbove) menu->addSeparator();
    if (command == Command::HelpQuestion) {
      for (QAction* question : questions_) menu->addAction(question);
    } else {
      menu->addAction(action);
    }
  }
}

// The menu of a place, made when its first row comes; a submenu takes its
// place in its parent menu there.
QMenu* PopupMenus::menuFor(CommandPlace place, QWidget* owner) {
  auto make = [owner](QMenu*& menu, const char* objectName, const QString& title) {
    if (!menu) {
      menu = new QMenu(title, owner);
      menu->setObjectName(objectName);
    }
    return menu;
  };
  auto submenu = [](QMenu* parent, QMenu*& menu, const char* objectName, const QString& title) {
    if (!menu) {
      menu = parent->addMenu(title);
      menu->setObjectName(objectName);
    }
    return menu;
  };
  switch (place) {
    case CommandPlace::Toolbar:
    case CommandPlace::Keyboard:
      return nullptr;
    case CommandPlace::CellMenu:
      return make(cellMenu_, "mnuCellPopup", QString());
    case CommandPlace::PencilMarkMenu:
      return submenu(make(cellMenu_, "mnuCellPopup", QString()), pencilMarkMenu_, "mnuPencilMark",
                     QStringLiteral("&Pencil Mark"));
    case CommandPlace::OptionsMenu:
      return make(optionsMenu_, "mnuOptionsPopup", QString());
    case CommandPlace::HelpMenu:
      return make(helpMenu_, "mnuHelp", QStringLiteral("HelpMenu"));
    case CommandPlace::QuestionsMenu:
      return submenu(make(helpMenu_, "mnuHelp", QStringLiteral("HelpMenu")), questionsMenu_, "mnuSpecific",
                     QStringLiteral("&Specific Questions"));
  }
  return nullptr;
}

}  // namespace tavimoro::app
