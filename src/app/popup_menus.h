// PopupMenus: the three popup menus (cell, options, help) and their actions.
// Each action is declared once, with its caption, tick and shortcut, and
// named after its board command (commands.h), through which the main window
// runs it. The shortcuts are shown on the items; the keys themselves reach
// the board's key handler like every other key. The menus show the option
// ticks; the main window sets them.
#pragma once

#include <QObject>
#include <array>

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

  // Cell menu.
  QAction* mnuSwitch = nullptr;
  QAction* mnuPMCell = nullptr;
  QAction* mnuPMBlock = nullptr;
  QAction* mnuPMRow = nullptr;
  QAction* mnuPMColumn = nullptr;
  QAction* mnuClearCell = nullptr;
  QAction* mnuSolveCell = nullptr;
  // Options menu.
  QAction* mnuAutoRemove = nullptr;
  QAction* mnuShowAnal = nullptr;
  QAction* mnuColor = nullptr;
  QAction* mnuGivenColor = nullptr;      // entered digits in a colour of their own
  QAction* mnuTimer = nullptr;           // the timer in the status area
  QAction* mnuHighlightDigit = nullptr;  // cells with the selected cell's digit stand out (key D)
  QAction* mnuExtended = nullptr;
  QAction* mnuEasiest = nullptr;
  QAction* mnuRember = nullptr;
  QAction* mnuCheckVer = nullptr;
  QAction* mnuCopy = nullptr;
  QAction* mnuCopyPencil = nullptr;
  QAction* mnuCopyGrid = nullptr;
  QAction* mnuPaste = nullptr;
  QAction* mnuUndo = nullptr;
  QAction* mnuRedo = nullptr;
  QAction* mnuSetGivens = nullptr;
  QAction* mnuNextCell = nullptr;
  QAction* mnuPrint = nullptr;
  QAction* mnuSave = nullptr;
  QAction* mnuLoad = nullptr;
  QAction* mnuOpen = nullptr;
  QAction* mnuSaveAs = nullptr;
  // Help menu.
  std::array<QAction*, 9> mnuFAQ{};
  QAction* mnuHelpFile = nullptr;
  QAction* mnuShortcuts = nullptr;
  QAction* mnuAbout = nullptr;

 private:
  void createActions(QWidget* owner);
  void createMenus(QWidget* owner);

  QMenu* cellMenu_ = nullptr;
  QMenu* pencilMarkMenu_ = nullptr;
  QMenu* optionsMenu_ = nullptr;
  QMenu* helpMenu_ = nullptr;
  QMenu* specificMenu_ = nullptr;
};

}  // namespace tavimoro::app
