// Imported pieces inserted at the caret, and the file and document helpers around them.
#include "richtext/importinsert.h"

#include <array>

#include "engine/memosource.h"
#include "engine/strings.h"
#include "engine/updateguard.h"
#include "platform/filesystem.h"
#include "richtext/rtfimporter.h"

namespace quorel {

namespace {

TAttributeValues ValuesOf(const TImportAttributes& a, TColor viewBack) {
  TAttributeValues v;
  v.Name = a.FontName;
  v.Size = a.Size;
  v.Charset = a.Charset;
  v.Style = a.Style;
  v.Color = a.Color;
  v.BackColor = a.HasBack ? a.Back : viewBack;
  return v;
}

// Collects the pieces of one import as lines with their colours, inserted in one step at the
// end: inserting piece by piece would walk the growing line again for every piece.
class TPieceInsertion {
 public:
  TPieceInsertion(TImportTarget& target, TAttributeParser* styles, bool block)
      : t_(target), s_(*target.Store), styles_(styles), block_(block), column_(s_.CaretX()) {}

  void Piece(TImportPieceKind kind, std::string_view text, const TImportAttributes& a) {
    if (kind == ipLineBreak) {
      lines_.emplace_back();
      colors_.emplace_back();
      column_ = 0;
      return;
    }
    // Every piece gets its own style, also one that looks like the view's text: otherwise it
    // would take the style of the character before it, and black text after a blue run would
    // turn blue.
    char style = styles_ ? StyleOf(a) : '\0';
    std::string tab;
    if (kind == ipTab) {
      // A tab character where the document keeps them, else blanks up to the next stop.
      int stop = s_.TabStopList().NextStop(column_);
      tab = s_.Options().Contains(soUseTabCharacter) ? "\t" : std::string(stop - column_, ' ');
      text = tab;
      column_ = stop;
    } else {
      column_ += VisualLength(text, s_.Cells());
    }
    lines_.back().append(text);
    colors_.back().append(text.size(), style);
  }

  // Inserts what was collected at the caret and leaves the caret after it, nothing selected.
  void Flush() {
    if (lines_.size() == 1 && lines_[0].empty()) return;
    s_.InsertStringList(lines_, styles_ ? &colors_ : nullptr, block_);
    s_.SetSelectionType(stNone);
    lines_.assign(1, {});
    colors_.assign(1, {});
  }

 private:
  // Pieces mostly come in a few formattings that take turns (tags and text, say): the last
  // few and their styles are kept at hand.
  char StyleOf(const TImportAttributes& a) {
    for (const TRecent& r : recent_)
      if (r.Used && r.Attributes == a) return r.Style;
    // A full table may hand out a style the text does not use: the collected text must be in
    // the store by then, or its styles would count as unused.
    if (styles_->StyleCount() >= TAttributeParser::kMaxStyles && !block_) {
      Flush();
      for (TRecent& r : recent_) r.Used = false;  // a reused style may change its look
    }
    TRecent& slot = recent_[next_++ % recent_.size()];
    slot = {a, static_cast<char>(styles_->StyleFor(ValuesOf(a, t_.Color))), true};
    return slot.Style;
  }
  struct TRecent {
    TImportAttributes Attributes;
    char Style = 0;
    bool Used = false;
  };

  TImportTarget& t_;
  TCustomMemoSource& s_;
  TAttributeParser* styles_;
  const bool block_;
  std::array<TRecent, 4> recent_;
  size_t next_ = 0;
  int column_;  // the visual column the next piece starts at
  std::vector<std::string> lines_{1};
  std::vector<std::string> colors_{1};
};

}  // namespace

void ImportInto(TImportTarget& target, TVrelImporter& importer, std::string_view data) {
  TCustomMemoSource& store = *target.Store;
  if (data.empty()) return;
  const bool block = store.BlockOption() == bkBlockSel;
  if (!importer.Recognises(data)) {
    store.InsertStringList(SplitLines(data), nullptr, block);
    return;
  }
  TUpdateGuard update(store, urImport);
  if (!store.SyntaxParser() && target.AttachParser) target.AttachParser();
  TSimpleParser* parser = store.SyntaxParser();
  auto* styles =
      parser && parser->HasAttributes() ? dynamic_cast<TAttributeParser*>(parser) : nullptr;
  TPieceInsertion insertion(target, styles, block);
  importer.Utf8 = store.IsUtf8();
  importer.OnPiece = [&](TImportPieceKind kind, std::string_view text, const TImportAttributes& a) {
    insertion.Piece(kind, text, a);
  };
  importer.Import(data);
  importer.OnPiece = nullptr;
  insertion.Flush();
}

void LoadRtfInto(TImportTarget& target, std::string_view data) {
  TCustomMemoSource& store = *target.Store;
  const bool undo = store.AllowUndo();
  store.SetAllowUndo(false);
  {
    TUpdateGuard update(store, urLoad);
    store.ClearText();
    if (auto* styles = dynamic_cast<TAttributeParser*>(store.SyntaxParser())) styles->ResetStyles();
    TVrelRtfImporter importer;
    ImportInto(target, importer, data);
    store.SetCaretPos(0, 0);
  }
  store.SetAllowUndo(undo);
  store.SetModified(false);
}

std::function<TAttributeParser&()> OwnedParser(const TImportTarget& target,
                                               std::unique_ptr<TAttributeParser>& owner,
                                               const TAttributeValues& url) {
  return [&target, &owner, url]() -> TAttributeParser& {
    owner = std::make_unique<TAttributeParser>(
        TAttributeValues::FromFont(target.Font, target.Color), url, target.Store);
    target.Store->SetSyntaxParser(owner.get());
    return *owner;
  };
}

std::string ReadImportFile(const TCustomMemoSource& store, const std::string& fileName) {
  return store.Services().Files->ReadWholeFile(fileName);
}

}  // namespace quorel
