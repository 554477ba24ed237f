#include "app/form1.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QPainterPath>
#include <QProgressDialog>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <atomic>

#include "app/about_dialog.h"
#include "app/board_accessible.h"
#include "app/centered_message_box.h"
#include "app/extended_search.h"
#include "app/focus_return.h"
#include "app/generate_dialog.h"
#include "app/image_button.h"
#include "app/key_map.h"
#include "app/load_game_dialog.h"
#include "app/open_address.h"
#include "app/popup_menus.h"
#include "app/print_puzzle.h"
#include "app/puzzle_clock.h"
#include "app/settings_failure_notice.h"
#include "app/status_light.h"
#include "app/svg_art.h"
#include "app/tick_setting.h"
#include "app/title_banner.h"
#include "app/window_edges.h"
#include "app/window_place.h"
#include "board/hint_composer.h"
#include "board/puzzle_files.h"
#include "engine/step_finder.h"
#include "settings/ini_document.h"
#include "settings/settings_schema.h"

namespace tavimoro::app {

namespace {

// The toolbar buttons' icons, by index; their tooltips and keys are their
// command rows' captions and keys.
constexpr const char* kToolbarIcons[kToolbarButtons] = {
    "minimize",     "exit",     "fill-marks", "remove-marks", "new-puzzle",
    "clear-puzzle", "solution", "hint",       "help",         "options"};

// The order on screen: the board actions, then help and options, then the
// window's own minimise and exit at the far right.
constexpr Command kToolbarOrder[kToolbarButtons] = {Command::FillAllMarks, Command::RemoveAllMarks,
                                                    Command::NewPuzzle,    Command::ClearPuzzle,
                                                    Command::ShowSolution, Command::Hint,
                                                    Command::HelpMenu,     Command::OptionsMenu,
                                                    Command::Minimize,     Command::Exit};

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
  // First, so that anything the board does while the window is built finds it.
  search_ = std::make_unique<ExtendedSearch>();
  connect(search_.get(), &ExtendedSearch::slow, this,
          [this](quint64 ticket) { board_.ExtendedSearchSlow(ticket); });
  connect(search_.get(), &ExtendedSearch::found, this,
          [this](quint64 ticket, const StepRecord& step) { board_.ExtendedStepFound(ticket, step); });
  connect(search_.get(), &ExtendedSearch::analysed, this,
          [this](quint64 ticket, const std::string& text) { board_.ExtendedAnalysisFound(ticket, text); });
  setWindowTitle(kProgramTitle);
  setObjectName("Form1");
  setFocusPolicy(Qt::StrongFocus);
  SetMainWindow(this);
  InstallAccessibleInterfaces();
  new FocusReturn(this);
  menus_ = new PopupMenus(this);
  connect(menus_, &PopupMenus::commandTriggered, this, &Form1::runCommand);
  createToolbar();
  createToolArea();
  createPanel();
  layoutWindow();
  readOptions();
  for (const CommandInfo& row : kCommands)
    menus_->action(row.command)->setEnabled(board_.Enabled(row.command));
  board_.ForgetTool();
  setAcceptDrops(true);
  placeWindow();
  connect(qApp, &QCoreApplication::aboutToQuit, this, &Form1::storePlace);
}

Form1::~Form1() = default;

std::optional<StepRecord> Form1::ExtendedStep(const PuzzleState& state, std::uint64_t ticket) {
  search_->request(state, ticket, false, OptionTicked(Command::Easiest), SearchOptionsTicked());
  return std::nullopt;
}

std::optional<std::string> Form1::ExtendedAnalysisText(const PuzzleState& state, std::uint64_t ticket) {
  search_->request(state, ticket, true, false, SearchOptionsTicked());
  return std::nullopt;
}

void Form1::placeWindow() {
  const std::optional<QRect> stored = ReadWindowPlace(iniPath_);
  QScreen* target = stored ? QGuiApplication::screenAt(stored->center()) : nullptr;
  if (!target) target = screen();
  const QRect available = target ? target->availableGeometry() : QRect();
  setMinimumSize(FittedMinimum(kMinimumWindowSize, available));
  const QRect place = FittedWindowRect(stored, pos(), kPreferredWindowSize, kMinimumWindowSize, available);
  if (stored) {
    setGeometry(place);
  } else if (available.isValid()) {
    // Placed by the program, not left to the window manager, so that boxes
    // and dialogs opened at start-up know where the window will be.
    setGeometry(QRect(CentredTopLeft(available, place.size()), place.size()));
  } else {
    resize(place.size());
  }
}

void Form1::storePlace() {
  if (!shown_) return;
  const WriteBatch batch(iniPath_);  // joins the way out's batch when there is one
  puzzleClock_->store(iniPath_);
  StoreWindowPlace(isMinimized() || isMaximized() ? normalGeometry() : geometry(), iniPath_);
}

void Form1::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  shown_ = true;
  if (!edges_) edges_ = new WindowEdges(this);
}

void Form1::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) puzzleClock_->setPaused(isMinimized());
}

void Form1::closeEvent(QCloseEvent* event) {
  search_->abandon();
  storePlace();
  if (!SettleUnsavedSettings(this, iniPath_)) {
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

// A window manager keeps the window at its minimum; without one the window
// can be sized smaller from outside, so it grows back.
void Form1::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (size().expandedTo(minimumSize()) != size()) {
    QTimer::singleShot(0, this, [this] { resize(size().expandedTo(minimumSize())); });
  }
}

namespace {

// The local file of a drag, "" when it brings none.
QString DroppedFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().isEmpty()) return {};
  const QUrl url = data->urls().first();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

void Form1::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event) {
  const QString file = DroppedFile(event->mimeData());
  if (file.isEmpty()) return;
  event->acceptProposedAction();
  // Opened once the drop has returned: the program that sent the file waits
  // for that, and should not wait for our boxes or the progress of reading.
  QTimer::singleShot(0, this, [this, path = file.toStdString()] { board_.OpenPuzzleFile(path); });
}

// --- construction -------------------------------------------------------------

void Form1::createToolbar() {
  banner_ = new TitleBanner(kProgramTitle, this);
  auto* row = new QHBoxLayout(banner_);
  row->setContentsMargins(0, 6, 8, 6);
  row->setSpacing(2);
  row->addStretch(1);
  for (int index = 0; index < kToolbarButtons; ++index) {
    const CommandInfo& info = kCommands[index];
    QAction* action = menus_->action(info.command);
    auto* button = new ImageButton(kToolbarIcons[index], Q(info.caption), banner_);
    button->setObjectName(Q(info.name));
    button->setAccessibleName(Q(info.caption));
    button->setAccessibleDescription(QStringLiteral("Key: ") + Q(info.keys));
    connect(button, &ImageButton::clicked, action, &QAction::trigger);
    connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
    toolbar_[index] = button;
  }
  for (Command command : kToolbarOrder) {
    if (command == Command::Minimize) row->addSpacing(18);
    row->addWidget(toolbarButton(command));
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
  pen_->setAccessibleName(QStringLiteral("Pen tool"));
  pen_->setAccessibleDescription(QStringLiteral("Digit keys write values into the cells"));
  pencil_->setAccessibleName(QStringLiteral("Pencil tool"));
  pencil_->setAccessibleDescription(QStringLiteral("Digit keys set and clear pencil marks"));
  for (ImageButton* icon : {pen_, pencil_}) {
    icon->setIconExtent(30);
    row->addWidget(icon);
  }
  connect(pen_, &ImageButton::clicked, this, [this] { board_.imgPen_Click(); });
  connect(pencil_, &ImageButton::clicked, this, [this] { board_.imgPencil_Click(); });
  row->addStretch(1);
  puzzleClock_ = new PuzzleClock(toolArea_);
  puzzleClock_->restore(iniPath_);
  row->addWidget(puzzleClock_);
  row->addSpacing(10);
  light_ = new StatusLight(toolArea_);
  light_->setObjectName("Shape1");
  light_->setToolTip(QStringLiteral("Red: the board breaks the rules or cannot be solved"));
  light_->setAccessibleName(QStringLiteral("Status light"));
  light_->setAccessibleDescription(light_->toolTip());
  row->addWidget(light_);
}

void Form1::createPanel() {
  panel_ = new HTMLLabel(this);
  panel_->setObjectName("HL1");
  panel_->setAccessibleName(QStringLiteral("Hints and analysis"));
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
  grid_->setAccessibleName(QStringLiteral("Sudoku board"));
  grid_->setAccessibleDescription(QStringLiteral(
      "Arrow keys move, digits write with the pen or mark with the pencil, P switches the tool"));
  // The board takes the keys (they reach the window's handler from there),
  // so that a screen reader follows the selected cell.
  grid_->setFocusPolicy(Qt::StrongFocus);
  setFocusProxy(grid_);
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

// A toolbar button clears the hint's highlights before its command runs.
void Form1::runCommand(Command command, int argument) {
  const int index = static_cast<int>(command);
  if (index < kToolbarButtons) {
    board_.imgBut_Click(index);
  } else {
    board_.Execute(command, argument);
  }
}

// The ticks stored between runs; the others start unticked in every run.
void Form1::readOptions() {
  const Settings settings(iniPath_);
  for (const CommandInfo& row : kCommands) {
    if (!row.tick.ticks) continue;
    menus_->action(row.command)
        ->setChecked(!row.tick.storedKey.empty() && settings.Get(TickSetting(row.command)));
  }
  puzzleClock_->setShown(OptionTicked(Command::ShowTimer));
}

// --- drawing and enabled states ------------------------------------------------

void Form1::syncFromBoard() {
  for (int c = 0; c < 81; ++c) {
    const CellRec& cell = board_.Cells()[c];
    picture_.cells[c] = {cell.Value, cell.Given, cell.Marks, board_.CellColors()[c]};
  }
  picture_.selected = board_.SelCell();
  panel_->setAccessibleDescription(HighlightedCellsText(board_.CellColors()));
  QString givens(81, QLatin1Char('.'));
  bool full = true;
  for (int c = 0; c < 81; ++c) {
    const CellRec& cell = board_.Cells()[c];
    if (cell.Given && cell.Value >= 1 && cell.Value <= 9)
      givens[c] = QLatin1Char(static_cast<char>('0' + cell.Value));
    full = full && cell.Value >= 1;
  }
  puzzleClock_->follow(givens, full);
  picture_.colourCodedMarks = OptionTicked(Command::ColorMarks);
  picture_.givensApart = OptionTicked(Command::GivenColor);
  picture_.highlightDigit =
      OptionTicked(Command::HighlightDigit) ? board_.Cells()[board_.SelCell()].Value : 0;
  const bool hintOnPanel =
      board_.LastHint().Kind != kNoStep && LikePattern(board_.PanelHtml(), "*ApplyLastHint*");
  picture_.lines = hintOnPanel ? board_.Lines() : std::vector<StepLine>{};
  grid_->pictureChanged();

  for (const CommandInfo& row : kCommands)
    menus_->action(row.command)->setEnabled(board_.Enabled(row.command));
}

PrintedBoard Form1::printedBoard() const {
  PrintedBoard printed{QString(81, QLatin1Char('.')), QString(81, QLatin1Char('.'))};
  for (int c = 0; c < 81; ++c) {
    const CellRec& cell = board_.Cells()[c];
    if (cell.Value < 1 || cell.Value > 9) continue;
    (cell.Given ? printed.givens : printed.entered)[c] = QLatin1Char(static_cast<char>('0' + cell.Value));
  }
  return printed;
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

std::optional<Command> WindowKeyCommand(int qtKey, int shift) {
  if (shift == 0) {
    switch (qtKey) {
      case Qt::Key_F:
        return Command::FillAllMarks;
      case Qt::Key_R:
        return Command::RemoveAllMarks;
      case Qt::Key_D:
        return Command::HighlightDigit;
      default:
        return std::nullopt;
    }
  }
  if (shift == modifiers::Ctrl) {
    switch (qtKey) {
      case Qt::Key_Delete:
        return Command::ClearPuzzle;
      case Qt::Key_L:
        return Command::ShowSolution;
      case Qt::Key_M:
        return Command::Minimize;
      case Qt::Key_Q:
        return Command::Exit;
      case Qt::Key_O:
        return Command::OpenFile;
      case Qt::Key_P:
        return Command::Print;
      default:
        return std::nullopt;
    }
  }
  if (shift == modifiers::Ctrl + modifiers::Shift) {
    if (qtKey == Qt::Key_S) return Command::SaveFileAs;
    if (qtKey == Qt::Key_O) return Command::Load;
  }
  return std::nullopt;
}

void Form1::keyPressEvent(QKeyEvent* event) {
  const int code = BoardKeyCode(event->key(), event->modifiers());
  const int shift = BoardShiftState(event->modifiers());
  // Pure modifier presses reach the board too: every key clears the hint
  // highlights.
  board_.Form_KeyDown(code, shift);
  // Keys the board's own key table leaves alone (scripted sessions have
  // always been able to press them to no effect) run toolbar and option
  // commands in the window.
  if (const std::optional<Command> command = WindowKeyCommand(event->key(), shift)) board_.Execute(*command);
}

void Form1::onPanelLink(const QString& target) { board_.HyperlinkClick(target.toStdString()); }

// At the mouse when it is over the place the menu belongs to (a click
// there opened it); otherwise, opened by a key, under that place.
void Form1::popUp(QWidget* menu, const QRect& place) {
  auto* m = qobject_cast<QMenu*>(menu);
  if (!m) return;
  const QRect global(mapToGlobal(place.topLeft()), place.size());
  m->exec(global.contains(QCursor::pos()) ? QCursor::pos() : global.bottomLeft());
}

QRect Form1::placeOf(QWidget* widget) const {
  return QRect(widget->mapTo(this, QPoint(0, 0)), widget->size());
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

std::string Form1::ChoosePuzzleFile(bool forSaving) {
  const std::string path = askForFile(forSaving);
  return forSaving ? keepingEverything(path) : path;
}

// .sdk and .ss hold digits only: entered digits come back as givens and the
// marks are gone. The puzzle file keeps both, so it is offered instead.
std::string Form1::keepingEverything(const std::string& path) {
  if (path.empty() || SaveFormatOf(path) == SaveFormat::PuzzleFile) return path;
  bool entered = false, marks = false;
  for (const CellRec& cell : board_.Cells()) {
    entered = entered || (cell.Value > 0 && !cell.Given);
    marks = marks || (cell.Value == 0 && cell.Marks != 0);
  }
  if (!entered && !marks) return path;
  const QFileInfo file(QString::fromStdString(path));
  const QString kept = file.path() + QLatin1Char('/') + file.completeBaseName() + QStringLiteral(".txt");
  QStringList lost;
  if (entered) lost.append(QStringLiteral("the digits you entered become givens"));
  if (marks) lost.append(QStringLiteral("the pencil marks are lost"));
  const QString text =
      QStringLiteral(
          "A .%1 file holds the digits only: %2.\n\nSave as %3 instead, which keeps "
          "everything? (No saves the .%1 file all the same.)")
          .arg(file.suffix().toLower(), lost.join(QStringLiteral(" and ")), QFileInfo(kept).fileName());
  switch (AskYesNoCancel(this, QStringLiteral("WARNING"), text)) {
    case Answer::Yes:
      return kept.toStdString();
    case Answer::No:
      return path;
    default:
      return "";
  }
}

std::string Form1::askForFile(bool forSaving) {
  // Saving: the name's extension picks the layout, plain text by default.
  QFileDialog dialog(this, forSaving ? tr("Save Puzzle File") : tr("Open Puzzle File"));
  dialog.setAcceptMode(forSaving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(forSaving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog.setNameFilters({tr("Puzzle files (*.txt *.sdk *.ss)"), tr("All files (*)")});
  if (forSaving) dialog.setDefaultSuffix(QStringLiteral("txt"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return "";
  return dialog.selectedFiles().first().toStdString();
}

bool Form1::RunWithProgress(std::string_view label,
                            const std::function<bool(const std::function<bool(double)>&)>& work) {
  std::atomic<int> permille{0};
  std::atomic<bool> cancelled{false};
  bool finished = false;
  Centred<QProgressDialog> dialog(Q(label), tr("Cancel"), 0, 1000, this);
  dialog.setWindowTitle(kProgramTitle);
  dialog.setWindowModality(Qt::ApplicationModal);
  dialog.setMinimumDuration(0);
  dialog.setAutoClose(false);
  dialog.setAutoReset(false);
  QEventLoop loop;
  std::unique_ptr<QThread> worker(QThread::create([&] {
    finished = work([&](double done) {
      permille = static_cast<int>(done * 1000);
      return !cancelled;
    });
  }));
  connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
  QTimer tick;
  connect(&tick, &QTimer::timeout, &dialog, [&] {
    if (dialog.wasCanceled()) cancelled = true;
    dialog.setValue(permille);
  });
  tick.start(50);
  dialog.setValue(0);
  worker->start();
  loop.exec();
  worker->wait();
  return finished && !cancelled;
}

void Form1::SeveralPuzzlesRead(const std::vector<std::string>& records, std::size_t total) {
  OfferPuzzlesToLibrary(*this, records, total);
}

void Form1::Redraw() { syncFromBoard(); }

void Form1::ToolChanged(int tool) { showTool(tool); }

void Form1::SetSwitchCaption(std::string_view caption) {
  menus_->action(Command::SwitchTool)->setText(Q(caption));
}

bool Form1::OptionTicked(Command option) { return menus_->action(option)->isChecked(); }

void Form1::SetOption(Command option, bool ticked) {
  menus_->action(option)->setChecked(ticked);
  if (!InfoOf(option).tick.storedKey.empty()) Settings(iniPath_).Set(TickSetting(option), ticked);
  if (option == Command::ShowTimer) puzzleClock_->setShown(ticked);
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

// A failed write is told to the user by the store's failure notice.
SaveResult Form1::StoreSavedPuzzle(std::string_view name, std::string_view record, bool overwrite) {
  const WriteOutcome outcome = Settings(iniPath_).Store(
      setting::SavedGames, name, record, overwrite ? WriteMode::Replace : WriteMode::OnlyIfAbsent);
  if (outcome.status == WriteOutcome::AlreadyExists) return SaveResult::NameTaken;
  return outcome.ok() ? SaveResult::Stored : SaveResult::Failed;
}

std::int64_t Form1::Milliseconds() { return clock_.elapsed(); }

void Form1::Show(HostWindow window) {
  switch (window) {
    case HostWindow::Minimize:
      showMinimized();
      break;
    case HostWindow::Close:
      close();
      break;
    case HostWindow::HelpMenu:
      popUp(menus_->helpMenu(), placeOf(toolbarButton(Command::HelpMenu)));
      break;
    case HostWindow::OptionsMenu:
      popUp(menus_->optionsMenu(), placeOf(toolbarButton(Command::OptionsMenu)));
      break;
    case HostWindow::CellMenu: {
      const QRect cell = grid_->cellRect(board_.SelCell());
      popUp(menus_->cellMenu(), QRect(grid_->mapTo(this, cell.topLeft()), cell.size()));
      break;
    }
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

void Form1::OpenUrl(std::string_view url) { OpenAddress(QUrl(Q(url)), this); }

// The board itself is printed, so that givens and entered digits can be told
// apart; the puzzle text holds the same digits.
void Form1::Print(std::string_view) { PrintPuzzle(this, printedBoard(), iniPath_); }

void Form1::SetStatusLight(bool red) { light_->setFillColour(red ? QColor(255, 0, 0) : QColor(0, 0, 0)); }

}  // namespace tavimoro::app
