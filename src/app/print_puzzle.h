// Printing: the puzzle as a clean grid (digits only, no marks or colours),
// through the print dialog, so that printing to a PDF file works as well as
// printing on paper. The digits the user entered are printed like the
// givens, in grey italics, or not at all, as chosen on the dialog's
// "Puzzle" page; the choice is kept as setting::PrintEntries.
#pragma once

#include <QString>
#include <string>

class QPagedPaintDevice;
class QPainter;
class QRect;
class QWidget;

namespace tavimoro::app {

// In the order of setting::PrintEntries.
enum class EnteredDigits { AsGivens = 0, Apart = 1, LeftOut = 2 };

// givens and entered: 81 characters each, a digit where the board has a
// given (or an entered digit), anything else elsewhere.
struct PrintedBoard {
  QString givens;
  QString entered;
};

EnteredDigits ReadEnteredDigits(const std::string& iniPath);
void StoreEnteredDigits(EnteredDigits choice, const std::string& iniPath);

// Asks for a printer and prints the board; nothing happens when the dialog
// is cancelled. Returns whether a page was printed.
bool PrintPuzzle(QWidget* parent, const PrintedBoard& board, const std::string& iniPath);

// Draws the board centred on one page of the device, or into the painter's
// page rectangle (also used by tests with a PDF writer or an image).
void PaintPuzzlePage(QPagedPaintDevice& device, const PrintedBoard& board,
                     EnteredDigits entered = EnteredDigits::AsGivens);
void PaintPuzzle(QPainter& painter, const QRect& page, const PrintedBoard& board, EnteredDigits entered);

}  // namespace tavimoro::app
