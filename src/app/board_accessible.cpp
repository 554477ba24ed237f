#include "app/board_accessible.h"

#include "htmllabel/widget/html_label.h"
#include "htmllabel/widget/html_label_accessible.h"

namespace tavimoro::app {

namespace {

QAccessibleInterface* Factory(const QString& className, QObject* object) {
  if (className == QLatin1String("tavimoro::app::BoardView")) {
    return new BoardAccessible(static_cast<BoardView*>(object));
  }
  if (className == QLatin1String("tavimoro::HTMLLabel")) {
    return new HTMLLabelAccessible(static_cast<HTMLLabel*>(object));
  }
  return nullptr;
}

}  // namespace

QString CellSpeech(const CellPicture& cell, int index) {
  QString words = QStringLiteral("row %1, column %2: ").arg(index / 9 + 1).arg(index % 9 + 1);
  if (cell.value >= 1 && cell.value <= 9) {
    words += QString::number(cell.value);
    if (cell.given) words += QStringLiteral(", given");
    return words;
  }
  words += QStringLiteral("empty");
  if (cell.marks != 0) {
    words += QStringLiteral(", marks");
    for (int d = 1; d <= 9; ++d) {
      if ((cell.marks >> (d - 1)) & 1) words += QLatin1Char(' ') + QString::number(d);
    }
  }
  return words;
}

void InstallAccessibleInterfaces() {
  static bool installed = false;  // a registration, made once per process
  if (installed) return;
  installed = true;
  QAccessible::installFactory(Factory);
}

// --- the table ------------------------------------------------------------------

BoardAccessible::BoardAccessible(BoardView* view) : QAccessibleWidget(view, QAccessible::Table) {}

BoardAccessible::~BoardAccessible() {
  for (QAccessible::Id id : cellIds_) {
    if (id) QAccessible::deleteAccessibleInterface(id);
  }
}

void* BoardAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* BoardAccessible::child(int index) const {
  if (index < 0 || index > 80) return nullptr;
  if (!cellIds_[index]) {
    cellIds_[index] = QAccessible::registerAccessibleInterface(new BoardCellAccessible(view(), index));
  }
  return QAccessible::accessibleInterface(cellIds_[index]);
}

int BoardAccessible::indexOfChild(const QAccessibleInterface* child) const {
  for (int i = 0; i < 81; ++i) {
    if (cellIds_[i] && QAccessible::accessibleInterface(cellIds_[i]) == child) return i;
  }
  return -1;
}

QAccessibleInterface* BoardAccessible::childAt(int x, int y) const {
  return child(view()->cellAt(view()->mapFromGlobal(QPoint(x, y))));
}

QAccessibleInterface* BoardAccessible::focusChild() const {
  return view()->picture() ? child(view()->picture()->selected) : nullptr;
}

QAccessibleInterface* BoardAccessible::cellAt(int row, int column) const {
  if (row < 0 || row > 8 || column < 0 || column > 8) return nullptr;
  return child(9 * row + column);
}

QList<QAccessibleInterface*> BoardAccessible::selectedCells() const {
  QAccessibleInterface* focused = focusChild();
  return focused ? QList<QAccessibleInterface*>{focused} : QList<QAccessibleInterface*>{};
}

QString BoardAccessible::columnDescription(int column) const {
  return QStringLiteral("column %1").arg(column + 1);
}
QString BoardAccessible::rowDescription(int row) const { return QStringLiteral("row %1").arg(row + 1); }

// --- the cells ------------------------------------------------------------------

QWindow* BoardCellAccessible::window() const { return view_ ? view_->window()->windowHandle() : nullptr; }

QAccessibleInterface* BoardCellAccessible::parent() const {
  return view_ ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
}

QString BoardCellAccessible::text(QAccessible::Text which) const {
  if (which != QAccessible::Name || !view_ || !view_->picture()) return {};
  return CellSpeech(view_->picture()->cells[index_], index_);
}

QRect BoardCellAccessible::rect() const {
  if (!view_) return {};
  const QRect local = view_->cellRect(index_);
  return QRect(view_->mapToGlobal(local.topLeft()), local.size());
}

bool BoardCellAccessible::isSelected() const {
  return view_ && view_->picture() && view_->picture()->selected == index_;
}

QAccessible::State BoardCellAccessible::state() const {
  QAccessible::State state;
  state.focusable = true;
  state.selectable = true;
  state.selected = isSelected();
  state.focused = isSelected() && view_ && view_->hasFocus();
  return state;
}

void* BoardCellAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::TableCellInterface) return static_cast<QAccessibleTableCellInterface*>(this);
  return nullptr;
}

namespace {

// The hints' words for their colours (0x00BBGGRR).
QString ColourWord(std::uint32_t colour) {
  switch (colour) {
    case 0xFFFF80:
      return QStringLiteral("Blue");
    case 0xFFFFD2:
      return QStringLiteral("Pale blue");
    case 0xFFC0FF:
      return QStringLiteral("Pink");
    case 0x80FF80:
      return QStringLiteral("Green");
    default:
      return QStringLiteral("Highlighted");
  }
}

}  // namespace

QString HighlightedCellsText(const std::array<std::uint32_t, 81>& colours) {
  QStringList groups;
  std::array<bool, 81> told{};
  for (int first = 0; first < 81; ++first) {
    if (colours[first] == 0 || told[first]) continue;
    QStringList cells;
    for (int c = first; c < 81; ++c) {
      if (colours[c] != colours[first]) continue;
      told[c] = true;
      cells.append(QStringLiteral("R%1C%2").arg(c / 9 + 1).arg(c % 9 + 1));
    }
    groups.append(ColourWord(colours[first]) + QStringLiteral(": ") + cells.join(QStringLiteral(", ")) +
                  QLatin1Char('.'));
  }
  return groups.join(QLatin1Char(' '));
}

}  // namespace tavimoro::app
