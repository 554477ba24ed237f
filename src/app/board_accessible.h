// What a screen reader sees of the board: a table of nine rows and nine
// columns whose cells read like "row 3, column 4: 5, given" or "row 3,
// column 4: empty, marks 1 2 9"; the selected cell is the table's focused
// and selected cell. The interfaces read the BoardView's picture, so they
// always tell what is drawn.
//
// InstallAccessibleInterfaces registers the board's and the hint panel's
// interfaces with Qt once per run.
#pragma once

#include <QAccessibleWidget>
#include <QPointer>
#include <array>

#include "app/board_view.h"

namespace tavimoro::app {

// The words for one cell (0..80) of the picture.
QString CellSpeech(const CellPicture& cell, int index);

// The highlighted cells by colour, for the hint panel's description:
// "Blue: R3C4, R3C5. Pink: R7C1." ("" with none), so that a hint that
// points at "the blue cell" can be followed without seeing it.
QString HighlightedCellsText(const std::array<std::uint32_t, 81>& colours);

void InstallAccessibleInterfaces();

class BoardAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit BoardAccessible(BoardView* view);
  ~BoardAccessible() override;

  void* interface_cast(QAccessible::InterfaceType type) override;
  int childCount() const override { return 81; }
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;

  // QAccessibleTableInterface
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override;
  int selectedCellCount() const override { return 1; }
  QList<QAccessibleInterface*> selectedCells() const override;
  QString columnDescription(int column) const override;
  QString rowDescription(int row) const override;
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return 9; }
  int rowCount() const override { return 9; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  BoardView* view() const { return static_cast<BoardView*>(widget()); }
  mutable std::array<QAccessible::Id, 81> cellIds_{};
};

class BoardCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  BoardCellAccessible(BoardView* view, int index) : view_(view), index_(index) {}

  bool isValid() const override { return !view_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override;
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text which) const override;
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override;
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override;
  void* interface_cast(QAccessible::InterfaceType type) override;

  // QAccessibleTableCellInterface
  bool isSelected() const override;
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return index_ % 9; }
  int rowIndex() const override { return index_ / 9; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  QPointer<BoardView> view_;
  int index_;
};

}  // namespace tavimoro::app
