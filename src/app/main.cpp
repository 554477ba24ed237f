#include <QApplication>
#include <QLabel>

#include "engine/tables.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tavimoro");
  tavimoro::InitEngine();
  QLabel window("Tavimoro");
  window.setWindowTitle("Tavimoro");
  window.setAlignment(Qt::AlignCenter);
  window.resize(480, 360);
  window.show();
  return QApplication::exec();
}
