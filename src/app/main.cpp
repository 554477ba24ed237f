#include <QApplication>

#include "app/form1.h"
#include "engine/tables.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Tavimoro");
  tavimoro::InitEngine();
  tavimoro::app::Form1 window;
  window.show();
  return QApplication::exec();
}
