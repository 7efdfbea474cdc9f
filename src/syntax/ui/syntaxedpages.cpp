// The scheme editor's seven block pages: every control is bound to a property of the selected
// block of the working copy and writes to it at once.
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "engine/vrelerror.h"
#include "syntax/commatext.h"
#include "syntax/keywordlist.h"
#include "syntax/schemevalues.h"
#include "syntax/ui/schemepopups.h"
#include "syntax/ui/syntaxedform.h"

namespace quorel {

namespace {

// A label whose "&" letter moves the focus to `buddy`.
QLabel* BuddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(buddy);
  return label;
}

// The operations every rule list has, over a list of `Item`s of the selected block: `items`
// returns that list, `text` shows an item, `edit` runs its popup on a copy (kept on OK).
template <typename Item>
void BindItems(TTokenListOps& ops, std::function<std::vector<Item>&()> items,
               std::function<std::string(const Item&)> text,
               std::function<bool(QWidget*, Item&)> edit) {
  auto at = [items](int i) -> Item& { return items()[static_cast<size_t>(i)]; };
  ops.Count = [items] { return static_cast<int>(items().size()); };
  ops.Text = [at, text](int i) { return text(at(i)); };
  ops.Used = [at](int i) { return at(i).UseToken; };
  ops.SetUsed = [at](int i, bool on) { at(i).UseToken = on; };
  ops.Add = [items, edit](QWidget* anchor) {
    Item item;
    if (!edit(anchor, item)) return false;
    items().push_back(item);
    return true;
  };
  ops.Edit = [at, edit](QWidget* anchor, int i) {
    Item item = at(i);
    if (!edit(anchor, item)) return false;
    at(i) = item;
    return true;
  };
  ops.Remove = [items](int i) { items().erase(items().begin() + i); };
  ops.Move = [items](int from, int to) {
    Item item = items()[static_cast<size_t>(from)];
    items().erase(items().begin() + from);
    items().insert(items().begin() + to, item);
  };
}

std::string PairText(const std::string& left, const std::string& right) {
  return left + " and " + right;
}

QGridLayout* Grid(QWidget* page) {
  auto* grid = new QGridLayout(page);
  grid->setAlignment(Qt::AlignTop);
  return grid;
}

}  // namespace

QCheckBox* TSyntaxEdForm::BoundCheck(const QString& text, bool TSyntaxBlockProps::*flag,
                                     QWidget* parent) {
  auto* check = new QCheckBox(text, parent);
  loaders_.push_back([this, check, flag] { check->setChecked(Block().*flag); });
  checks_.push_back({check, flag});
  connect(check, &QCheckBox::toggled, this, [this, flag](bool on) {
    if (filling_) return;
    Block().*flag = on;
    // Another box may show the same flag ("Use MetaSymbol" and "for Escapes").
    filling_ = true;
    for (auto& [other, otherFlag] : checks_)
      if (otherFlag == flag) other->setChecked(on);
    filling_ = false;
    Changed();
  });
  return check;
}

QPushButton* TSyntaxEdForm::StyleButton(int TSyntaxBlockProps::*field, QWidget* parent) {
  auto* button = new QPushButton("Style...", parent);
  connect(button, &QPushButton::clicked, this,
          [this, button, field] { EditStyle(button, Block().*field); });
  return button;
}

bool TSyntaxEdForm::EditStyle(QWidget* anchor, int& fontId) {
  TStyleChoice style = StyleOfField(work_, Block(), fontId);
  if (!StylePopup(anchor, style, TextStyleNames, *services_.Dialogs)) return false;
  SetFieldStyle(work_, Block(), fontId, style, DefaultFontName, DefaultFontSize);
  FillPages();  // lists sharing the style are drawn in it
  return true;
}

const TFont* TSyntaxEdForm::FontOf(int fontId) const {
  const TAttrItem* entry = fontId >= 0 ? work_.FontTable.Find(fontId) : nullptr;
  return entry ? &entry->Font : nullptr;
}

TColor TSyntaxEdForm::BackOf(int fontId) const {
  const TAttrItem* entry = fontId >= 0 ? work_.FontTable.Find(fontId) : nullptr;
  return entry && !entry->UseDefBack ? entry->BackColor : clWindow;
}

template <typename Item>
void TSyntaxEdForm::BindStyledItems(TTokenListEditor* editor,
                                    std::function<std::vector<Item>&()> items,
                                    std::function<std::string(const Item&)> text,
                                    std::function<bool(QWidget*, Item&)> edit) {
  BindItems<Item>(editor->Ops, items, text, edit);
  editor->Ops.Font = [this, items](int i) {
    return FontOf(items()[static_cast<size_t>(i)].FontID);
  };
  editor->Ops.Back = [this, items](int i) {
    return BackOf(items()[static_cast<size_t>(i)].FontID);
  };
  editor->OnChange = [this] { Changed(); };
}

void TSyntaxEdForm::BindLineTokens(TTokenListEditor* editor,
                                   TLineTokenList TSyntaxBlockProps::*list, const QString& label,
                                   bool withStyle) {
  std::function<TLineTokenList&()> items = [this, list]() -> TLineTokenList& {
    return Block().*list;
  };
  BindStyledItems<TLineToken>(
      editor, items, [](const TLineToken& t) { return t.LeftDelimiter; },
      [this, label, withStyle](QWidget* anchor, TLineToken& token) {
        if (!withStyle) return TextPopup(anchor, label, token.LeftDelimiter);
        TStyleChoice style = StyleOfField(work_, Block(), token.FontID);
        if (!DelimiterStylePopup(anchor, label, token.LeftDelimiter, style, TextStyleNames,
                                 *services_.Dialogs))
          return false;
        SetFieldStyle(work_, Block(), token.FontID, style, DefaultFontName, DefaultFontSize);
        return true;
      });
}

void TSyntaxEdForm::BindBlockTokens(TTokenListEditor* editor,
                                    TBlockTokenList TSyntaxBlockProps::*list, bool withStyle) {
  std::function<TBlockTokenList&()> items = [this, list]() -> TBlockTokenList& {
    return Block().*list;
  };
  BindStyledItems<TBlockToken>(
      editor, items,
      [](const TBlockToken& t) { return PairText(t.LeftDelimiter, t.RightDelimiter); },
      [this, withStyle](QWidget* anchor, TBlockToken& token) {
        if (!withStyle) return TextPairPopup(anchor, token.LeftDelimiter, token.RightDelimiter);
        TStyleChoice style = StyleOfField(work_, Block(), token.FontID);
        if (!PairStylePopup(anchor, token.LeftDelimiter, token.RightDelimiter, style,
                            TextStyleNames, *services_.Dialogs))
          return false;
        SetFieldStyle(work_, Block(), token.FontID, style, DefaultFontName, DefaultFontSize);
        return true;
      });
}

void TSyntaxEdForm::CreateBlockPages() {
  BlockPages = new QTabWidget(this);
  BlockPages->addTab(CreateCommonPage(), "&1. Common");
  BlockPages->addTab(CreateCommentsPage(), "&2. Comments");
  BlockPages->addTab(CreateFullLinePage(), "&3. FullLine");
  BlockPages->addTab(CreateStringsPage(), "&4. Strings");
  BlockPages->addTab(CreateNumbersPage(), "&5. Numbers");
  BlockPages->addTab(CreateIdentifiersPage(), "&6. Identifiers");
  BlockPages->addTab(CreateKeywordsPage(), "&7. Keywords");
}

QWidget* TSyntaxEdForm::CreateCommonPage() {
  auto* page = new QWidget;
  QGridLayout* grid = Grid(page);
  BlockDelimitersList = new TTokenListEditor(page);
  grid->addWidget(BuddyLabel("Block &Delimiters:", BlockDelimitersList->List, page), 0, 0, 1, 3);
  BindItems<TDelimiters>(
      BlockDelimitersList->Ops, [this]() -> TDelimitersList& { return Block().BlockDelimiters; },
      [](const TDelimiters& d) { return PairText(d.LeftDelimiter, d.RightDelimiter); },
      [](QWidget* anchor, TDelimiters& d) { return BlockDelimiterPopup(anchor, d); });
  BlockDelimitersList->OnChange = [this] { Changed(); };
  loaders_.push_back([this] { BlockDelimitersList->Refill(0); });
  enablers_.push_back({BlockDelimitersList, [this] { return selected_ != 0; }});
  grid->addWidget(BlockDelimitersList, 1, 0, 1, 3);
  CaseSensitiveCheck = BoundCheck("&Case Sensitive", &TSyntaxBlockProps::CaseSensitive, page);
  grid->addWidget(CaseSensitiveCheck, 2, 0);
  MetaSymbolCheck = BoundCheck("Use &MetaSymbol", &TSyntaxBlockProps::UseMetaSymbol, page);
  MetaSymbolEdit = new QLineEdit(page);
  MetaSymbolEdit->setMaxLength(1);
  MetaSymbolEdit->setMaximumWidth(30);
  loaders_.push_back([this] {
    char c = Block().MetaSymbol;
    MetaSymbolEdit->setText(c ? QString(QChar::fromLatin1(c)) : QString());
  });
  connect(MetaSymbolEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
    QByteArray bytes = text.toLatin1();
    Block().MetaSymbol = bytes.isEmpty() ? '\0' : bytes[0];
  });
  enablers_.push_back({MetaSymbolEdit, [this] { return Block().UseMetaSymbol; }});
  grid->addWidget(MetaSymbolCheck, 3, 0);
  grid->addWidget(MetaSymbolEdit, 3, 1);
  // "for Escapes" shows the same flag as "Use MetaSymbol".
  EscapesCheck = BoundCheck("for &Escapes", &TSyntaxBlockProps::UseMetaSymbol, page);
  grid->addWidget(EscapesCheck, 4, 1);
  WrapLinesCheck = BoundCheck("to &Wrap Long Lines", &TSyntaxBlockProps::UseMetaToWrapLines, page);
  enablers_.push_back({WrapLinesCheck, [this] { return Block().UseMetaSymbol; }});
  grid->addWidget(WrapLinesCheck, 5, 1);
  TextStyleBut = StyleButton(&TSyntaxBlockProps::FIText, page);
  grid->addWidget(BuddyLabel("Plain &Text:", TextStyleBut, page), 6, 0);
  grid->addWidget(TextStyleBut, 6, 1);
  SymbolsCheck = BoundCheck("Highlight S&ymbols", &TSyntaxBlockProps::UseSymbols, page);
  SymbolStyleBut = StyleButton(&TSyntaxBlockProps::FISymbol, page);
  enablers_.push_back({SymbolStyleBut, [this] { return Block().UseSymbols; }});
  grid->addWidget(SymbolsCheck, 7, 0);
  grid->addWidget(SymbolStyleBut, 7, 1);
  return page;
}

void TSyntaxEdForm::PlaceSwitchedList(QGridLayout* grid, int row, QCheckBox* check,
                                      TTokenListEditor* list, bool TSyntaxBlockProps::*master,
                                      bool TSyntaxBlockProps::*own) {
  // The switch on one row, its list under it; the list works while both switches are on.
  grid->addWidget(check, row, 0, 1, 3);
  grid->addWidget(list, row + 1, 0, 1, 3);
  loaders_.push_back([list] { list->Refill(0); });
  if (master) enablers_.push_back({check, [this, master] { return Block().*master; }});
  enablers_.push_back(
      {list, [this, master, own] { return (!master || Block().*master) && Block().*own; }});
}

QWidget* TSyntaxEdForm::CreateCommentsPage() {
  auto* page = new QWidget;
  QGridLayout* grid = Grid(page);
  CommentsCheck = BoundCheck("Highlight &Comments", &TSyntaxBlockProps::UseComments, page);
  grid->addWidget(CommentsCheck, 0, 0);
  SingleLineCommentsCheck =
      BoundCheck("S&ingle-line Comments", &TSyntaxBlockProps::UseSingleLineComments, page);
  SingleLineCommentsList = new TTokenListEditor(page);
  BindLineTokens(SingleLineCommentsList, &TSyntaxBlockProps::SingleLineCommentDelimiters,
                 "&Delimiter:", true);
  PlaceSwitchedList(grid, 1, SingleLineCommentsCheck, SingleLineCommentsList,
                    &TSyntaxBlockProps::UseComments, &TSyntaxBlockProps::UseSingleLineComments);
  MultiLineCommentsCheck =
      BoundCheck("&Multi-line Comments", &TSyntaxBlockProps::UseMultiLineComments, page);
  MultiLineCommentsList = new TTokenListEditor(page);
  BindBlockTokens(MultiLineCommentsList, &TSyntaxBlockProps::MultiLineCommentDelimiters, true);
  PlaceSwitchedList(grid, 3, MultiLineCommentsCheck, MultiLineCommentsList,
                    &TSyntaxBlockProps::UseComments, &TSyntaxBlockProps::UseMultiLineComments);
  return page;
}

QWidget* TSyntaxEdForm::CreateFullLinePage() {
  auto* page = new QWidget;
  QGridLayout* grid = Grid(page);
  FullLineCommentsCheck =
      BoundCheck("&Full-line Comments", &TSyntaxBlockProps::UseFullLineComments, page);
  FullLineCommentsList = new TTokenListEditor(page);
  BindLineTokens(FullLineCommentsList, &TSyntaxBlockProps::FullLineCommentDelimiters,
                 "&Delimiter:", true);
  PlaceSwitchedList(grid, 0, FullLineCommentsCheck, FullLineCommentsList, nullptr,
                    &TSyntaxBlockProps::UseFullLineComments);
  DirectivesCheck =
      BoundCheck("Highlight &Directives", &TSyntaxBlockProps::UseLineDirectives, page);
  grid->addWidget(DirectivesCheck, 2, 0, 1, 3);
  grid->addWidget(new QLabel("Prefix:", page), 3, 0);
  DirectivePrefixEdit = new QLineEdit(page);
  DirectivePrefixEdit->setMaxLength(64);
  loaders_.push_back([this] {
    DirectivePrefixEdit->setText(QString::fromStdString(Block().LineDirectivePrefix));
  });
  connect(DirectivePrefixEdit, &QLineEdit::textEdited, this,
          [this](const QString& text) { Block().LineDirectivePrefix = text.toStdString(); });
  grid->addWidget(DirectivePrefixEdit, 3, 1);
  DirectiveStyleBut = StyleButton(&TSyntaxBlockProps::FIDirective, page);
  grid->addWidget(DirectiveStyleBut, 3, 2);
  for (QWidget* w :
       {static_cast<QWidget*>(DirectivePrefixEdit), static_cast<QWidget*>(DirectiveStyleBut)})
    enablers_.push_back({w, [this] { return Block().UseLineDirectives; }});
  return page;
}

QWidget* TSyntaxEdForm::CreateStringsPage() {
  auto* page = new QWidget;
  QGridLayout* grid = Grid(page);
  StringsCheck = BoundCheck("Highlight Strin&gs", &TSyntaxBlockProps::UseStrings, page);
  grid->addWidget(StringsCheck, 0, 0);
  SingleLineStringsCheck =
      BoundCheck("S&ingle-line Strings", &TSyntaxBlockProps::UseSingleLineStrings, page);
  SingleLineStringsList = new TTokenListEditor(page);
  BindBlockTokens(SingleLineStringsList, &TSyntaxBlockProps::SingleLineStringDelimiters, true);
  PlaceSwitchedList(grid, 1, SingleLineStringsCheck, SingleLineStringsList,
                    &TSyntaxBlockProps::UseStrings, &TSyntaxBlockProps::UseSingleLineStrings);
  MultiLineStringsCheck =
      BoundCheck("&Multi-line Strings", &TSyntaxBlockProps::UseMultiLineStrings, page);
  MultiLineStringsList = new TTokenListEditor(page);
  BindBlockTokens(MultiLineStringsList, &TSyntaxBlockProps::MultiLineStringDelimiters, true);
  PlaceSwitchedList(grid, 3, MultiLineStringsCheck, MultiLineStringsList,
                    &TSyntaxBlockProps::UseStrings, &TSyntaxBlockProps::UseMultiLineStrings);
  return page;
}

QGroupBox* TSyntaxEdForm::SpecialGroup(QWidget* page, QRadioButton*& prefix, QRadioButton*& suffix,
                                       QRadioButton*& pair, const std::function<void()>& chosen) {
  // " Special: " chooses which list of prefixes, suffixes or pairs the page shows.
  auto* special = new QGroupBox(" Special: ", page);
  auto* box = new QVBoxLayout(special);
  prefix = new QRadioButton("with &prefix", special);
  suffix = new QRadioButton("with su&ffix", special);
  pair = new QRadioButton("w&ith prefix && suffix", special);
  prefix->setChecked(true);
  auto* radios = new QHBoxLayout;
  for (QRadioButton* r : {prefix, suffix, pair}) {
    radios->addWidget(r);
    connect(r, &QRadioButton::toggled, this, [chosen](bool on) {
      if (on) chosen();
    });
  }
  box->addLayout(radios);
  return special;
}

void TSyntaxEdForm::BindCurrentNumberList() {
  // The radio buttons choose which list and flags the page shows.
  TSyntaxBlock& b = Block();
  const bool wasFilling = filling_;
  filling_ = true;
  if (NumPairRadio->isChecked()) {
    NumListCheck->setText("with prefix&es and suffixes");
    NumListCheck->setChecked(b.UsePrefixedSuffixedNumbers);
    NumExtraCheck->setText("use &composition of P && S");
    NumExtraCheck->setChecked(b.UsePSNumComposition);
    NumExtraCheck->show();
    BindBlockTokens(NumList, &TSyntaxBlockProps::NumPrefixesSuffixes, false);
  } else {
    bool prefix = NumPrefixRadio->isChecked();
    NumListCheck->setText(prefix ? "with prefix&es" : "with suffix&es");
    NumListCheck->setChecked(prefix ? b.UsePrefixedNumbers : b.UseSuffixedNumbers);
    NumExtraCheck->setText("multiple suffixes allo&wed");
    NumExtraCheck->setChecked(b.UseMultipleNumSuffixes);
    NumExtraCheck->setVisible(!prefix);
    BindLineTokens(NumList,
                   prefix ? &TSyntaxBlockProps::NumPrefixes : &TSyntaxBlockProps::NumSuffixes,
                   prefix ? "Prefix:" : "Suffix:", false);
  }
  NumList->Refill(0);
  filling_ = wasFilling;
}

QWidget* TSyntaxEdForm::CreateNumbersPage() {
  auto* page = new QWidget;
  QGridLayout* grid = Grid(page);
  NumbersCheck = BoundCheck("Highlight N&umbers", &TSyntaxBlockProps::UseNumbers, page);
  grid->addWidget(NumbersCheck, 0, 0, 1, 2);
  const QString labels[] = {"Inte&gers:", "Floa&ts:", "&Hexadecimal:"};
  int TSyntaxBlockProps::*fields[] = {&TSyntaxBlockProps::FIIntNum, &TSyntaxBlockProps::FIFloatNum,
                                      &TSyntaxBlockProps::FIHexNum};
  QPushButton** buttons[] = {&IntegerStyleBut, &FloatStyleBut, &HexStyleBut};
  for (int i = 0; i < 3; ++i) {
    *buttons[i] = StyleButton(fields[i], page);
    grid->addWidget(BuddyLabel(labels[i], *buttons[i], page), 1 + i, 0);
    grid->addWidget(*buttons[i], 1 + i, 1);
    enablers_.push_back({*buttons[i], [this] { return Block().UseNumbers; }});
  }
  QGroupBox* special = SpecialGroup(page, NumPrefixRadio, NumSuffixRadio, NumPairRadio,
                                    [this] { BindCurrentNumberList(); });
  auto* box = static_cast<QVBoxLayout*>(special->layout());
  NumListCheck = new QCheckBox(special);
  NumExtraCheck = new QCheckBox(special);
  connect(NumListCheck, &QCheckBox::toggled, this, [this](bool on) {
    if (filling_) return;
    TSyntaxBlock& b = Block();
    (NumPairRadio->isChecked()     ? b.UsePrefixedSuffixedNumbers
     : NumPrefixRadio->isChecked() ? b.UsePrefixedNumbers
                                   : b.UseSuffixedNumbers) = on;
    Changed();
  });
  connect(NumExtraCheck, &QCheckBox::toggled, this, [this](bool on) {
    if (filling_) return;
    (NumPairRadio->isChecked() ? Block().UsePSNumComposition : Block().UseMultipleNumSuffixes) = on;
    Changed();
  });
  box->addWidget(NumListCheck);
  box->addWidget(NumExtraCheck);
  NumList = new TTokenListEditor(special, false);
  box->addWidget(NumList);
  loaders_.push_back([this] { BindCurrentNumberList(); });
  enablers_.push_back({special, [this] { return Block().UseNumbers; }});
  grid->addWidget(special, 4, 0, 1, 2);
  return page;
}

void TSyntaxEdForm::BindCurrentIdentList() {
  TSyntaxBlock& b = Block();
  const bool wasFilling = filling_;
  filling_ = true;
  if (IdentPairRadio->isChecked()) {
    IdentListCheck->setText("with prefix&es and suffixes");
    IdentListCheck->setChecked(b.UsePrefixedSuffixedIdentifiers);
    BindBlockTokens(IdentList, &TSyntaxBlockProps::IdentPrefixesSuffixes, false);
  } else {
    bool prefix = IdentPrefixRadio->isChecked();
    IdentListCheck->setText(prefix ? "with prefix&es" : "with suffix&es");
    IdentListCheck->setChecked(prefix ? b.UsePrefixedIdentifiers : b.UseSuffixedIdentifiers);
    BindLineTokens(IdentList,
                   prefix ? &TSyntaxBlockProps::IdentPrefixes : &TSyntaxBlockProps::IdentSuffixes,
                   prefix ? "Prefix:" : "Suffix:", false);
  }
  IdentList->Refill(0);
  filling_ = wasFilling;
}

QWidget* TSyntaxEdForm::CreateIdentifiersPage() {
  auto* page = new QWidget;
  QGridLayout* grid = Grid(page);
  IdentifiersCheck = BoundCheck("Highlight Iden&tifiers", &TSyntaxBlockProps::UseIdentifiers, page);
  IdentifierStyleBut = StyleButton(&TSyntaxBlockProps::FIIdentifier, page);
  grid->addWidget(IdentifiersCheck, 0, 0);
  grid->addWidget(IdentifierStyleBut, 0, 1);
  QGroupBox* special = SpecialGroup(page, IdentPrefixRadio, IdentSuffixRadio, IdentPairRadio,
                                    [this] { BindCurrentIdentList(); });
  auto* box = static_cast<QVBoxLayout*>(special->layout());
  IdentListCheck = new QCheckBox(special);
  connect(IdentListCheck, &QCheckBox::toggled, this, [this](bool on) {
    if (filling_) return;
    TSyntaxBlock& b = Block();
    (IdentPairRadio->isChecked()     ? b.UsePrefixedSuffixedIdentifiers
     : IdentPrefixRadio->isChecked() ? b.UsePrefixedIdentifiers
                                     : b.UseSuffixedIdentifiers) = on;
    Changed();
  });
  box->addWidget(IdentListCheck);
  IdentList = new TTokenListEditor(special, false);
  box->addWidget(IdentList);
  loaders_.push_back([this] { BindCurrentIdentList(); });
  grid->addWidget(special, 1, 0, 1, 2);
  FirstCharsBut = new QPushButton("...", page);
  OtherCharsBut = new QPushButton("...", page);
  grid->addWidget(new QLabel("First Symbol CharSet:", page), 2, 0);
  grid->addWidget(FirstCharsBut, 2, 1);
  grid->addWidget(new QLabel("Other Symbols CharSet:", page), 3, 0);
  grid->addWidget(OtherCharsBut, 3, 1);
  auto charSet = [this](QPushButton* button, TCharSet TSyntaxBlockProps::*field) {
    connect(button, &QPushButton::clicked, this, [this, button, field] {
      std::string text = CharSetToText(Block().*field);
      if (TextPopup(button, "&CharSet:", text)) Block().*field = CharSetFromText(text);
    });
  };
  charSet(FirstCharsBut, &TSyntaxBlockProps::FirstIdentChars);
  charSet(OtherCharsBut, &TSyntaxBlockProps::OtherIdentChars);
  for (QWidget* w : {static_cast<QWidget*>(IdentifierStyleBut), static_cast<QWidget*>(special),
                     static_cast<QWidget*>(FirstCharsBut), static_cast<QWidget*>(OtherCharsBut)})
    enablers_.push_back({w, [this] { return Block().UseIdentifiers; }});
  return page;
}

QWidget* TSyntaxEdForm::CreateKeywordsPage() {
  auto* page = new QWidget;
  QGridLayout* grid = Grid(page);
  KeywordsCheck = BoundCheck("Highlight &Keywords:", &TSyntaxBlockProps::UseKeywords, page);
  grid->addWidget(KeywordsCheck, 0, 0, 1, 2);
  auto* sets = new QGroupBox(" Sets: ", page);
  auto* setsBox = new QVBoxLayout(sets);
  KeywordSetsList = new TTokenListEditor(sets);
  KeywordSetsList->AddBut->setText("&Add");
  KeywordSetsList->RemoveBut->setText("&Remove");
  KeywordSetsList->EditBut->setText("&Edit");
  setsBox->addWidget(KeywordSetsList);
  BindStyledItems<TKeywordSet>(
      KeywordSetsList, [this]() -> TKeywordSetList& { return Block().KeywordSets; },
      [](const TKeywordSet& set) { return set.Name; },
      [this](QWidget* anchor, TKeywordSet& set) {
        TStyleChoice style = StyleOfField(work_, Block(), set.FontID);
        if (!DelimiterStylePopup(anchor, "Set:", set.Name, style, TextStyleNames,
                                 *services_.Dialogs))
          return false;
        SetFieldStyle(work_, Block(), set.FontID, style, DefaultFontName, DefaultFontSize);
        return true;
      });
  // Removing a set asks first.
  KeywordSetsList->Ops.Remove = [this](int i) {
    TKeywordSetList& sets = Block().KeywordSets;
    std::string question =
        "Do you really want to remove keyword set '" + sets[static_cast<size_t>(i)].Name + "'?";
    if (services_.Dialogs->MessageBox(platform::mkConfirmation, question, platform::mbYesNo) ==
        platform::mrYes)
      sets.erase(sets.begin() + i);
  };
  KeywordSetsList->OnChange = [this] {
    FillKeywords();
    Changed();
  };
  connect(KeywordSetsList->List, &QListWidget::currentRowChanged, this, [this] { FillKeywords(); });
  loaders_.push_back([this] {
    KeywordSetsList->Refill(0);
    FillKeywords();
  });
  enablers_.push_back({sets, [this] { return Block().UseKeywords; }});

  auto* current = new QGroupBox(" Current Keywords Set: ", page);
  auto* currentBox = new QHBoxLayout(current);
  KeywordsList = new QListWidget(current);
  KeywordsList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  currentBox->addWidget(KeywordsList, 1);
  auto* buttons = new QVBoxLayout;
  AddKeywordBut = new QPushButton("Ad&d", current);
  RemoveKeywordBut = new QPushButton("Remo&ve", current);
  EditKeywordBut = new QPushButton("Edi&t", current);
  LoadKeywordsBut = new QPushButton("Load", current);
  SaveKeywordsBut = new QPushButton("Save", current);
  for (QPushButton* b :
       {AddKeywordBut, RemoveKeywordBut, EditKeywordBut, LoadKeywordsBut, SaveKeywordsBut})
    buttons->addWidget(b);
  buttons->addStretch();
  currentBox->addLayout(buttons);
  connect(AddKeywordBut, &QPushButton::clicked, this, [this] { AddKeywordClick(); });
  connect(RemoveKeywordBut, &QPushButton::clicked, this, [this] { RemoveKeywordClick(); });
  connect(EditKeywordBut, &QPushButton::clicked, this, [this] { EditKeywordClick(); });
  connect(KeywordsList, &QListWidget::itemDoubleClicked, this, [this] { EditKeywordClick(); });
  connect(LoadKeywordsBut, &QPushButton::clicked, this, [this] { LoadKeywordsClick(); });
  connect(SaveKeywordsBut, &QPushButton::clicked, this, [this] { SaveKeywordsClick(); });
  enablers_.push_back({current, [this] { return Block().UseKeywords && CurrentSet() != nullptr; }});
  grid->addWidget(sets, 1, 0);
  grid->addWidget(current, 1, 1);
  return page;
}

TKeywordSet* TSyntaxEdForm::CurrentSet() {
  int row = KeywordSetsList->List->currentRow();
  auto& sets = Block().KeywordSets;
  return row >= 0 && row < static_cast<int>(sets.size()) ? &sets[static_cast<size_t>(row)]
                                                         : nullptr;
}

void TSyntaxEdForm::FillKeywords() {
  KeywordsList->clear();
  if (TKeywordSet* set = CurrentSet())
    for (const std::string& word : SortedKeywords(set->Keywords))
      KeywordsList->addItem(QString::fromStdString(word));
  UpdateEnabling();
}

void TSyntaxEdForm::StoreKeywords() {
  TKeywordSet* set = CurrentSet();
  if (!set) return;
  std::vector<std::string> words;
  for (int i = 0; i < KeywordsList->count(); ++i)
    words.push_back(KeywordsList->item(i)->text().toStdString());
  set->Keywords = JoinCommaText(words);
}

void TSyntaxEdForm::AddKeywordClick() {
  if (!CurrentSet()) return;
  std::string word;
  if (!TextPopup(AddKeywordBut, "&Keyword:", word)) return;
  std::vector<std::string> words = SortedKeywords(CurrentSet()->Keywords);
  int index = AddKeyword(words, word);
  CurrentSet()->Keywords = JoinCommaText(words);
  FillKeywords();
  KeywordsList->setCurrentRow(index);
}

void TSyntaxEdForm::RemoveKeywordClick() {
  for (QListWidgetItem* item : KeywordsList->selectedItems()) delete item;
  StoreKeywords();
}

void TSyntaxEdForm::EditKeywordClick() {
  QListWidgetItem* item = KeywordsList->currentItem();
  if (!item || !CurrentSet()) return;
  std::string word = item->text().toStdString();
  if (!TextPopup(EditKeywordBut, "&Keyword:", word)) return;
  delete item;
  StoreKeywords();
  std::vector<std::string> words = SortedKeywords(CurrentSet()->Keywords);
  int index = AddKeyword(words, word);
  CurrentSet()->Keywords = JoinCommaText(words);
  FillKeywords();
  KeywordsList->setCurrentRow(index);
}

void TSyntaxEdForm::LoadKeywordsClick() {
  TKeywordSet* set = CurrentSet();
  if (!set) return;
  platform::TFileDialog dialog = FileDialog("Load keywords", "Text files (*.txt)", "*.txt", "txt");
  if (!services_.Dialogs->OpenFileDialog(dialog)) return;
  try {
    LoadKeywordList(dialog.FileName, *set, *services_.Files);
  } catch (const EVrelError& e) {
    services_.Dialogs->MessageBox(platform::mkError, e.what(), platform::mbOK);
  }
  FillKeywords();
}

void TSyntaxEdForm::SaveKeywordsClick() {
  TKeywordSet* set = CurrentSet();
  if (!set) return;
  platform::TFileDialog dialog = FileDialog("Save keywords", "Text files (*.txt)", "*.txt", "txt");
  if (!services_.Dialogs->SaveFileDialog(dialog)) return;
  try {
    SaveKeywordList(dialog.FileName, *set, *services_.Files);
  } catch (const EVrelError& e) {
    services_.Dialogs->MessageBox(platform::mkError, e.what(), platform::mbOK);
  }
}

void TSyntaxEdForm::FillPages() {
  if (work_.SyntaxBlocks.empty()) return;
  selected_ = std::clamp(selected_, 0, static_cast<int>(work_.SyntaxBlocks.size()) - 1);
  filling_ = true;
  for (auto& load : loaders_) load();
  filling_ = false;
  UpdateEnabling();
}

void TSyntaxEdForm::UpdateEnabling() {
  if (work_.SyntaxBlocks.empty()) return;
  for (auto& [widget, enabled] : enablers_) widget->setEnabled(enabled());
  EditBlockBut->setEnabled(selected_ > 0);
  RemoveBlockBut->setEnabled(selected_ > 0);
}

}  // namespace quorel
