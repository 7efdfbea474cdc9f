// The command line's printing: quorel --print-to-pdf OUT.pdf [options] FILE.
#pragma once

#include <QStringList>

namespace quorel {

// Whether the program was started to print (decided before the application exists, so that it
// can run without a display).
bool IsPrintCommand(int argc, char** argv);
// Prints FILE into OUT.pdf; `arguments` start with "--print-to-pdf". Returns the exit code: 0,
// or 1 after a message on stderr.
int PrintToPdfCommand(const QStringList& arguments);

}  // namespace quorel
