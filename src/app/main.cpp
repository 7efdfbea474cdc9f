// Program entry: the application, its services, and the main window with the files given on the
// command line; or, with --print-to-pdf, a file printed without any window.
#include <QApplication>
#include <QFile>

#include "app/form1.h"
#include "app/printcommandline.h"
#include "platform/qt/qtservices.h"

int main(int argc, char** argv) {
  const bool printing = quorel::IsPrintCommand(argc, argv);
  // Printing needs no display, and pages come out the same with or without one.
  if (printing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName("Quorel 1.5");
  if (printing) return quorel::PrintToPdfCommand(QApplication::arguments().mid(1));
  quorel::TForm1 form(quorel::platform::QtServices());
  form.show();
  QStringList arguments = QApplication::arguments().mid(1);
  // Unsaved text of an instance that is gone comes back first: offered, or handed over by the
  // instance that offered it.
  if (arguments.size() >= 2 && arguments[0] == "--recover") {
    form.Recovery->RecoverHandedOver(QFile::encodeName(arguments[1]).toStdString());
    arguments = arguments.mid(2);
  } else {
    form.Recovery->OfferRecoveredText();
  }
  form.OpenCommandLine(arguments);
  return QApplication::exec();
}
