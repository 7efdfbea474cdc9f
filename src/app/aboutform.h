// The About window: the read-me shown read-only, its addresses clickable.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <string>

#include "platform/services.h"
#include "platform/sidefiles.h"
#include "view/vrelmemo.h"

namespace quorel {

class TAboutForm1 : public QDialog {
 public:
  TAboutForm1(QWidget* parent, const platform::TServices& services,
              const platform::TSideFiles& sideFiles);
  // The view goes before the store it shows.
  ~TAboutForm1() override { delete VrelMemo1; }

  // Loads "Readme.txt" (the user's copy first, then the one beside the program), or shows what
  // is missing in its place.
  void FormShow();

  QPushButton* Button1;
  TVrelMemo* VrelMemo1;

 private:
  TMemoSource store_;
  const platform::TSideFiles& sideFiles_;
};

}  // namespace quorel
