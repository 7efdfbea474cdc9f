// The text store's construction, properties, update bracket and notification.
#include "engine/memosource.h"

#include <algorithm>
#include <cctype>

#include "engine/codetemplates.h"
#include "engine/externalstrings.h"
#include "engine/simpleparser.h"
#include "engine/stylenumbers.h"
#include "engine/updateguard.h"
#include "engine/utf8.h"
#include "engine/vrelerror.h"

namespace quorel {

namespace {

std::vector<TCustomMemoSource*>& AllStores() {
  static std::vector<TCustomMemoSource*> stores;
  return stores;
}

bool SameText(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
           return std::tolower(x) == std::tolower(y);
         });
}

}  // namespace

bool& ClipboardIsBlock() {
  static bool isBlock = false;
  return isBlock;
}

TCustomMemoSource::TCustomMemoSource(const platform::TServices& services) : services_(services) {
  caret_ = positions_.Add();
  // The selection follows edits only while it is not a column block.
  auto allowUnlessBlock = [this](TPosition&, bool& adjustX, bool& adjustY) {
    if (selType_ == stBlock) adjustX = adjustY = false;
  };
  selStart_ = positions_.Add(0, 0, allowUnlessBlock);
  selStart_->IsSelectionStart = true;
  selEnd_ = positions_.Add(0, 0, allowUnlessBlock);
  RebuildDelimiters();
  AllStores().push_back(this);
}

TCustomMemoSource::~TCustomMemoSource() {
  std::erase(AllStores(), this);
  if (parser_) parser_->RemoveClient(this);
  auto listeners = std::move(listeners_);
  listeners_.clear();
  for (auto& l : listeners)
    if (l.Destroyed) l.Destroyed(*this);
}

TCustomMemoSource* TCustomMemoSource::FindByFileName(const std::string& fileName) {
  for (TCustomMemoSource* s : AllStores())
    if (SameText(s->FileName(), fileName)) return s;
  return nullptr;
}

int TCustomMemoSource::StoreCount() { return static_cast<int>(AllStores().size()); }

namespace {
bool overwriteMode = false;
}  // namespace

bool TCustomMemoSource::OverwriteMode() { return overwriteMode; }

void TCustomMemoSource::SetOverwriteMode(bool overwrite) {
  if (overwriteMode == overwrite) return;
  overwriteMode = overwrite;
  for (TCustomMemoSource* s : std::vector<TCustomMemoSource*>(AllStores())) {
    TUpdateGuard update(*s, urInsertMode);
    s->AddFlag(msOverwriteChanged);
  }
}

void TCustomMemoSource::Loaded() {
  {
    TUpdateGuard update(*this, urLoaded);
    SetModified(false);
    SetCaretPos(0, 0);
  }
  ClearUndo();
}

TStrings& TCustomMemoSource::Lines() {
  if (!linesFacade_) linesFacade_ = std::make_unique<TExternalStrings>(*this);
  return *linesFacade_;
}

// ---- Properties ----

void TCustomMemoSource::SetOptions(TStringsOptions value) {
  // Tab characters and smart tabs never coexist; the newcomer wins.
  if (value.Contains(soUseTabCharacter) && !options_.Contains(soUseTabCharacter))
    value.Exclude(soSmartTab);
  else if (options_.Contains(soUseTabCharacter) && value.Contains(soSmartTab))
    value.Exclude(soUseTabCharacter);
  ApplyOptions(value);
}

void TCustomMemoSource::ApplyOptions(TStringsOptions value) {
  bool beyondSwitchedOff = options_.Contains(soBeyondFileEnd) && !value.Contains(soBeyondFileEnd);
  options_ = value;
  if (beyondSwitchedOff && CaretY() > std::max(LineCount() - 1, 0)) {
    int last = LineCount() - 1;
    SetCaretPos(last >= 0 ? LineLength(last) : 0, std::max(last, 0));
  }
}

namespace {

// The styles of a line (one per byte of `text`) once it is re-encoded into `target`: each
// character's style goes with it, repeated over its UTF-8 bytes or taken from the first of them.
std::string RecodedColors(std::string_view colors, std::string_view text, TEncoding target) {
  std::string out;
  auto styleAt = [&](size_t i) { return i < colors.size() ? colors[i] : char{tsPlain}; };
  for (size_t i = 0; i < text.size();) {
    char32_t cp;
    if (target == enUtf8) {
      cp = Cp1252ToUnicode(static_cast<unsigned char>(text[i]));
      out.append(EncodeUtf8(cp).size(), styleAt(i));
      ++i;
    } else {
      size_t length = static_cast<size_t>(DecodeUtf8(text, i, cp));
      if (UnicodeToCp1252(cp)) out.push_back(styleAt(i));  // as Utf8ToCp1252 keeps it
      i += length;
    }
  }
  return out;
}

}  // namespace

void TCustomMemoSource::SetEncoding(TEncoding value) {
  if (encoding_ == value) return;
  encoding_ = value;
  lineLengthsStale_ = true;
  if (LineCount() > 0) ClearUndo();
  MarkRepaint(0, MaxInt);
}

void TCustomMemoSource::ConvertToUtf8() {
  if (encoding_ == enUtf8 || ReadOnly()) return;
  Recode(enUtf8);
}

void TCustomMemoSource::Recode(TEncoding target) {
  TUpdateGuard update(*this, urConvertEncoding);
  const TEncoding before = encoding_;
  for (int y = 0; y < LineCount(); ++y) {
    TStringItem& line = lines_[y];
    std::string text = target == enUtf8 ? Cp1252ToUtf8(line.Text) : Utf8ToCp1252(line.Text);
    if (!line.Colors.empty()) line.Colors = RecodedColors(line.Colors, line.Text, target);
    line.Text = std::move(text);
    line.LineState &= ~lsParsed;
  }
  encoding_ = target;
  lineLengthsStale_ = true;
  if (TUndoRecord* r = AddUndoRecord(ukRecoded)) r->A = before;
  MarkChanged(0, MaxInt);
}

void TCustomMemoSource::SetTabStops(const std::string& value) {
  tabStops_.SetText(value);
  if (options_.Contains(soUseTabCharacter)) ReparseAll();
}

void TCustomMemoSource::SetDelimeters(const std::string& value) {
  delimeters_ = value;
  RebuildDelimiters();
}

void TCustomMemoSource::RebuildDelimiters() {
  delimiterSet_.reset();
  for (int c = 0; c <= 32; ++c) delimiterSet_.set(c);
  for (unsigned char c : delimeters_) delimiterSet_.set(c);
}

void TCustomMemoSource::SetReadOnly(bool value) {
  if (readOnly_ == value) return;
  TUpdateGuard update(*this, urReadOnly);
  readOnly_ = value;
  AddFlag(msReadOnlyChanged);
}

void TCustomMemoSource::SetBlockIndent(int value) { blockIndent_ = std::max(value, 0); }

void TCustomMemoSource::SetSpacesInTab(int value) {
  spacesInTab_ = (value >= 1 && value <= 10) ? value : 8;
}

void TCustomMemoSource::SetTemplatesType(const std::string& value) {
  if (!IsTemplateSetRegistered(value)) return;
  templatesType_ = value;
  if (const TTemplateFill* fill = TemplateSetFill(value)) (*fill)(codeTemplates_);
}

void TCustomMemoSource::SetHighlightUrls(bool value) {
  if (highlightUrls_ == value) return;
  highlightUrls_ = value;
  ReparseAll();
}

void TCustomMemoSource::SetInitialState(uint32_t state) {
  if (initialState_ == state) return;
  initialState_ = state;
  ReparseAll();
}

void TCustomMemoSource::SetUseGlobalOptions(bool value) {
  useGlobalOptions_ = value;
  if (value) ApplyGlobalOptions();
}

void TCustomMemoSource::ApplyGlobalOptions() {
  const TMemoSourceOptions& g = GlobalMemoSourceOptions();
  SetOptions(g.Options());
  try {
    SetTabStops(g.TabStops());
  } catch (const EVrelError&) {
    // The shared value was checked when it was set; keep ours if it is not valid here.
  }
  SetDelimeters(g.Delimeters());
  SetBlockIndent(g.BlockIndent());
  keepTrailingBlanks_ = g.KeepTrailingBlanks();
}

bool TCustomMemoSource::AllowFocusChange(const void*, int) { return true; }

bool TCustomMemoSource::HasAttributes() const { return parser_ && parser_->HasAttributes(); }

// ---- Update bracket ----

void TCustomMemoSource::BeginUpdate(TUpdateReason reason) {
  if (updateDepth_++ > 0) return;
  savedLineCount_ = LineCount();
  changeFlags_ = {};
  prevMatchRect_ = matchRect_;
  changedFirst_ = MaxInt;
  changedLast_ = -MaxInt;
  firstRecordMark_ = true;
  stateChangeEnd_ = -1;
  updateReason_ = reason;
  savedModified_ = modified_;
  savedSelType_ = selType_;
  savedSelStart_ = SelStart();
  savedSelEnd_ = SelEnd();
  savedCaret_ = CaretPos();
  ClearTransientLineImage();
}

void TCustomMemoSource::BeginUpdateKeepSelection(TUpdateReason reason) {
  bool outermost = updateDepth_ == 0;
  BeginUpdate(reason);
  if (!outermost) return;
  auto always = [](TPosition&, bool&, bool&) {};
  keepSelType_ = selType_;
  keepSelStart_ = positions_.Add(selStart_->X, selStart_->Y, always);
  keepSelStart_->IsSelectionStart = true;
  keepSelEnd_ = positions_.Add(selEnd_->X, selEnd_->Y, always);
  keepCaret_ = positions_.Add(caret_->X, caret_->Y, always);
}

void TCustomMemoSource::EndUpdate() {
  if (updateDepth_ <= 0) return;
  if (updateDepth_ > 1) {
    --updateDepth_;
    return;
  }
  if (keepCaret_) {
    selType_ = keepSelType_;
    selStart_->X = keepSelStart_->X;
    selStart_->Y = keepSelStart_->Y;
    selEnd_->X = keepSelEnd_->X;
    selEnd_->Y = keepSelEnd_->Y;
    caret_->X = keepCaret_->X;
    caret_->Y = keepCaret_->Y;
    positions_.Remove(keepSelStart_);
    positions_.Remove(keepSelEnd_);
    positions_.Remove(keepCaret_);
    keepSelStart_ = keepSelEnd_ = keepCaret_ = nullptr;
  }
  if (CaretPos() != savedCaret_ || bookmarkJump_) AddFlag(msCaretMoved);
  if (selType_ != stNone && IsSelectionEmpty()) selType_ = stNone;
  if ((changeFlags_.Contains(msCaretMoved) || changeFlags_.Contains(msTextChanged)) &&
      !changeFlags_.Contains(msUndoRedo))
    ClearRedo();
  RepaintSelectionChange();
  if (matchRect_ != prevMatchRect_) {
    AddFlag(msMatchChanged);
    MarkRepaint(std::min(matchRect_.Top, prevMatchRect_.Top),
                std::max(matchRect_.Bottom, prevMatchRect_.Bottom));
  }
  if (LineCount() != savedLineCount_) AddFlag(msLineCountChanged);
  if (changeFlags_.Contains(msTextChanged)) {
    modified_ = true;
    parsedUpTo_ = std::min(parsedUpTo_, std::max(changedFirst_, 0));
  }
  if (changeFlags_.Contains(msParserChanged)) {
    parsedUpTo_ = 0;
    changedFirst_ = 0;
    changedLast_ = MaxInt;
  }
  if (modified_ != savedModified_) AddFlag(msModifiedChanged);
  updateDepth_ = 0;
  lastBookmarkJump_ = bookmarkJump_;
  bookmarkJump_ = false;
  if (!changeFlags_.Empty()) NotifyListeners(changedFirst_, changedLast_);
}

bool TCustomMemoSource::IsSelectionEmpty() const {
  if (selType_ == stStream)
    return selEnd_->Y < selStart_->Y || (selEnd_->Y == selStart_->Y && selEnd_->X <= selStart_->X);
  if (selType_ == stBlock) return selEnd_->Y < selStart_->Y || selEnd_->X < selStart_->X;
  return true;
}

void TCustomMemoSource::MarkSelectionLines(TSelectionType type, TPoint start, TPoint end) {
  if (type == stNone) return;
  MarkRepaint(std::min(start.Y, end.Y), std::max(start.Y, end.Y));
}

void TCustomMemoSource::RepaintSelectionChange() {
  bool typeChanged = selType_ != savedSelType_;
  bool startMoved = SelStart() != savedSelStart_;
  bool endMoved = SelEnd() != savedSelEnd_;
  if (typeChanged || startMoved || endMoved) {
    AddFlag(msRepaint);
    bool columnsChanged =
        selType_ == stBlock && (selStart_->X != savedSelStart_.X || selEnd_->X != savedSelEnd_.X);
    if (typeChanged || columnsChanged) {
      MarkSelectionLines(savedSelType_, savedSelStart_, savedSelEnd_);
      MarkSelectionLines(selType_, SelStart(), SelEnd());
    } else {
      MarkRepaint(std::min(savedSelStart_.Y, selStart_->Y),
                  std::max(savedSelStart_.Y, selStart_->Y));
      MarkRepaint(std::min(savedSelEnd_.Y, selEnd_->Y), std::max(savedSelEnd_.Y, selEnd_->Y));
    }
  } else if (selType_ != stNone && changeFlags_.Contains(msCaretMoved) &&
             !options_.Contains(soPersistentBlocks) && keepSelectionCount_ == 0) {
    // A plain caret move drops the selection.
    selType_ = stNone;
    AddFlag(msRepaint);
    MarkSelectionLines(savedSelType_, savedSelStart_, savedSelEnd_);
  }
}

void TCustomMemoSource::MarkChanged(int first, int last) {
  AddFlag(msTextChanged);
  MarkRepaint(first, last);
}

void TCustomMemoSource::MarkRepaint(int first, int last) {
  changedFirst_ = std::min(changedFirst_, first);
  changedLast_ = std::max(changedLast_, last);
}

void TCustomMemoSource::AddListener(TSourceListener callback, const void* owner, bool initial,
                                    std::function<void(TCustomMemoSource&)> destroyed) {
  listeners_.push_back({std::move(callback), owner, std::move(destroyed)});
  if (!initial) return;
  // Everything is to be painted; the text itself did not change.
  TUpdateGuard update(*this, urViewAttached);
  changeFlags_ |= msAll;
  MarkRepaint(0, MaxInt);
}

void TCustomMemoSource::RemoveListener(const void* owner) {
  std::erase_if(listeners_, [owner](const TListener& l) { return l.Owner == owner; });
}

void TCustomMemoSource::NotifyListeners(int first, int last) {
  // A listener may edit the store (a new outermost update) or remove listeners: tell a snapshot,
  // and give each one the flags of this update.
  auto snapshot = listeners_;
  TMemoStates flags = changeFlags_;
  TUpdateReason reason = updateReason_;
  for (auto& l : snapshot) {
    bool stillListening = std::any_of(listeners_.begin(), listeners_.end(),
                                      [&](const TListener& x) { return x.Owner == l.Owner; });
    if (!stillListening) continue;
    changeFlags_ = flags;
    changedFirst_ = first;
    changedLast_ = last;
    updateReason_ = reason;
    l.Callback(*this, first, last);
  }
}

// ---- Selection ----

void TCustomMemoSource::DoGetSelectionType(TSelectionType& selType) {
  if (selType != stNone) {
    switch (blockOption_) {
      case bkNone:
        selType = stNone;
        break;
      case bkStreamSel:
        selType = stStream;
        break;
      case bkBlockSel:
        selType = stBlock;
        break;
      case bkBoth:
        break;
    }
  }
  if (OnGetSelectionType) OnGetSelectionType(*this, selType);
}

void TCustomMemoSource::SetSelectionType(TSelectionType type) {
  TUpdateGuard update(*this, urSelectionType);
  DoGetSelectionType(type);
  selType_ = type;
}

void TCustomMemoSource::SetSelection(TSelectionType type, int startX, int startY, int endX,
                                     int endY) {
  TUpdateGuard update(*this, urSetSelection);
  DoGetSelectionType(type);
  selStart_->X = std::clamp(startX, 0, kMaxLine);
  selStart_->Y = std::clamp(startY, 0, kMaxLine);
  selEnd_->X = std::clamp(endX, 0, kMaxLine);
  selEnd_->Y = std::clamp(endY, 0, kMaxLine);
  selType_ = type;
}

void TCustomMemoSource::SetBlockOption(TBlockOption value) {
  if (blockOption_ == value) return;
  TUpdateGuard update(*this, urSelectionType);
  blockOption_ = value;
  if (selType_ == stStream && value == bkBlockSel) selType_ = stBlock;
  if (selType_ == stBlock && value == bkStreamSel) selType_ = stStream;
  if (value == bkNone) selType_ = stNone;
}

std::string TCustomMemoSource::SelectedPart(int y, bool raw) const {
  TRect r = TextSelectionRect();
  if (selType_ == stNone || y < r.Top || y > r.Bottom) return {};
  if (raw && selType_ == stStream) {
    std::string text = RawLine(y);
    int from = y == r.Top ? VisualToRaw(text, r.Left, Cells()) : 0;
    int to = y == r.Bottom ? VisualToRaw(text, r.Right, Cells()) : MaxInt;
    int len = static_cast<int>(text.size());
    from = std::min(from, len);
    to = std::clamp(to, from, len);
    return text.substr(from, to - from);
  }
  std::string line = Line(y);
  int from = 0, to = MaxInt;
  if (selType_ == stBlock) {
    from = r.Left;
    to = r.Right + 1;
    int length = VisualLength(line, Cells());
    if (length < to) line.append(static_cast<size_t>(to - length), ' ');
  } else {
    if (y == r.Top) from = r.Left;
    if (y == r.Bottom) to = r.Right;
  }
  // Columns to bytes, whole characters only.
  from = VisualToRaw(line, from, Cells());
  if (to != MaxInt) to = VisualToRaw(line, to, Cells());
  int len = static_cast<int>(line.size());
  from = std::min(from, len);
  to = std::clamp(to, from, len);
  return line.substr(from, to - from);
}

std::vector<std::string> TCustomMemoSource::SelectedLines(bool raw) const {
  std::vector<std::string> out;
  if (selType_ == stNone) return out;
  TRect r = TextSelectionRect();
  for (int y = r.Top; y <= r.Bottom; ++y) out.push_back(SelectedPart(y, raw));
  return out;
}

std::string TCustomMemoSource::SelectedText() const {
  std::string text;
  auto lines = SelectedLines(true);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

void TCustomMemoSource::SetMatchRect(const TRect& r) {
  TUpdateGuard update(*this, urSearch);
  matchRect_ = r;
}

// ---- Shared options ----

TMemoSourceOptions& GlobalMemoSourceOptions() {
  static TMemoSourceOptions options;
  return options;
}

void TMemoSourceOptions::Push() {
  for (TCustomMemoSource* s : AllStores())
    if (s->UseGlobalOptions()) s->SetUseGlobalOptions(true);
}

void TMemoSourceOptions::SetOptions(TStringsOptions value) {
  options_ = value;
  Push();
}

void TMemoSourceOptions::SetTabStops(const std::string& value) {
  TTabStops check;
  check.SetText(value);  // raises "Invalid Tab Rack" and keeps the old value
  tabStops_ = value;
  Push();
}

void TMemoSourceOptions::SetDelimeters(const std::string& value) {
  delimeters_ = value;
  Push();
}

void TMemoSourceOptions::SetBlockIndent(int value) {
  blockIndent_ = std::max(value, 0);
  Push();
}

void TMemoSourceOptions::SetKeepTrailingBlanks(bool value) {
  keepTrailingBlanks_ = value;
  Push();
}

}  // namespace quorel
