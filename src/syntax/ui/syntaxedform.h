// The scheme editor "TSyntaxScheme Editor": a working copy of a syntax scheme with its block
// tree and the seven pages of the selected block's rules. Nothing reaches the edited scheme
// before "OK" or "Apply".
#pragma once

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/services.h"
#include "syntax/schemeedit.h"
#include "syntax/syntaxscheme.h"
#include "syntax/ui/tokenlisteditor.h"

namespace quorel {

// A file dialog starting in the current folder with one filter and "All files (*.*)".
platform::TFileDialog FileDialog(const std::string& title, const std::string& description,
                                 const std::string& pattern, const std::string& ext);

class TSyntaxEdForm : public QWidget {
  Q_OBJECT

 public:
  explicit TSyntaxEdForm(const platform::TServices& services, QWidget* parent = nullptr);

  // Edits `scheme`: a fresh working copy of it, no file name.
  void EditScheme(TSyntaxScheme& scheme);
  TSyntaxScheme& WorkingCopy() { return work_; }
  const std::string& FileName() const { return fileName_; }
  // The block index whose node is selected (the pages show it).
  int SelectedBlock() const { return selected_; }
  void SelectBlock(int index);

  // The named text styles the style popup offers, and the font for new styles (the scheme's
  // parser's default font, set by EditScheme).
  std::vector<std::string> TextStyleNames;
  std::string DefaultFontName = "Courier New";
  int DefaultFontSize = 10;
  // Asked after OK and Cancel (a window of its own closes; embedded it does nothing).
  std::function<void(bool ok)> OnClose;

  // ---- The buttons ----
  void OkButClick();
  void ApplyButClick();
  void CancelButClick();
  void LoadButClick();
  void SaveButClick();
  void SaveAsButClick();
  void ClearButClick();
  // ---- The block tree ----
  void AddBlockClick();
  void EditBlockClick();
  void RemoveBlockClick();
  void CopyBlockClick();
  // A node dropped on another; false when the drop is not allowed.
  bool DropBlock(int dragged, int target, bool asChild);

  QPushButton* OkBut;
  QPushButton* ApplyBut;
  QPushButton* CancelBut;
  QPushButton* LoadBut;
  QPushButton* SaveBut;
  QPushButton* SaveAsBut;
  QPushButton* ClearBut;
  QTabWidget* TreePages;  // "&Blocks"
  QTreeWidget* BlockTree;
  QPushButton* AddBlockBut;
  QPushButton* EditBlockBut;
  QPushButton* RemoveBlockBut;
  QPushButton* CopyBlockBut;
  QTabWidget* BlockPages;  // "&1. Common" .. "&7. Keywords"

  // ---- Page controls ----
  TTokenListEditor* BlockDelimitersList;
  QCheckBox* CaseSensitiveCheck;
  QCheckBox* MetaSymbolCheck;
  QLineEdit* MetaSymbolEdit;
  QCheckBox* EscapesCheck;
  QCheckBox* WrapLinesCheck;
  QPushButton* TextStyleBut;
  QCheckBox* SymbolsCheck;
  QPushButton* SymbolStyleBut;
  QCheckBox* CommentsCheck;
  QCheckBox* SingleLineCommentsCheck;
  TTokenListEditor* SingleLineCommentsList;
  QCheckBox* MultiLineCommentsCheck;
  TTokenListEditor* MultiLineCommentsList;
  QCheckBox* FullLineCommentsCheck;
  TTokenListEditor* FullLineCommentsList;
  QCheckBox* DirectivesCheck;
  QLineEdit* DirectivePrefixEdit;
  QPushButton* DirectiveStyleBut;
  QCheckBox* StringsCheck;
  QCheckBox* SingleLineStringsCheck;
  TTokenListEditor* SingleLineStringsList;
  QCheckBox* MultiLineStringsCheck;
  TTokenListEditor* MultiLineStringsList;
  QCheckBox* NumbersCheck;
  QPushButton* IntegerStyleBut;
  QPushButton* FloatStyleBut;
  QPushButton* HexStyleBut;
  QRadioButton* NumPrefixRadio;
  QRadioButton* NumSuffixRadio;
  QRadioButton* NumPairRadio;
  QCheckBox* NumListCheck;   // with prefixes / with suffixes / with prefixes and suffixes
  QCheckBox* NumExtraCheck;  // multiple suffixes / composition
  TTokenListEditor* NumList;
  QCheckBox* IdentifiersCheck;
  QPushButton* IdentifierStyleBut;
  QRadioButton* IdentPrefixRadio;
  QRadioButton* IdentSuffixRadio;
  QRadioButton* IdentPairRadio;
  QCheckBox* IdentListCheck;
  TTokenListEditor* IdentList;
  QPushButton* FirstCharsBut;
  QPushButton* OtherCharsBut;
  QCheckBox* KeywordsCheck;
  TTokenListEditor* KeywordSetsList;
  QListWidget* KeywordsList;
  QPushButton* AddKeywordBut;
  QPushButton* RemoveKeywordBut;
  QPushButton* EditKeywordBut;
  QPushButton* LoadKeywordsBut;
  QPushButton* SaveKeywordsBut;

  // ---- Keywords of the current set ----
  void AddKeywordClick();
  void RemoveKeywordClick();
  void EditKeywordClick();
  void LoadKeywordsClick();
  void SaveKeywordsClick();

 private:
  TSyntaxBlock& Block() { return work_.SyntaxBlocks[static_cast<size_t>(selected_)]; }
  void FillTree();
  void FillPages();
  void UpdateEnabling();
  void CreateButtons();
  void CreateTreePage();
  void CreateBlockPages();
  QWidget* CreateCommonPage();
  QWidget* CreateCommentsPage();
  QWidget* CreateFullLinePage();
  QWidget* CreateStringsPage();
  QWidget* CreateNumbersPage();
  QWidget* CreateIdentifiersPage();
  QWidget* CreateKeywordsPage();
  // A rule's switch with its list below it; `master` (may be null) is the page's own switch.
  void PlaceSwitchedList(QGridLayout* grid, int row, QCheckBox* check, TTokenListEditor* list,
                         bool TSyntaxBlockProps::*master, bool TSyntaxBlockProps::*own);
  // A check box bound to a flag of the selected block.
  QCheckBox* BoundCheck(const QString& text, bool TSyntaxBlockProps::*flag, QWidget* parent);
  // A "Style..." button bound to a style field of the selected block.
  QPushButton* StyleButton(int TSyntaxBlockProps::*field, QWidget* parent);
  // Binds a list editor to one of the selected block's token lists.
  void BindLineTokens(TTokenListEditor* editor, TLineTokenList TSyntaxBlockProps::*list,
                      const QString& label, bool withStyle);
  void BindBlockTokens(TTokenListEditor* editor, TBlockTokenList TSyntaxBlockProps::*list,
                       bool withStyle);
  // A list of items with a FontID each, drawn in their styles.
  template <typename Item>
  void BindStyledItems(TTokenListEditor* editor, std::function<std::vector<Item>&()> items,
                       std::function<std::string(const Item&)> text,
                       std::function<bool(QWidget*, Item&)> edit);
  QGroupBox* SpecialGroup(QWidget* page, QRadioButton*& prefix, QRadioButton*& suffix,
                          QRadioButton*& pair, const std::function<void()>& chosen);
  void BindCurrentNumberList();
  void BindCurrentIdentList();
  bool EditStyle(QWidget* anchor, int& fontId);
  const TFont* FontOf(int fontId) const;
  TColor BackOf(int fontId) const;
  TKeywordSet* CurrentSet();
  void FillKeywords();
  void StoreKeywords();
  bool SaveTo(const std::string& fileName);
  void Changed();

  platform::TServices services_;
  TSyntaxScheme* edited_ = nullptr;
  TSyntaxScheme work_;
  std::string fileName_;
  int selected_ = 0;
  bool filling_ = false;
  std::vector<std::function<void()>> loaders_;
  std::vector<std::pair<QCheckBox*, bool TSyntaxBlockProps::*>>
      checks_;  // copy the block's values into the controls
  std::vector<std::pair<QWidget*, std::function<bool()>>> enablers_;
};

}  // namespace quorel
