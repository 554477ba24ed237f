#include "app/form1.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QUrl>
#include <QVBoxLayout>

#include "app/about_dialog.h"
#include "app/centered_message_box.h"
#include "app/generate_dialog.h"
#include "app/image_button.h"
#include "app/key_map.h"
#include "app/load_game_dialog.h"
#include "app/popup_menus.h"
#include "app/print_puzzle.h"
#include "app/settings/ini_document.h"
#include "app/settings/settings_schema.h"
#include "app/settings/stored_ticks.h"
#include "app/status_light.h"
#include "app/svg_art.h"
#include "app/title_banner.h"
#include "board/hint_composer.h"
#include "engine/step_finder.h"

namespace tavimoro::app {

namespace {

struct ToolbarEntry {
  const char* icon;
  const char* toolTip;
};

constexpr ToolbarEntry kToolbar[kToolbarCount] = {
    {"minimize", "Minimize"},
    {"exit", "Exit"},
    {"fill-marks", "Fill in all pencil marks"},
    {"remove-marks", "Remove all pencil marks"},
    {"new-puzzle", "Make a new random puzzle"},
    {"clear-puzzle", "Clear the entire puzzle"},
    {"solution", "Show the solution"},
    {"hint", "Get a hint"},
    {"help", "Help"},
    {"options", "More options..."},
};

// The order on screen: the board actions, then help and options, then the
// window's own minimise and exit at the far right.
constexpr int kToolbarOrder[kToolbarCount] = {kFillAll, kRemoveMarks, kNewPuzzle, kClearPuzzle, kSolution,
                                              kHint,    kHelp,        kMoreOptions, kMinimize,  kExit};

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The tray behind the tool icons, in the banner's colours.
class ToolTray : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    painter.fillPath(path, QColor(0x24, 0x4a, 0x66));
  }
};

}  // namespace

Form1::Form1(std::string iniPath, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), iniPath_(std::move(iniPath)) {
  clock_.start();
  setWindowTitle(kProgramTitle);
  setObjectName("Form1");
  setFocusPolicy(Qt::StrongFocus);
  SetMainWindow(this);
  createToolbar();
  createToolArea();
  createPanel();
  layoutWindow();
  menus_ = new PopupMenus(this);
  connectMenus();
  readOptions();
  board_.ForgetTool();
  resize(980, 610);
}

// --- construction -------------------------------------------------------------

void Form1::createToolbar() {
  banner_ = new TitleBanner(kProgramTitle, this);
  auto* row = new QHBoxLayout(banner_);
  row->setContentsMargins(0, 6, 8, 6);
  row->setSpacing(2);
  row->addStretch(1);
  for (int index = 0; index < kToolbarCount; ++index) {
    auto* button = new ImageButton(kToolbar[index].icon, kToolbar[index].toolTip, banner_);
    button->setObjectName(QStringLiteral("imgBut%1").arg(index));
    connect(button, &ImageButton::clicked, this, [this, index] { board_.imgBut_Click(index); });
    toolbar_[index] = button;
  }
  for (int position = 0; position < kToolbarCount; ++position) {
    const int index = kToolbarOrder[position];
    if (index == kMinimize) row->addSpacing(18);
    row->addWidget(toolbar_[index]);
  }
}

void Form1::createToolArea() {
  toolArea_ = new ToolTray(this);
  auto* row = new QHBoxLayout(toolArea_);
  row->setContentsMargins(8, 4, 12, 4);
  row->setSpacing(6);
  pen_ = new ImageButton("pen", QString(), toolArea_);
  pencil_ = new ImageButton("pencil", QString(), toolArea_);
  pen_->setObjectName("imgPen");
  pencil_->setObjectName("imgPencil");
  for (ImageButton* icon : {pen_, pencil_}) {
    icon->setIconExtent(30);
    row->addWidget(icon);
  }
  connect(pen_, &ImageButton::clicked, this, [this] { board_.imgPen_Click(); });
  connect(pencil_, &ImageButton::clicked, this, [this] { board_.imgPencil_Click(); });
  row->addStretch(1);
  light_ = new StatusLight(toolArea_);
  light_->setObjectName("Shape1");
  light_->setToolTip(QStringLiteral("Red: the board breaks the rules or cannot be solved"));
  row->addWidget(light_);
}

void Form1::createPanel() {
  panel_ = new HTMLLabel(this);
  panel_->setObjectName("HL1");
  panel_->setMinimumWidth(300);
  panel_->SetEnableAnchors(true);
  panel_->SetBackColor(Qt::white);
  panel_->SetBorderStyle(1);
  panel_->SetAppearance(0);
  // The keyboard belongs to the board.
  panel_->setFocusPolicy(Qt::NoFocus);
  connect(panel_, &HTMLLabel::HyperlinkClick, this, &Form1::onPanelLink);
}

void Form1::layoutWindow() {
  grid_ = new BoardView(this);
  grid_->setObjectName("picGrid");
  grid_->setPicture(&picture_);
  connect(grid_, &BoardView::cellReleased, this, [this](int cell, Qt::MouseButton button) {
    if (button == Qt::LeftButton) board_.picGrid_MouseUp(cell, MouseButton::Left);
    if (button == Qt::RightButton) board_.picGrid_MouseUp(cell, MouseButton::Right);
  });

  auto* right = new QVBoxLayout;
  right->setSpacing(8);
  right->addWidget(panel_, 1);
  right->addWidget(toolArea_);

  auto* body = new QHBoxLayout;
  body->setContentsMargins(12, 12, 12, 12);
  body->setSpacing(12);
  body->addWidget(grid_, 3);
  body->addLayout(right, 2);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(1, 1, 1, 1);
  column->setSpacing(0);
  column->addWidget(banner_);
  column->addLayout(body, 1);
}

// Every menu item runs its board command; the actions carry their command's
// name. A tick item leaves its tick to the board, which sets it through
// SetOption.
void Form1::connectMenus() {
  const QList<QAction*> actions = findChildren<QAction*>();
  for (const CommandInfo& info : kCommands) {
    if (info.place == CommandPlace::Toolbar || info.command == Command::HelpQuestion) continue;
    for (QAction* action : actions) {
      if (action->objectName() != Q(info.name)) continue;
      connect(action, &QAction::triggered, this, [this, action, command = info.command] {
        if (action->isCheckable()) action->setChecked(!action->isChecked());
        board_.Execute(command);
      });
      break;
    }
  }
  for (int i = 0; i < static_cast<int>(menus_->mnuFAQ.size()); ++i)
    connect(menus_->mnuFAQ[i], &QAction::triggered, this, [this, i] { board_.Execute(Command::HelpQuestion, i); });
}

// The ticks stored between runs; auto-remove and colour-coded marks last
// for one run only.
void Form1::readOptions() {
  const Settings settings(iniPath_);
  for (BoardOption option : kBoardOptions) {
    const YesNoSetting* stored = StoredTick(option);
    optionAction(option)->setChecked(stored != nullptr && settings.Get(*stored));
  }
}

QAction* Form1::optionAction(BoardOption option) const {
  switch (option) {
    case BoardOption::AutoRemove: return menus_->mnuAutoRemove;
    case BoardOption::ColorMarks: return menus_->mnuColor;
    case BoardOption::ShowAnalysis: return menus_->mnuShowAnal;
    case BoardOption::ShowWizard: return menus_->mnuRember;
    case BoardOption::CheckVersion: return menus_->mnuCheckVer;
    case BoardOption::Extended: return menus_->mnuExtended;
  }
  return nullptr;
}

// --- drawing and enabled states ------------------------------------------------

void Form1::syncFromBoard() {
  for (int c = 0; c < 81; ++c) {
    const CellRec& cell = board_.Cells()[c];
    picture_.cells[c] = {cell.Value, cell.Given, cell.Marks, board_.CellColors()[c]};
  }
  picture_.selected = board_.SelCell();
  picture_.colourCodedMarks = menus_->mnuColor->isChecked();
  const bool hintOnPanel =
      board_.LastHint().Kind != kNoStep && LikePattern(board_.PanelHtml(), "*ApplyLastHint*");
  picture_.lines = hintOnPanel ? board_.LastHint().Lines : std::array<StepLine, 20>{};
  grid_->update();

  const BoardControls& c = board_.Controls();
  toolbar_[kRemoveMarks]->setEnabled(c.RemoveMarks);
  toolbar_[kClearPuzzle]->setEnabled(c.Clear);
  toolbar_[kSolution]->setEnabled(c.Solution);
  toolbar_[kHint]->setEnabled(c.Hint);
  menus_->mnuUndo->setEnabled(c.Undo);
  menus_->mnuCopyPencil->setEnabled(c.CopyPencil);
  menus_->mnuPMCell->setEnabled(c.PmCell);
}

void Form1::showTool(int tool) {
  ImageButton* active = tool == kPencil ? pencil_ : pen_;
  ImageButton* other = tool == kPencil ? pen_ : pencil_;
  active->setLit(true);
  active->setToolTip(QString());
  active->setCursor(Qt::ArrowCursor);
  other->setLit(false);
  other->setToolTip(tool == kPencil ? QStringLiteral("Switch to the pen tool")
                                    : QStringLiteral("Switch to the pencil tool"));
  other->setCursor(Qt::PointingHandCursor);
  grid_->setCursor(ToolCursor(tool, devicePixelRatioF()));
}

void Form1::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(0xee, 0xf1, 0xf5));
  painter.setPen(QColor(0x1b, 0x2f, 0x45));
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// --- input ---------------------------------------------------------------------

void Form1::keyPressEvent(QKeyEvent* event) {
  const int code = BoardKeyCode(event->key(), event->modifiers());
  const int shift = BoardShiftState(event->modifiers());
  // Pure modifier presses reach the board too: every key clears the hint
  // highlights.
  board_.Form_KeyDown(code, shift);
}

void Form1::onPanelLink(const QString& target) { board_.HyperlinkClick(target.toStdString()); }

void Form1::popUp(QWidget* menu) {
  if (auto* m = qobject_cast<QMenu*>(menu)) m->exec(QCursor::pos());
}

// --- BoardHost ---------------------------------------------------------------------

void Form1::Message(std::string_view title, std::string_view text) { ShowMessage(this, Q(title), Q(text)); }

Answer Form1::Ask(std::string_view title, std::string_view text) {
  return AskYesNoCancel(this, Q(title), Q(text));
}

std::string Form1::Input(std::string_view prompt, std::string_view title) {
  return AskText(this, Q(title), Q(prompt)).toStdString();
}

void Form1::Beep() { QApplication::beep(); }

void Form1::Redraw() { syncFromBoard(); }

void Form1::ToolChanged(int tool) { showTool(tool); }

void Form1::SetSwitchCaption(std::string_view caption) { menus_->mnuSwitch->setText(Q(caption)); }

bool Form1::OptionTicked(BoardOption option) { return optionAction(option)->isChecked(); }

void Form1::SetOption(BoardOption option, bool ticked) {
  optionAction(option)->setChecked(ticked);
  if (const YesNoSetting* stored = StoredTick(option)) Settings(iniPath_).Set(*stored, ticked);
}

std::optional<std::string> Form1::ClipboardText() {
  const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
  if (!mime || !mime->hasText()) return std::nullopt;
  return mime->text().toStdString();
}

void Form1::SetClipboardText(std::string_view text) { QGuiApplication::clipboard()->setText(Q(text)); }

std::string Form1::PanelHtml() { return panel_->DocumentHTML().toStdString(); }

void Form1::SetPanelHtml(std::string_view html) {
  panel_->SetDocumentHTML(Q(html));
  // "Analyzing..." must be seen while the analysis is computed.
  panel_->repaint();
}

std::string Form1::SaveNameProblem(std::string_view name) { return KeyNameProblem(name); }

bool Form1::SavedPuzzleExists(std::string_view name) {
  return Settings(iniPath_).Contains(setting::SavedGames, name);
}

void Form1::StoreSavedPuzzle(std::string_view name, std::string_view record) {
  Settings(iniPath_).Set(setting::SavedGames, name, record);
}

std::int64_t Form1::Milliseconds() { return clock_.elapsed(); }

void Form1::Show(HostWindow window) {
  switch (window) {
    case HostWindow::Minimize: showMinimized(); break;
    case HostWindow::Close: close(); break;
    case HostWindow::HelpMenu: popUp(menus_->helpMenu()); break;
    case HostWindow::OptionsMenu: popUp(menus_->optionsMenu()); break;
    case HostWindow::CellMenu: popUp(menus_->cellMenu()); break;
    case HostWindow::GeneratorDialog: {
      GenerateDialog generator(
          iniPath_, [this](const std::string& puzzle) { board_.PaintPuzzle(puzzle, "", true); }, this);
      generator.exec();
      break;
    }
    case HostWindow::SavedPuzzleList: {
      LoadGameDialog library(
          iniPath_, [this](const std::string& record) { return board_.ApplyPuzzle(record); }, this);
      library.exec();
      break;
    }
    case HostWindow::About: {
      AboutDialog about(this);
      about.exec();
      break;
    }
  }
}

void Form1::OpenUrl(std::string_view url) { QDesktopServices::openUrl(QUrl(Q(url))); }

void Form1::Print(std::string_view puzzle) { PrintPuzzle(this, Q(puzzle)); }

void Form1::SetStatusLight(bool red) { light_->setFillColour(red ? QColor(255, 0, 0) : QColor(0, 0, 0)); }

}  // namespace tavimoro::app
