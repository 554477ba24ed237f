#include "app/centered_message_box.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace tavimoro::app {

namespace {

QPointer<QWidget> gMainWindow;

}  // namespace

void SetMainWindow(QWidget* window) { gMainWindow = window; }
QWidget* MainWindow() { return gMainWindow; }

QPoint CentredTopLeft(const QRect& mainFrame, const QSize& boxFrame) {
  const double left = mainFrame.left() + mainFrame.width() / 2.0 - boxFrame.width() / 2.0;
  const double top = mainFrame.top() + mainFrame.height() / 2.0 - boxFrame.height() / 2.0;
  return QPoint(static_cast<int>(std::nearbyint(left)), static_cast<int>(std::nearbyint(top)));
}

void CentreOnMainWindow(QWidget* box, QWidget* parent) {
  QWidget* anchor = gMainWindow ? gMainWindow.data() : (parent ? parent->window() : nullptr);
  if (!anchor || anchor == box) return;
  // Before the main window shows, its place is not yet where it will be seen
  // (the window manager may still move it): the screen's centre is.
  QRect mainFrame = anchor->frameGeometry();
  if (!anchor->isVisible() && anchor->screen()) mainFrame = anchor->screen()->availableGeometry();
  const QSize margins = box->frameGeometry().size() - box->geometry().size();
  const QSize frame = box->size() + margins;
  QPoint frameTopLeft = CentredTopLeft(mainFrame, frame);
  if (const QScreen* screen = anchor->screen()) {
    frameTopLeft = KeptInside(frameTopLeft, frame, screen->availableGeometry());
  }
  box->move(frameTopLeft);
}

QPoint KeptInside(QPoint topLeft, const QSize& frame, const QRect& area) {
  const int x = std::max(area.left(), std::min(topLeft.x(), area.right() + 1 - frame.width()));
  const int y = std::max(area.top(), std::min(topLeft.y(), area.bottom() + 1 - frame.height()));
  return QPoint(x, y);
}

void ShowMessage(QWidget* parent, const QString& title, const QString& text) {
  Centred<QMessageBox> box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent);
  box.setTextFormat(Qt::PlainText);
  // Addresses and paths in a notice can be copied from it.
  box.setTextInteractionFlags(Qt::TextSelectableByMouse);
  box.exec();
}

Answer AskYesNoCancel(QWidget* parent, const QString& title, const QString& text) {
  Centred<QMessageBox> box(QMessageBox::Question, title, text,
                           QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
  box.setTextFormat(Qt::PlainText);
  box.setDefaultButton(QMessageBox::Yes);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return Answer::Yes;
    case QMessageBox::No:
      return Answer::No;
    default:
      return Answer::Cancel;
  }
}

QString AskText(QWidget* parent, const QString& title, const QString& prompt) {
  Centred<QInputDialog> box(parent);
  box.setWindowTitle(title);
  box.setLabelText(prompt);
  box.setInputMode(QInputDialog::TextInput);
  if (box.exec() != QDialog::Accepted) return {};
  return box.textValue();
}

}  // namespace tavimoro::app
