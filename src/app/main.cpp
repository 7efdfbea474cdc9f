// Program entry. For now a small window that names the loaded document and counts its lines.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <exception>

#include "engine/memosource.h"
#include "platform/qt/cp1252.h"
#include "platform/qt/qtservices.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quorel 1.5");
  quorel::platform::InstallQtServices();

  quorel::TMemoSource store;
  QString name = "[untitled]";
  QStringList args = QApplication::arguments();
  if (args.size() > 1) {
    name = args[1];
    try {
      store.LoadFromFile(args[1].toStdString());
      store.SetFileName(args[1].toStdString());
    } catch (const std::exception& e) {
      QMessageBox::warning(nullptr, "Warning",
                           "Unable to open the File - \n\n" + name + "\n\n" +
                               quorel::platform::Cp1252ToQString(e.what()));
      name = "[untitled]";
    }
  }

  QLabel window(QString("%1\n%2 lines").arg(name).arg(store.LineCount()));
  window.setWindowTitle("Quorel 1.5 - " + name);
  window.setMargin(24);
  window.show();
  return QApplication::exec();
}
