// Form1: the main window. A frameless window with its own title banner and
// toolbar, the board on the left, the hint panel, the tool icons and the
// status light on the right.
#pragma once

#include <QWidget>
#include <array>

#include "app/board_view.h"

namespace tavimoro::app {

class ImageButton;
class StatusLight;
class TitleBanner;

// Toolbar buttons by index (imgBut 0..9).
enum ToolbarButton {
  kMinimize = 0,
  kExit,
  kFillAll,
  kRemoveMarks,
  kNewPuzzle,
  kClearPuzzle,
  kSolution,
  kHint,
  kHelp,
  kMoreOptions,
  kToolbarCount
};

class Form1 : public QWidget {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);

  BoardView* grid() const { return grid_; }
  ImageButton* toolbarButton(int index) const { return toolbar_[index]; }
  ImageButton* penIcon() const { return pen_; }
  ImageButton* pencilIcon() const { return pencil_; }
  StatusLight* light() const { return light_; }
  QWidget* panel() const { return panel_; }
  TitleBanner* banner() const { return banner_; }

  // Shows the tool: the active tool's icon lit and plain, the other one
  // offering the switch; the cells take the tool's cursor.
  void showTool(int tool);

 signals:
  void toolbarClicked(int index);
  void toolIconClicked(int tool);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void createToolbar();
  void createToolArea();
  void layoutWindow();

  TitleBanner* banner_ = nullptr;
  std::array<ImageButton*, kToolbarCount> toolbar_{};
  BoardView* grid_ = nullptr;
  QWidget* panel_ = nullptr;
  QWidget* toolArea_ = nullptr;
  ImageButton* pen_ = nullptr;
  ImageButton* pencil_ = nullptr;
  StatusLight* light_ = nullptr;
  BoardPicture picture_;
};

}  // namespace tavimoro::app
