// Program entry: the application, its services, and the main window with the files given on the
// command line.
#include <QApplication>

#include "app/form1.h"
#include "platform/qt/qtservices.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quorel 1.5");
  quorel::TForm1 form(quorel::platform::QtServices());
  form.show();
  form.OpenCommandLine(QApplication::arguments().mid(1));
  return QApplication::exec();
}
