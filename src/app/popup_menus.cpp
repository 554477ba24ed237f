#include "app/popup_menus.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace tavimoro::app {

namespace {

constexpr const char* kFaqCaptions[9] = {
    "What does this program do?",
    "What is a Sudoku Puzzle?",
    "How can this program teach me how to solve a Sudoku?",
    "How do I enter a puzzle from a newspaper, magazine, or book?",
    "How do I create my own unique, random puzzle?",
    "What are Pencil marks? How do I add and remove them?",
    "What are the Pen and Pencil tools?",
    "I have a puzzle entered. What next?",
    "What are all the different techniques Tavimoro teaches?",
};

QAction* MakeAction(QWidget* owner, const char* objectName, const QString& caption,
                    const QKeySequence& shortcut = {}) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(objectName);
  if (!shortcut.isEmpty()) {
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
  }
  return action;
}

QAction* MakeTick(QWidget* owner, const char* objectName, const QString& caption) {
  QAction* action = MakeAction(owner, objectName, caption);
  action->setCheckable(true);
  return action;
}

}  // namespace

PopupMenus::PopupMenus(QWidget* parent) : QObject(parent) {
  createActions(parent);
  createMenus(parent);
}

void PopupMenus::createActions(QWidget* owner) {
  mnuSwitch = MakeAction(owner, "mnuSwitch", "Switch to X Mode");
  mnuPMCell = MakeAction(owner, "mnuPMCell", "This &Cell");
  mnuPMBlock = MakeAction(owner, "mnuPMBlock", "This &Block");
  mnuPMRow = MakeAction(owner, "mnuPMRow", "This &Row");
  mnuPMColumn = MakeAction(owner, "mnuPMColumn", "This C&olumn");
  mnuClearCell = MakeAction(owner, "mnuClearCell", "&Clear this cell");
  mnuSolveCell = MakeAction(owner, "mnuSolveCell", "S&olve this cell");

  mnuAutoRemove = MakeTick(owner, "mnuAutoRemove", "&Auto remove pencil marks");
  mnuShowAnal = MakeTick(owner, "mnuShowAnal", "Always show a&nalysis");
  mnuColor = MakeTick(owner, "mnuColor", "Use color coded pencil &marks");
  mnuGivenColor = MakeTick(owner, "mnuGivenColor", "Show &entered digits in blue");
  mnuTimer = MakeTick(owner, "mnuTimer", "Show a &timer");
  mnuHighlightDigit = MakeTick(owner, "mnuHighlightDigit", "&Highlight the selected digit");
  mnuHighlightDigit->setShortcut(QKeySequence(Qt::Key_D));
  mnuNextCell = MakeTick(owner, "mnuNextCell", "Move to the ne&xt cell after entry");
  mnuExtended = MakeTick(owner, "mnuExtended", "Techniques &beyond the ladder");
  mnuEasiest = MakeTick(owner, "mnuEasiest", "Easiest step &first");
  mnuRember = MakeTick(owner, "mnuRember", "Display &wizard at startup");
  mnuCheckVer = MakeTick(owner, "mnuCheckVer", "Check for up&dates at startup");
  mnuCopy = MakeAction(owner, "mnuCopy", "&Copy", QKeySequence(Qt::CTRL | Qt::Key_C));
  mnuCopyPencil = MakeAction(owner, "mnuCopyPencil", "Copy (with pencil mar&ks)");
  mnuCopyGrid = MakeAction(owner, "mnuCopyGrid", "Cop&y (pencil-mark grid)");
  mnuPaste = MakeAction(owner, "mnuPaste", "&Paste", QKeySequence(Qt::CTRL | Qt::Key_V));
  mnuUndo = MakeAction(owner, "mnuUndo", "&Undo", QKeySequence(Qt::CTRL | Qt::Key_Z));
  mnuUndo->setEnabled(false);
  mnuRedo = MakeAction(owner, "mnuRedo", "&Redo", QKeySequence(Qt::CTRL | Qt::Key_Y));
  mnuRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  mnuRedo->setEnabled(false);
  mnuSetGivens = MakeAction(owner, "mnuSetGivens", "Set as &givens", QKeySequence(Qt::CTRL | Qt::Key_G));
  mnuPrint = MakeAction(owner, "mnuPrint", "Pr&int Puzzle", QKeySequence(Qt::CTRL | Qt::Key_P));
  mnuSave = MakeAction(owner, "mnuSave", "&Save Puzzle", QKeySequence(Qt::CTRL | Qt::Key_S));
  mnuLoad = MakeAction(owner, "mnuLoad", "&Load Puzzle", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
  mnuOpen = MakeAction(owner, "mnuOpen", "&Open Puzzle File...", QKeySequence(Qt::CTRL | Qt::Key_O));
  mnuSaveAs = MakeAction(owner, "mnuSaveAs", "Save Puzzle &File As...",
                         QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));

  for (int i = 0; i < 9; ++i) mnuFAQ[i] = MakeAction(owner, "mnuFAQ", kFaqCaptions[i]);
  mnuHelpFile = MakeAction(owner, "mnuHelpFile", "Entire Tavimoro &Help File (Internet)");
  mnuShortcuts = MakeAction(owner, "mnuShortcuts", "List &Keyboard Shortcuts");
  mnuAbout = MakeAction(owner, "mnuAbout", "&About...");
}

void PopupMenus::createMenus(QWidget* owner) {
  cellMenu_ = new QMenu(owner);
  cellMenu_->setObjectName("mnuCellPopup");
  cellMenu_->addAction(mnuSwitch);
  pencilMarkMenu_ = cellMenu_->addMenu("&Pencil Mark");
  pencilMarkMenu_->setObjectName("mnuPencilMark");
  pencilMarkMenu_->addActions({mnuPMCell, mnuPMBlock, mnuPMRow, mnuPMColumn});
  cellMenu_->addAction(mnuClearCell);
  cellMenu_->addAction(mnuSolveCell);

  optionsMenu_ = new QMenu(owner);
  optionsMenu_->setObjectName("mnuOptionsPopup");
  optionsMenu_->addActions({mnuAutoRemove, mnuShowAnal, mnuColor, mnuGivenColor, mnuHighlightDigit,
                            mnuNextCell, mnuTimer, mnuExtended, mnuEasiest});
  optionsMenu_->addSeparator();
  optionsMenu_->addActions({mnuRember, mnuCheckVer});
  optionsMenu_->addSeparator();
  optionsMenu_->addActions({mnuCopy, mnuCopyPencil, mnuCopyGrid, mnuPaste, mnuSetGivens});
  optionsMenu_->addSeparator();
  optionsMenu_->addActions({mnuUndo, mnuRedo});
  optionsMenu_->addSeparator();
  optionsMenu_->addAction(mnuPrint);
  optionsMenu_->addSeparator();
  optionsMenu_->addActions({mnuSave, mnuLoad});
  optionsMenu_->addSeparator();
  optionsMenu_->addActions({mnuOpen, mnuSaveAs});

  helpMenu_ = new QMenu("HelpMenu", owner);
  helpMenu_->setObjectName("mnuHelp");
  specificMenu_ = helpMenu_->addMenu("&Specific Questions");
  specificMenu_->setObjectName("mnuSpecific");
  for (QAction* faq : mnuFAQ) specificMenu_->addAction(faq);
  helpMenu_->addActions({mnuHelpFile, mnuShortcuts, mnuAbout});
}

}  // namespace tavimoro::app
