// Message boxes, questions and input boxes centred over the main window,
// whichever window asks: each dialog is parented and moved to the centre of
// the main window after its size is final and before it appears on screen.
// A box larger than the main window is centred all the same.
#pragma once

#include <QString>
#include <QWidget>

#include "board/board_host.h"

namespace tavimoro::app {

inline const QString kProgramTitle = QStringLiteral("Tavimoro");

// The window every box centres on. Set once by the main window; until then a
// box centres on its own parent window.
void SetMainWindow(QWidget* window);
QWidget* MainWindow();

// Moves a top-level widget so that its frame is centred on the main window
// (on parent's window when no main window is set; on that window's screen
// while it is not shown yet), then back inside the
// available area of the main window's screen where it would stick out.
// Halves are taken in floating point and rounded to the nearest integer,
// ties to even.
void CentreOnMainWindow(QWidget* box, QWidget* parent);
QPoint CentredTopLeft(const QRect& mainFrame, const QSize& boxFrame);
// The top-left corner moved so that a frame of that size lies inside area;
// a frame larger than the area keeps its top-left corner in the area.
QPoint KeptInside(QPoint topLeft, const QSize& frame, const QRect& area);

// A dialog of any kind centred as above. Its size is settled in its own
// showEvent; moving right after it still happens before the window is
// mapped, so it never shows elsewhere.
template <class Dialog>
class Centred : public Dialog {
 public:
  using Dialog::Dialog;

 protected:
  void showEvent(QShowEvent* event) override {
    Dialog::showEvent(event);
    CentreOnMainWindow(this, this->parentWidget());
  }
};

// An OK message box.
void ShowMessage(QWidget* parent, const QString& title, const QString& text);
// A Yes/No/Cancel question; closing the box answers Cancel.
Answer AskYesNoCancel(QWidget* parent, const QString& title, const QString& text);
// A one-line input box; "" when cancelled.
QString AskText(QWidget* parent, const QString& title, const QString& prompt);

}  // namespace tavimoro::app
