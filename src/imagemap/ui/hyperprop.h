// The hyperlink dialog: an area's hyperlink and alternate text.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "imagemap/mapmodel.h"

namespace quorel {

class THyperProp1 : public QDialog {
 public:
  explicit THyperProp1(QWidget* parent);

  // Takes the texts of the highlighted area (the last one wins) and makes it the area being
  // edited; without one the boxes keep their texts and `LinkShape` stays empty.
  void FormShow(TImageMapModel& model);
  // OK is offered exactly when both boxes hold text.
  void Edit1Change();

  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QPushButton* Button1;  // OK
  QPushButton* Button2;  // Cancel
  std::string LinkShape;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace quorel
