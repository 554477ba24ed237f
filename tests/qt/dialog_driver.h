// Driving dialogs from a test: showing one and waiting for it, and answering
// the message boxes it opens modally.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <deque>

inline bool Shown(QWidget* widget) {
  widget->show();
  return QTest::qWaitForWindowExposed(widget);
}

// Records each box that appears (title and text) and closes it with the next
// answer, Ok when they run out.
class BoxAnswerer {
 public:
  explicit BoxAnswerer(std::deque<QMessageBox::StandardButton> answers = {}) : answers_(std::move(answers)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      // Boxes live on the stack, so a new one may reuse an old address.
      if (!box || box->property("answered").toBool()) return;
      box->setProperty("answered", true);
      titles.append(box->windowTitle());
      texts.append(box->text());
      QMessageBox::StandardButton answer = QMessageBox::Ok;
      if (!answers_.empty()) {
        answer = answers_.front();
        answers_.pop_front();
      }
      QAbstractButton* button = box->button(answer);
      if (!button) button = box->buttons().value(0);
      button->click();
    });
    timer_.start(10);
  }

  QStringList titles;
  QStringList texts;

 private:
  std::deque<QMessageBox::StandardButton> answers_;
  QTimer timer_;
};
