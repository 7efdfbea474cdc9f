// The scheme editor's small editing windows: borderless, modal, placed just below the button or
// list that opened them. Each one refuses OK while a field is missing and puts the focus there.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "syntax/schemeedit.h"

namespace quorel {

// One popup: a column of labelled fields with OK and Cancel. The typed helpers below fill it.
class TSchemePopup : public QDialog {
  Q_OBJECT

 public:
  explicit TSchemePopup(QWidget* anchor);

  // A text field of up to 64 characters; `required` fields may not be blank.
  QLineEdit* AddText(const QString& label, const std::string& value, bool required = true);
  QCheckBox* AddCheck(const QString& label, bool checked);
  // The style fields, filled from `style`; colours are chosen through `dialogs`.
  void AddStyle(const TStyleChoice& style, const std::vector<std::string>& textStyles,
                platform::IDialogs& dialogs);
  TStyleChoice Style() const;
  // A tree of the scheme's blocks (as the block tree shows them) to choose a parent from.
  QTreeWidget* AddBlockTree(const QString& label, const TSyntaxScheme& scheme, int selected);
  // The block index of the tree's current item, -1 when none.
  static int ChosenBlock(const QTreeWidget* tree);
  // Runs on OK: returns the field to focus when the input is refused, else null.
  std::function<QWidget*()> Check;

  // Shows the popup below its anchor and waits; true on an accepted OK.
  bool Run();

  QPushButton* OkBut;
  QPushButton* CancelBut;
  // The style fields (null without AddStyle).
  QComboBox* FontNameBox = nullptr;
  QComboBox* FontSizeBox = nullptr;
  QCheckBox* DefaultFontCheck = nullptr;
  QPushButton* FontColorBut = nullptr;
  QCheckBox* BoldCheck = nullptr;
  QCheckBox* ItalicCheck = nullptr;
  QCheckBox* UnderlineCheck = nullptr;
  QCheckBox* StrikeOutCheck = nullptr;
  QPushButton* BackColorBut = nullptr;
  QCheckBox* DefaultBackCheck = nullptr;
  QComboBox* TextStyleBox = nullptr;

 private:
  void setFrameStyle();
  void OkButClick();
  void ShowColor(QPushButton* button, TColor color);
  QWidget* anchor_;
  std::vector<QLineEdit*> required_;
  TColor fontColor_ = clBlack;
  TColor backColor_ = clWindow;
};

// The sizes the style popup offers.
const std::vector<int>& StyleFontSizes();

// Each returns true on OK with the values changed. `anchor` is the opening button or list.
bool StylePopup(QWidget* anchor, TStyleChoice& style, const std::vector<std::string>& textStyles,
                platform::IDialogs& dialogs);
// One delimiter (or a keyword set's name, label "Set:") and its style.
bool DelimiterStylePopup(QWidget* anchor, const QString& label, std::string& delimiter,
                         TStyleChoice& style, const std::vector<std::string>& textStyles,
                         platform::IDialogs& dialogs);
// A left and right delimiter and their style (multi-line comments, strings).
bool PairStylePopup(QWidget* anchor, std::string& left, std::string& right, TStyleChoice& style,
                    const std::vector<std::string>& textStyles, platform::IDialogs& dialogs);
// One text: a keyword, a prefix, a suffix or a character set.
bool TextPopup(QWidget* anchor, const QString& label, std::string& text);
// A prefix and a suffix.
bool TextPairPopup(QWidget* anchor, std::string& prefix, std::string& suffix);
// A block's delimiters and whether they are part of the block.
bool BlockDelimiterPopup(QWidget* anchor, TDelimiters& delimiters);
// A block's name and parent (`block` -1 for a new one); the parent tree is disabled when
// `parentEnabled` is false. The parent may be neither the block nor one of its descendants.
bool BlockPopup(QWidget* anchor, const TSyntaxScheme& scheme, int block, std::string& name,
                int& parentIndex, bool parentEnabled);
// A block of `source` to copy and its parent in `scheme`.
bool CopyBlockPopup(QWidget* anchor, const TSyntaxScheme& source, const TSyntaxScheme& scheme,
                    int& sourceIndex, int& parentIndex);

}  // namespace quorel
