// Form1: the main window. A frameless window with its own title banner and
// toolbar, the board on the left, the hint panel, the tool icons and the
// status light on the right. It owns the board and is the board's host: it
// shows what the board asks for (dialogs, panel, light, menus) and maps
// keys, clicks and menu commands onto the board's operations.
#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <array>
#include <memory>
#include <string>

#include "app/board_view.h"
#include "app/print_puzzle.h"
#include "board/board.h"
#include "htmllabel/widget/html_label.h"
#include "settings/settings_schema.h"

namespace tavimoro::app {

class ExtendedSearch;
class ImageButton;
class PuzzleClock;
class PopupMenus;
class StatusLight;
class TitleBanner;
class WindowEdges;

// The window's own keys for toolbar and option commands: F, R, D, Ctrl
// with Delete, L, M, O, P or Q, and Ctrl+Shift with O (the library) or S. The board's key table (which
// scripted sessions share) leaves these keys alone.
std::optional<Command> WindowKeyCommand(int qtKey, int shift);

class Form1 : public QWidget, public BoardHost {
  Q_OBJECT

 public:
  // iniPath: the settings file (options, last board, saved puzzles).
  explicit Form1(std::string iniPath, QWidget* parent = nullptr);
  ~Form1() override;

  Board& board() { return board_; }
  const std::string& iniPath() const { return iniPath_; }
  BoardView* grid() const { return grid_; }
  // The toolbar button of a toolbar command (the first kToolbarButtons rows).
  ImageButton* toolbarButton(Command command) const { return toolbar_[static_cast<int>(command)]; }
  ImageButton* penIcon() const { return pen_; }
  ImageButton* pencilIcon() const { return pencil_; }
  StatusLight* light() const { return light_; }
  PuzzleClock* puzzleClock() const { return puzzleClock_; }
  PopupMenus* menus() const { return menus_; }
  HTMLLabel* panel() const { return panel_; }
  ExtendedSearch* extendedSearch() const { return search_.get(); }

  // --- BoardHost ------------------------------------------------------------
  void Message(std::string_view title, std::string_view text) override;
  Answer Ask(std::string_view title, std::string_view text) override;
  std::string Input(std::string_view prompt, std::string_view title) override;
  void Beep() override;
  void Redraw() override;
  void ToolChanged(int tool) override;
  void SetSwitchCaption(std::string_view caption) override;
  bool OptionTicked(Command option) override;
  void SetOption(Command option, bool ticked) override;
  std::optional<std::string> ClipboardText() override;
  void SetClipboardText(std::string_view text) override;
  std::string PanelHtml() override;
  void SetPanelHtml(std::string_view html) override;
  std::string SaveNameProblem(std::string_view name) override;
  SaveResult StoreSavedPuzzle(std::string_view name, std::string_view record, bool overwrite) override;
  std::int64_t Milliseconds() override;
  void Show(HostWindow window) override;
  void OpenUrl(std::string_view url) override;
  void Print(std::string_view puzzle) override;
  std::string ChoosePuzzleFile(bool forSaving) override;
  void SeveralPuzzlesRead(const std::vector<std::string>& records, std::size_t total) override;
  // On a worker thread, with a modal progress dialog and its Cancel.
  bool RunWithProgress(std::string_view label,
                       const std::function<bool(const std::function<bool(double)>&)>& work) override;
  void SetStatusLight(bool red) override;
  bool ListsEveryKey() const override { return true; }
  // Searched for on a worker thread (ExtendedSearch); the answer reaches
  // the board through Board::ExtendedStepFound.
  std::optional<StepRecord> ExtendedStep(const PuzzleState& state, std::uint64_t ticket) override;
  std::optional<std::string> ExtendedAnalysisText(const PuzzleState& state, std::uint64_t ticket) override;

 public slots:
  // A link clicked in the panel.
  void onPanelLink(const QString& target);

 protected:
  // The file dialog: the chosen path, "" when cancelled.
  virtual std::string askForFile(bool forSaving);
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  // A file dropped on the window opens as a puzzle file.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void createToolbar();
  void createToolArea();
  void createPanel();
  void layoutWindow();
  // Size and place from the last run, fitted to the screen (window_place.h).
  void placeWindow();
  void storePlace();
  void runCommand(Command command, int argument);
  void readOptions();
  void showTool(int tool);
  // Copies the board into the picture and the controls' enabled states.
  void syncFromBoard();
  void popUp(QWidget* menu, const QRect& place);
  QRect placeOf(QWidget* widget) const;
  PrintedBoard printedBoard() const;
  // A name whose layout would lose entered digits or marks: asks, and gives
  // the puzzle file's name instead, the same name, or "" to save nothing.
  std::string keepingEverything(const std::string& path);

  Board board_{*this};
  // Declared after the board, so that it is gone (its search waited for)
  // before the board is.
  std::unique_ptr<ExtendedSearch> search_;
  std::string iniPath_;
  QElapsedTimer clock_;
  TitleBanner* banner_ = nullptr;
  WindowEdges* edges_ = nullptr;  // made with the native window, at the first show
  std::array<ImageButton*, kToolbarButtons> toolbar_{};
  BoardView* grid_ = nullptr;
  HTMLLabel* panel_ = nullptr;
  QWidget* toolArea_ = nullptr;
  ImageButton* pen_ = nullptr;
  ImageButton* pencil_ = nullptr;
  StatusLight* light_ = nullptr;
  PuzzleClock* puzzleClock_ = nullptr;
  PopupMenus* menus_ = nullptr;
  BoardPicture picture_;
  bool shown_ = false;
};

}  // namespace tavimoro::app
