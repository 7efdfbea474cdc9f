// The colours palette: a modal dialog that mixes a colour with three sliders, shows its HTML code
// and keeps 16 named custom colours. It edits a working copy of the owner's slots and hands it
// back on OK.
#pragma once

#include <QDialog>
#include <QLabel>
#include <array>
#include <functional>
#include <string>

#include "palettes/colorcodes.h"
#include "platform/services.h"

class QLineEdit;
class QPushButton;
class QScrollBar;
class QTextEdit;

namespace quorel {

// The custom colours of the window that owns them, and what it does when they change.
struct TColorSlotsOwner {
  TSlotStrings* Names = nullptr;
  TSlotStrings* Values = nullptr;
  bool* ColorsChanged = nullptr;
  // Shows the slots in the menus (and palettes) again and clears the changed flag.
  std::function<void()> RefreshColors;
  // A colour code was put on the clipboard.
  std::function<void()> ClipboardFilled;
};

// A swatch: the slot's colour with its code on it; a click picks the slot's colour.
class TColorSwatch : public QLabel {
 public:
  TColorSwatch(int slot, QWidget* parent);
  std::function<void(int)> OnClick;

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  int slot_;
};

class TForm3 : public QDialog {
 public:
  TForm3(QWidget* parent, const platform::TServices& services, TColorSlotsOwner owner);

  // Refills the slots from the owner (unless the colour picker has just filled them), drops the
  // slots not in use and shows them.
  void FormShow();
  // Shows the dialog modally; the result is QDialog::Accepted for OK.
  int Execute();
  void RedSBChange(int tag);
  void UpdateColorPreview();
  // The Assign button of slot `n` (1 to 16).
  void Button1Click(int n);
  // The swatch of slot `n`.
  void Panel1Click(int n);
  // "Copy Color Code to Clipboard".
  void Button20Click();
  // "Color Picker".
  void Button21Click();
  // True when the dialog may close; otherwise the user is asked to name the current slot.
  bool FormCloseQuery();
  void FormClose(int result);

  TSlotStrings SlotNames;
  TSlotStrings SlotValues;
  int CurrentSlot = 0;
  TRgb CurrentColor;
  bool FromPicker = false;

  QScrollBar* RedSB;
  QScrollBar* GreenSB;
  QScrollBar* BlueSB;
  QLineEdit* RedEdit;
  QLineEdit* GreenEdit;
  QLineEdit* BlueEdit;
  QLineEdit* ColorEdit;
  QLineEdit* Edit1;
  QTextEdit* ColorsMemo1;
  std::array<TColorSwatch*, kColorSlots> Panel;
  std::array<QLineEdit*, kColorSlots> ColorName;
  std::array<QPushButton*, kColorSlots> Button;
  QPushButton* Button20;
  QPushButton* Button21;
  QPushButton* BitBtn1;
  QPushButton* BitBtn2;
  QLabel* StaticText4;

 protected:
  // OK, Cancel, Esc and the close box all pass the close check here.
  void done(int result) override;

 private:
  void CreateMixer();
  void CreateSlots();
  void CreateButtons();
  TRgb SliderColor() const;
  void ShowSlot(int n, TRgb color);

  const platform::TServices services_;
  TColorSlotsOwner owner_;
  // The colour dialog opens on the colour chosen the time before.
  unsigned pickerColor_ = 0;
};

}  // namespace quorel
