// Printing: the puzzle as a clean grid (digits only, no marks or colours),
// through the print dialog, so that printing to a PDF file works as well as
// printing on paper.
#pragma once

#include <QString>

class QPagedPaintDevice;
class QWidget;

namespace tavimoro::app {

// Asks for a printer and prints the 81-character puzzle text; nothing happens
// when the dialog is cancelled. Returns whether a page was printed.
bool PrintPuzzle(QWidget* parent, const QString& puzzle);

// Draws the puzzle centred on one page of the device (also used by tests
// with a PDF writer).
void PaintPuzzlePage(QPagedPaintDevice& device, const QString& puzzle);

}  // namespace tavimoro::app
