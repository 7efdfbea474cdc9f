// The popups' fields, their refusal rules and where they appear.
#include "syntax/ui/schemepopups.h"

#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QVBoxLayout>
#include <map>

namespace quorel {

namespace {

constexpr int kMaxText = 64;

QColor ToQColor(TColor color) {
  TColor rgb = ColorToRgb(color);
  return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

std::string Trimmed(const QLineEdit* edit) { return edit->text().trimmed().toStdString(); }

// Tree items hold their block index.
void FillBlockTree(QTreeWidget& tree, const TSyntaxScheme& scheme, int selected) {
  TBlockTree blocks = BuildBlockTree(scheme);
  std::map<int, QTreeWidgetItem*> items;
  for (int b : blocks.DepthFirst()) {
    int parent = blocks.Nodes[static_cast<size_t>(b)].Parent;
    auto* item = parent < 0 ? new QTreeWidgetItem(&tree) : new QTreeWidgetItem(items[parent]);
    item->setText(0, QString::fromStdString(scheme.SyntaxBlocks[static_cast<size_t>(b)].Name));
    item->setData(0, Qt::UserRole, b);
    items[b] = item;
  }
  tree.expandAll();
  if (items.count(selected)) tree.setCurrentItem(items[selected]);
}

}  // namespace

const std::vector<int>& StyleFontSizes() {
  static const std::vector<int> sizes{8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
  return sizes;
}

TSchemePopup::TSchemePopup(QWidget* anchor)
    : QDialog(anchor ? anchor->window() : nullptr, Qt::Dialog | Qt::FramelessWindowHint),
      anchor_(anchor) {
  setObjectName("SchemePopup");
  setFrameStyle();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(new QFormLayout);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  OkBut = new QPushButton("OK", this);
  OkBut->setDefault(true);
  CancelBut = new QPushButton("Cancel", this);
  buttons->addWidget(OkBut);
  buttons->addWidget(CancelBut);
  layout->addLayout(buttons);
  connect(OkBut, &QPushButton::clicked, this, [this] { OkButClick(); });
  connect(CancelBut, &QPushButton::clicked, this, &QDialog::reject);
}

void TSchemePopup::setFrameStyle() {
  // A thin line around the borderless window, so it stands out from the editor under it.
  setStyleSheet("#SchemePopup { border: 1px solid palette(dark); }");
}

static QFormLayout* Form(QDialog* popup) {
  return static_cast<QFormLayout*>(static_cast<QVBoxLayout*>(popup->layout())->itemAt(0)->layout());
}

QLineEdit* TSchemePopup::AddText(const QString& label, const std::string& value, bool required) {
  auto* edit = new QLineEdit(QString::fromStdString(value), this);
  edit->setMaxLength(kMaxText);
  auto* caption = new QLabel(label, this);
  caption->setBuddy(edit);
  Form(this)->addRow(caption, edit);
  if (required) required_.push_back(edit);
  return edit;
}

QCheckBox* TSchemePopup::AddCheck(const QString& label, bool checked) {
  auto* check = new QCheckBox(label, this);
  check->setChecked(checked);
  Form(this)->addRow(check);
  return check;
}

void TSchemePopup::ShowColor(QPushButton* button, TColor color) {
  QPixmap swatch(24, 12);
  swatch.fill(ToQColor(color));
  button->setIcon(QIcon(swatch));
}

void TSchemePopup::AddStyle(const TStyleChoice& style, const std::vector<std::string>& textStyles,
                            platform::IDialogs& dialogs) {
  QFormLayout* form = Form(this);
  FontNameBox = new QComboBox(this);
  FontNameBox->addItems(QFontDatabase::families());
  // A font this screen lacks ("Courier New" here) is still offered, so OK keeps it.
  const QString fontName = QString::fromStdString(style.FontName);
  if (!fontName.isEmpty() && FontNameBox->findText(fontName) < 0)
    FontNameBox->insertItem(0, fontName);
  FontNameBox->setCurrentIndex(FontNameBox->findText(fontName));
  auto* nameLabel = new QLabel("Font &Name:", this);
  nameLabel->setBuddy(FontNameBox);
  form->addRow(nameLabel, FontNameBox);
  FontSizeBox = new QComboBox(this);
  for (int size : StyleFontSizes()) FontSizeBox->addItem(QString::number(size));
  FontSizeBox->setCurrentIndex(FontSizeBox->findText(QString::number(style.Size)));
  auto* sizeLabel = new QLabel("Font Si&ze:", this);
  sizeLabel->setBuddy(FontSizeBox);
  form->addRow(sizeLabel, FontSizeBox);
  DefaultFontCheck = new QCheckBox("Use Default Font", this);
  form->addRow(DefaultFontCheck);
  auto followDefault = [this] {
    FontNameBox->setEnabled(!DefaultFontCheck->isChecked());
    FontSizeBox->setEnabled(!DefaultFontCheck->isChecked());
  };
  connect(DefaultFontCheck, &QCheckBox::toggled, this, followDefault);
  DefaultFontCheck->setChecked(style.UseDefFont);
  followDefault();

  fontColor_ = style.Color;
  backColor_ = style.BackColor;
  auto colorButton = [&](const QString& label, TColor& color) {
    auto* button = new QPushButton("...", this);
    ShowColor(button, color);
    auto* caption = new QLabel(label, this);
    caption->setBuddy(button);
    form->addRow(caption, button);
    connect(button, &QPushButton::clicked, this, [this, button, &color, &dialogs] {
      platform::TColorChoice choice;
      choice.Color = ColorToRgb(color);
      if (!dialogs.ColorDialog(choice)) return;
      color = choice.Color;
      ShowColor(button, color);
    });
    return button;
  };
  FontColorBut = colorButton("Font &Color:", fontColor_);
  auto* styles = new QHBoxLayout;
  BoldCheck = new QCheckBox("&Bold", this);
  ItalicCheck = new QCheckBox("&Italic", this);
  UnderlineCheck = new QCheckBox("&Underline", this);
  StrikeOutCheck = new QCheckBox("&Strikeout", this);
  BoldCheck->setChecked(style.Styles.Contains(fsBold));
  ItalicCheck->setChecked(style.Styles.Contains(fsItalic));
  UnderlineCheck->setChecked(style.Styles.Contains(fsUnderline));
  StrikeOutCheck->setChecked(style.Styles.Contains(fsStrikeOut));
  for (QCheckBox* c : {BoldCheck, ItalicCheck, UnderlineCheck, StrikeOutCheck})
    styles->addWidget(c);
  form->addRow(new QLabel("Font Styles:", this), styles);
  BackColorBut = colorButton("Background &Color:", backColor_);
  DefaultBackCheck = new QCheckBox("Use Default Background", this);
  DefaultBackCheck->setChecked(style.UseDefBack);
  form->addRow(DefaultBackCheck);
  TextStyleBox = new QComboBox(this);
  TextStyleBox->addItem(QString());
  for (const std::string& name : textStyles) TextStyleBox->addItem(QString::fromStdString(name));
  TextStyleBox->setCurrentIndex(
      std::max(TextStyleBox->findText(QString::fromStdString(style.TextStyle)), 0));
  auto* textStyleLabel = new QLabel("Te&xt Style:", this);
  textStyleLabel->setBuddy(TextStyleBox);
  form->addRow(textStyleLabel, TextStyleBox);
}

TStyleChoice TSchemePopup::Style() const {
  TStyleChoice style;
  if (!FontNameBox) return style;
  style.UseDefFont = DefaultFontCheck->isChecked();
  style.FontName = FontNameBox->currentIndex() >= 0 ? FontNameBox->currentText().toStdString() : "";
  style.Size = FontSizeBox->currentIndex() >= 0 ? FontSizeBox->currentText().toInt() : 0;
  style.Color = fontColor_;
  style.Styles.Set(fsBold, BoldCheck->isChecked());
  style.Styles.Set(fsItalic, ItalicCheck->isChecked());
  style.Styles.Set(fsUnderline, UnderlineCheck->isChecked());
  style.Styles.Set(fsStrikeOut, StrikeOutCheck->isChecked());
  style.UseDefBack = DefaultBackCheck->isChecked();
  style.BackColor = backColor_;
  style.TextStyle = TextStyleBox->currentText().toStdString();
  return style;
}

QTreeWidget* TSchemePopup::AddBlockTree(const QString& label, const TSyntaxScheme& scheme,
                                        int selected) {
  auto* tree = new QTreeWidget(this);
  tree->setHeaderHidden(true);
  tree->setMinimumHeight(120);
  FillBlockTree(*tree, scheme, selected);
  auto* caption = new QLabel(label, this);
  caption->setBuddy(tree);
  Form(this)->addRow(caption, tree);
  return tree;
}

int TSchemePopup::ChosenBlock(const QTreeWidget* tree) {
  QTreeWidgetItem* item = tree->currentItem();
  return item ? item->data(0, Qt::UserRole).toInt() : -1;
}

void TSchemePopup::OkButClick() {
  for (QLineEdit* edit : required_)
    if (edit->isEnabled() && Trimmed(edit).empty()) {
      edit->setFocus();
      return;
    }
  if (DefaultFontCheck && !DefaultFontCheck->isChecked()) {
    if (FontNameBox->currentIndex() < 0) return FontNameBox->setFocus();
    if (FontSizeBox->currentIndex() < 0) return FontSizeBox->setFocus();
  }
  if (Check)
    if (QWidget* offending = Check()) return offending->setFocus();
  accept();
}

bool TSchemePopup::Run() {
  adjustSize();
  if (anchor_) {
    // Just below the anchor, right-aligned with it, inside the screen's work area.
    QPoint corner = anchor_->mapToGlobal(QPoint(anchor_->width(), anchor_->height()));
    QRect area = anchor_->screen() ? anchor_->screen()->availableGeometry() : QRect();
    QPoint at(corner.x() - width(), corner.y());
    if (!area.isEmpty()) {
      at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() - width())));
      at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() - height())));
    }
    move(at);
  }
  return exec() == QDialog::Accepted;
}

// ---- The kinds ----

bool StylePopup(QWidget* anchor, TStyleChoice& style, const std::vector<std::string>& textStyles,
                platform::IDialogs& dialogs) {
  TSchemePopup popup(anchor);
  popup.AddStyle(style, textStyles, dialogs);
  if (!popup.Run()) return false;
  style = popup.Style();
  return true;
}

bool DelimiterStylePopup(QWidget* anchor, const QString& label, std::string& delimiter,
                         TStyleChoice& style, const std::vector<std::string>& textStyles,
                         platform::IDialogs& dialogs) {
  TSchemePopup popup(anchor);
  QLineEdit* edit = popup.AddText(label, delimiter);
  popup.AddStyle(style, textStyles, dialogs);
  if (!popup.Run()) return false;
  delimiter = Trimmed(edit);
  style = popup.Style();
  return true;
}

bool PairStylePopup(QWidget* anchor, std::string& left, std::string& right, TStyleChoice& style,
                    const std::vector<std::string>& textStyles, platform::IDialogs& dialogs) {
  TSchemePopup popup(anchor);
  QLineEdit* l = popup.AddText("&Left Delimiter:", left);
  QLineEdit* r = popup.AddText("&Right Delimiter:", right);
  popup.AddStyle(style, textStyles, dialogs);
  if (!popup.Run()) return false;
  left = Trimmed(l);
  right = Trimmed(r);
  style = popup.Style();
  return true;
}

bool TextPopup(QWidget* anchor, const QString& label, std::string& text) {
  TSchemePopup popup(anchor);
  QLineEdit* edit = popup.AddText(label, text);
  if (!popup.Run()) return false;
  text = Trimmed(edit);
  return true;
}

bool TextPairPopup(QWidget* anchor, std::string& prefix, std::string& suffix) {
  TSchemePopup popup(anchor);
  QLineEdit* p = popup.AddText("Prefix:", prefix);
  QLineEdit* s = popup.AddText("Suffix:", suffix);
  if (!popup.Run()) return false;
  prefix = Trimmed(p);
  suffix = Trimmed(s);
  return true;
}

bool BlockDelimiterPopup(QWidget* anchor, TDelimiters& delimiters) {
  TSchemePopup popup(anchor);
  QLineEdit* l = popup.AddText("&Left Delimiter:", delimiters.LeftDelimiter);
  QLineEdit* r = popup.AddText("&Right Delimiter:", delimiters.RightDelimiter);
  QCheckBox* part = popup.AddCheck("Are &part of block", delimiters.DelimitersArePartOfBlock);
  if (!popup.Run()) return false;
  delimiters.LeftDelimiter = Trimmed(l);
  delimiters.RightDelimiter = Trimmed(r);
  delimiters.DelimitersArePartOfBlock = part->isChecked();
  return true;
}

bool BlockPopup(QWidget* anchor, const TSyntaxScheme& scheme, int block, std::string& name,
                int& parentIndex, bool parentEnabled) {
  TSchemePopup popup(anchor);
  QLineEdit* edit = popup.AddText("&Block:", name);
  QTreeWidget* tree = popup.AddBlockTree("&Parent:", scheme, parentIndex);
  tree->setEnabled(parentEnabled);
  popup.Check = [&]() -> QWidget* {
    if (!parentEnabled) return nullptr;
    int parent = TSchemePopup::ChosenBlock(tree);
    if (parent < 0) return tree;
    if (block >= 0 && !CanBeParent(scheme, block, parent)) return tree;
    return nullptr;
  };
  if (!popup.Run()) return false;
  name = Trimmed(edit);
  if (parentEnabled) parentIndex = TSchemePopup::ChosenBlock(tree);
  return true;
}

bool CopyBlockPopup(QWidget* anchor, const TSyntaxScheme& source, const TSyntaxScheme& scheme,
                    int& sourceIndex, int& parentIndex) {
  TSchemePopup popup(anchor);
  auto* blocks = new QListWidget(&popup);
  for (const TSyntaxBlock& b : source.SyntaxBlocks) blocks->addItem(QString::fromStdString(b.Name));
  blocks->setCurrentRow(-1);
  auto* caption = new QLabel("&Select block:", &popup);
  caption->setBuddy(blocks);
  auto* side = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(caption);
  left->addWidget(blocks);
  side->addLayout(left);
  Form(&popup)->addRow(side);
  QTreeWidget* tree = popup.AddBlockTree("&Parent:", scheme, 0);
  popup.Check = [&]() -> QWidget* {
    if (blocks->currentRow() < 0) return blocks;
    if (TSchemePopup::ChosenBlock(tree) < 0) return tree;
    return nullptr;
  };
  if (!popup.Run()) return false;
  sourceIndex = blocks->currentRow();
  parentIndex = TSchemePopup::ChosenBlock(tree);
  return true;
}

}  // namespace quorel
