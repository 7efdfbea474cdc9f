// The colours palette.
#include "palettes/ui/colorpalette.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>

#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/qt/placement.h"

namespace quorel {

namespace {

QString Css(TRgb c) { return QString::fromStdString(ColorCode(c)); }

// Text that stays readable on the colour behind it.
QString InkOn(TRgb c) {
  int light = (299 * c.Red + 587 * c.Green + 114 * c.Blue) / 1000;
  return light < 128 ? "white" : "black";
}

QLabel* ColouredLabel(const QString& text, const char* colour, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setStyleSheet(QString("color: %1;").arg(colour));
  return label;
}

}  // namespace

TColorSwatch::TColorSwatch(int slot, QWidget* parent) : QLabel(parent), slot_(slot) {
  setAlignment(Qt::AlignCenter);
  setFixedSize(64, 21);
  setToolTip("Colour Representation of your Color");
}

void TColorSwatch::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && OnClick) OnClick(slot_);
  QLabel::mousePressEvent(event);
}

TForm3::TForm3(QWidget* parent, const platform::TServices& services, TColorSlotsOwner owner)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      services_(services),
      owner_(std::move(owner)) {
  setWindowTitle("Colors Palette");
  auto* layout = new QVBoxLayout(this);
  CreateMixer();
  CreateSlots();
  CreateButtons();
  layout->setSizeConstraint(QLayout::SetFixedSize);
  UpdateColorPreview();
}

void TForm3::CreateMixer() {
  auto* mixer = new QGridLayout;
  struct TChannel {
    const char* Caption;
    const char* Colour;
    const char* SliderHint;
    const char* ValueHint;
    QScrollBar** Slider;
    QLineEdit** Value;
  };
  const TChannel channels[] = {
      {"Red:", "red", "Slide to Adjust the amount of Red in the Color",
       "Value of the amount of Red", &RedSB, &RedEdit},
      {"Green:", "green", "Slide to Adjust the amount of Green in the Color",
       "Value of the amount of Green", &GreenSB, &GreenEdit},
      {"Blue:", "blue", "Slide to Adjust the amount of Blue in the Color",
       "Value of the amount of Blue", &BlueSB, &BlueEdit},
  };
  for (int tag = 0; tag < 3; ++tag) {
    const TChannel& c = channels[tag];
    auto* slider = new QScrollBar(Qt::Horizontal, this);
    slider->setRange(0, 255);
    slider->setSingleStep(1);
    slider->setPageStep(10);
    slider->setMinimumWidth(230);
    slider->setToolTip(c.SliderHint);
    auto* value = new QLineEdit("0", this);
    value->setReadOnly(true);
    value->setFixedWidth(44);
    value->setAlignment(Qt::AlignRight);
    value->setStyleSheet(QString("background-color: %1; color: white;").arg(c.Colour));
    value->setToolTip(c.ValueHint);
    connect(slider, &QScrollBar::valueChanged, this, [this, tag] { RedSBChange(tag); });
    mixer->addWidget(ColouredLabel(c.Caption, c.Colour, this), tag, 0);
    mixer->addWidget(slider, tag, 1);
    mixer->addWidget(value, tag, 2);
    *c.Slider = slider;
    *c.Value = value;
  }
  auto* codes = new QGridLayout;
  ColorEdit = new QLineEdit(this);
  ColorEdit->setEnabled(false);
  ColorEdit->setFixedWidth(90);
  ColorEdit->setToolTip("Visual Representation of your Colour");
  Edit1 = new QLineEdit("#000000", this);
  Edit1->setReadOnly(true);
  Edit1->setFixedWidth(90);
  Edit1->setToolTip("This is the Hexidecimal equivalent to your Color above");
  codes->addWidget(new QLabel("Visual Reference:", this), 0, 0);
  codes->addWidget(ColorEdit, 1, 0);
  codes->addWidget(new QLabel("HTML Color Code:", this), 2, 0);
  codes->addWidget(Edit1, 3, 0);
  ColorsMemo1 = new QTextEdit(this);
  ColorsMemo1->setReadOnly(true);
  ColorsMemo1->setFixedSize(150, 84);
  ColorsMemo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ColorsMemo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QFont times("Times New Roman");
  times.setPixelSize(24);
  ColorsMemo1->setFont(times);
  ColorsMemo1->setPlainText("Love my \nColors!!");
  QTextCursor all(ColorsMemo1->document());
  all.select(QTextCursor::Document);
  QTextBlockFormat centred;
  centred.setAlignment(Qt::AlignHCenter);
  all.mergeBlockFormat(centred);
  auto* top = new QHBoxLayout;
  top->addLayout(mixer, 1);
  top->addSpacing(8);
  top->addLayout(codes);
  top->addSpacing(8);
  top->addWidget(ColorsMemo1);
  static_cast<QBoxLayout*>(layout())->addLayout(top);
}

void TForm3::CreateSlots() {
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(3);
  for (int n = 1; n <= kColorSlots; ++n) {
    size_t i = static_cast<size_t>(n - 1);
    int row = (n - 1) % 8;
    int column = (n - 1) / 8 * 5;
    Panel[i] = new TColorSwatch(n, this);
    Panel[i]->OnClick = [this](int slot) { Panel1Click(slot); };
    ColorName[i] = new QLineEdit(this);
    ColorName[i]->setFixedWidth(130);
    ColorName[i]->setToolTip("Input a Name here for your Color");
    Button[i] = new QPushButton("Assign", this);
    Button[i]->setAutoDefault(false);
    Button[i]->setToolTip("Hit Button to Assign the Color Above to this Number");
    connect(Button[i], &QPushButton::clicked, this, [this, n] { Button1Click(n); });
    auto* number = new QLabel(QString::number(n) + ".", this);
    number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid->addWidget(number, row, column);
    grid->addWidget(Panel[i], row, column + 1);
    grid->addWidget(ColorName[i], row, column + 2);
    grid->addWidget(Button[i], row, column + 3);
  }
  grid->setColumnMinimumWidth(4, 24);  // between the two columns of slots
  static_cast<QBoxLayout*>(layout())->addSpacing(6);
  static_cast<QBoxLayout*>(layout())->addLayout(grid);
}

void TForm3::CreateButtons() {
  StaticText4 = new QLabel(
      "Note: To use this palette simply make a color using the above sliders then hit an assign "
      "button to assign the color to a position, Then enter a name for your color, then use the "
      "colors menu to add the hex code into your document.",
      this);
  StaticText4->setWordWrap(true);
  StaticText4->setStyleSheet("color: navy;");
  Button20 = new QPushButton("Copy Color Code to Clipboard", this);
  Button21 = new QPushButton("Color Picker", this);
  BitBtn1 = new QPushButton("OK", this);
  BitBtn2 = new QPushButton("Cancel", this);
  for (QPushButton* b : {Button20, Button21, BitBtn2}) b->setAutoDefault(false);
  BitBtn1->setDefault(true);
  connect(Button20, &QPushButton::clicked, this, [this] { Button20Click(); });
  connect(Button21, &QPushButton::clicked, this, [this] { Button21Click(); });
  connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
  connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
  auto* row = new QHBoxLayout;
  row->addWidget(Button20);
  row->addWidget(Button21);
  row->addStretch(1);
  row->addWidget(BitBtn1);
  row->addWidget(BitBtn2);
  auto* box = static_cast<QBoxLayout*>(layout());
  box->addSpacing(6);
  box->addWidget(StaticText4);
  box->addLayout(row);
}

TRgb TForm3::SliderColor() const {
  return {static_cast<uint8_t>(RedSB->value()), static_cast<uint8_t>(GreenSB->value()),
          static_cast<uint8_t>(BlueSB->value())};
}

void TForm3::RedSBChange(int tag) {
  QScrollBar* sliders[] = {RedSB, GreenSB, BlueSB};
  QLineEdit* values[] = {RedEdit, GreenEdit, BlueEdit};
  if (tag >= 0 && tag < 3) values[tag]->setText(QString::number(sliders[tag]->value()));
  UpdateColorPreview();
}

void TForm3::UpdateColorPreview() {
  CurrentColor = SliderColor();
  ColorEdit->setStyleSheet("background-color: " + Css(CurrentColor) + ";");
  ColorsMemo1->setStyleSheet("color: " + Css(CurrentColor) + ";");
  Edit1->setText(Css(CurrentColor));
}

// The swatch of slot `n` in `color`, or in the button face while the slot has no name.
void TForm3::ShowSlot(int n, TRgb color) {
  size_t i = static_cast<size_t>(n - 1);
  TColorSwatch* swatch = Panel[i];
  if (ColorName[i]->text().isEmpty())
    swatch->setStyleSheet("border: 1px solid gray;");
  else
    swatch->setStyleSheet("border: 1px solid gray; background-color: " + Css(color) +
                          "; color: " + InkOn(color) + ";");
  swatch->setText(QString::fromStdString(SlotValues[i]));
}

void TForm3::Button1Click(int n) {
  *owner_.ColorsChanged = true;
  CurrentSlot = 0;
  CurrentColor = SliderColor();
  if (n < 1 || n > kColorSlots) return;
  CurrentSlot = n;
  size_t i = static_cast<size_t>(n - 1);
  // The code of the sliders: after a click on an empty swatch the code box is empty, and the
  // slot must not get a name without a value.
  SlotValues[i] = ColorCode(CurrentColor);
  if (ColorName[i]->text().isEmpty()) ColorName[i]->setText("Custom" + QString::number(n));
  ShowSlot(n, CurrentColor);
  ColorName[i]->setFocus();
  ColorName[i]->selectAll();
}

void TForm3::Panel1Click(int n) {
  CurrentSlot = 0;
  if (n < 1 || n > kColorSlots) return;
  CurrentSlot = n;
  const std::string& value = SlotValues[static_cast<size_t>(n - 1)];
  Edit1->setText(QString::fromStdString(value));
  // An empty slot has no colour to move the sliders to.
  if (value.empty()) return;
  TRgb color = DecodeColorCode(value);
  RedSB->setValue(color.Red);
  GreenSB->setValue(color.Green);
  BlueSB->setValue(color.Blue);
  // A slider already in place sends no change; the code shown is still the sliders'.
  UpdateColorPreview();
}

void TForm3::Button20Click() {
  Edit1->selectAll();
  services_.Clipboard->SetText(Edit1->text().toStdString());
  if (owner_.ClipboardFilled) owner_.ClipboardFilled();
}

void TForm3::Button21Click() {
  // Names typed since the dialog opened are kept when the slots are shown again.
  for (size_t i = 0; i < SlotNames.size(); ++i) SlotNames[i] = ColorName[i]->text().toStdString();
  platform::TColorChoice choice;
  choice.Color = pickerColor_;
  for (size_t i = 0; i < SlotValues.size(); ++i)
    if (!SlotValues[i].empty()) choice.CustomColors[i] = ToBgr(DecodeColorCode(SlotValues[i]));
  if (!services_.Dialogs->ColorDialog(choice)) return;
  pickerColor_ = choice.Color;
  for (size_t i = 0; i < SlotValues.size(); ++i) {
    unsigned box = choice.CustomColors[i];
    if (box == platform::kNoColor) continue;
    SlotValues[i] = ColorCode(FromBgr(box));
    if (SlotNames[i].empty()) SlotNames[i] = "Custom" + std::to_string(i + 1);
    *owner_.ColorsChanged = true;
  }
  FromPicker = true;
  FormShow();
}

void TForm3::FormShow() {
  if (!FromPicker) {
    SlotNames = *owner_.Names;
    SlotValues = *owner_.Values;
  }
  NormaliseSlots(SlotNames, SlotValues);
  Edit1->setText(Css(SliderColor()));
  for (int n = 1; n <= kColorSlots; ++n) {
    size_t i = static_cast<size_t>(n - 1);
    if (SlotInUse(SlotNames[i], SlotValues[i])) CurrentColor = DecodeColorCode(SlotValues[i]);
    ColorName[i]->setText(QString::fromStdString(SlotNames[i]));
    ShowSlot(n, CurrentColor);
  }
  FromPicker = false;
}

int TForm3::Execute() {
  CurrentSlot = 0;
  FormShow();
  adjustSize();  // the size is known before it is first shown, to centre it
  platform::CentreOnScreen(*this);
  return exec();
}

bool TForm3::FormCloseQuery() {
  int m = CurrentSlot;
  if (m == 0) return true;
  size_t i = static_cast<size_t>(m - 1);
  // Only a slot holding a colour is asked for its name. A name without a colour is let go (the
  // next opening drops it), and a name typed into another slot is never overwritten.
  if (Panel[i]->text().isEmpty() || !ColorName[i]->text().isEmpty()) return true;
  services_.Dialogs->MessageBox(
      platform::mkWarning,
      "You must enter a name for the " + std::to_string(m) + OrdinalSuffix(m) + " color",
      platform::mbOK);
  ColorName[i]->setText("Name your color here");
  ColorName[i]->setFocus();
  return false;
}

void TForm3::FormClose(int result) {
  if (result == QDialog::Accepted) {
    for (size_t i = 0; i < SlotNames.size(); ++i) {
      std::string name = ColorName[i]->text().toStdString();
      // A rename alone must reach the menus and the items palette too: their entries are found
      // by name and colour.
      if (name != (*owner_.Names)[i]) *owner_.ColorsChanged = true;
      (*owner_.Names)[i] = name;
      (*owner_.Values)[i] = SlotValues[i];
    }
  }
  if (*owner_.ColorsChanged) {
    if (owner_.RefreshColors) owner_.RefreshColors();
    *owner_.ColorsChanged = false;
  }
}

void TForm3::done(int result) {
  if (!FormCloseQuery()) return;
  FormClose(result);
  QDialog::done(result);
}

}  // namespace quorel
