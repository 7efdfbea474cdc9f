// TMemoSearch: the find and replace commands over a text store.
#include "search/memosearch.h"

#include <algorithm>
#include <optional>

#include "engine/simpleparser.h"
#include "engine/updateguard.h"
#include "engine/utf8.h"
#include "platform/dialogs.h"
#include "platform/services.h"
#include "search/searchlines.h"

namespace quorel {

namespace {

std::string DoubleAmpersands(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == '&') out += '&';
  }
  return out;
}

bool SelectionEmpty(const TCustomMemoSource& store) {
  return !store.HasSelection() || store.SelStart() == store.SelEnd();
}

// Inside the selection on its line, or at one of its ends (for a column block: a corner).
bool CaretInSelection(const TCustomMemoSource& store) {
  if (!store.HasSelection()) return false;
  const TPoint c = store.CaretPos();
  if (store.IsInSelection(c.X, c.Y)) return true;
  const TRect r = store.SelectionRect();
  if (store.SelectionType() == stBlock)
    return (c.Y == r.Top || c.Y == r.Bottom) && (c.X == r.Left || c.X == r.Right + 1);
  return c == store.SelStart() || c == store.SelEnd();
}

bool IsLinePattern(const std::string& text) { return text == "^" || text == "$" || text == "^$"; }

class TBusy {
 public:
  explicit TBusy(const std::function<void(bool)>& busy) : busy_(busy) {
    if (busy_) busy_(true);
  }
  ~TBusy() {
    if (busy_) busy_(false);
  }

 private:
  const std::function<void(bool)>& busy_;
};

}  // namespace

TMemoSearch::TMemoSearch(TCustomMemoSource& store, TSearchOptions& options,
                         platform::IDialogs* dialogs)
    : store_(store), options_(options), dialogs_(dialogs) {}

std::string TMemoSearch::NotFoundMessage(const std::string& text) {
  return "Search string '" + DoubleAmpersands(text) + "' not found";
}

std::string TMemoSearch::PromptMessage(const std::string& text) {
  return "Replace this occurence of '" + DoubleAmpersands(text) + "'?";
}

platform::IDialogs& TMemoSearch::Dialogs() const {
  return dialogs_ ? *dialogs_ : *store_.Services().Dialogs;
}

bool TMemoSearch::Offer(const std::string& message) {
  bool handled = false;
  if (OnSearchException) OnSearchException(store_, message, handled);
  return handled;
}

void TMemoSearch::RaiseUnlessHandled(const std::string& message) {
  if (!Offer(message)) throw EVrelError(message);
}

// ---- Commands ----

// The word's columns are cut from the line as the bytes of its whole characters, and the text
// to find is kept as UTF-8 whatever the document's encoding.
void TMemoSearch::FillOptions() {
  if (store_.Options().Contains(soFindTextAtCursor)) {
    auto [from, to] = store_.GetWordBounds(store_.CaretX(), store_.CaretY(), wsWordOnly);
    if (from > 0) {
      const std::string line = store_.Line(store_.CaretY());
      const int first = ByteOfColumn(line, from - 1, store_.Cells());
      const int end =
          std::min(ByteOfColumn(line, to, store_.Cells()), static_cast<int>(line.size()));
      if (first < end)
        options_.SetTextToFind(
            ToUtf8(std::string_view(line).substr(first, end - first), store_.IsUtf8()));
    }
  }
  options_.SetScope(store_.HasSelection() && CaretInSelection(store_) ? ssSelectedText : ssGlobal);
}

void TMemoSearch::FindDialog() {
  FillOptions();
  if (!searchDialogs_) return;
  TSearchOptions copy = options_;
  if (!searchDialogs_->ExecuteFind(store_, copy)) return;
  options_ = copy;
  StartSearch();
}

void TMemoSearch::ReplaceDialog() {
  FillOptions();
  if (!searchDialogs_) return;
  TSearchOptions copy = options_;
  if (searchDialogs_->ExecuteReplace(store_, copy) == ISearchDialogs::drCancel) return;
  options_ = copy;
  StartReplace();
}

void TMemoSearch::SearchAgain() {
  options_.SetShowNotFound(true);
  if (!store_.HasSelection()) options_.SetScope(ssGlobal);
  if (options_.FirstSearch()) return;
  if (options_.InReplace())
    ReplaceNext();
  else
    FindNext();
}

void TMemoSearch::StartSearch() {
  options_.SetFirstSearch(true);
  options_.SetInReplace(false);
  options_.SetShowNotFound(true);
  FindNext();
}

void TMemoSearch::StartReplace() {
  options_.SetFirstSearch(true);
  options_.SetInReplace(true);
  options_.SetShowNotFound(true);
  ReplaceNext();
}

// ---- Finding ----

bool TMemoSearch::IsWordDelimiter(unsigned char c) const {
  return store_.IsDelimiter(c) && !(store_.IsUtf8() && c >= 0x80);
}

// The options' text is UTF-8; the searcher gets it in the document's encoding.
TLineSearch& TMemoSearch::Searcher() {
  std::string key = options_.TextToFind() + '\0' + char('0' + options_.CaseSensitive()) +
                    char('0' + options_.WholeWordsOnly()) + char('0' + options_.RegularExpr()) +
                    char('0' + store_.IsUtf8()) + store_.Delimeters();
  if (!searcher_ || key != searcherKey_) {
    std::bitset<256> delimiters;
    for (int c = 0; c < 256; ++c) delimiters[c] = IsWordDelimiter(static_cast<unsigned char>(c));
    searcher_.reset();
    searcher_ = std::make_unique<TLineSearch>(
        SearchTextInEncoding(options_.TextToFind(), store_.Encoding()), options_.CaseSensitive(),
        options_.WholeWordsOnly(), options_.RegularExpr(), delimiters, store_.Encoding());
    searcherKey_ = std::move(key);
  }
  return *searcher_;
}

bool TMemoSearch::FindNext() {
  TSearchOptions& o = options_;
  const bool inSelection = o.Scope() == ssSelectedText;
  if (inSelection && SelectionEmpty(store_)) {
    if (o.FirstSearch()) RaiseUnlessHandled(kInvalidBlock);
    return false;
  }
  if (o.WholeWordsOnly() && !o.RegularExpr()) {
    const std::string text = SearchTextInEncoding(o.TextToFind(), store_.Encoding());
    // A NUL stands for a character the document cannot hold, not for a control character.
    if (std::any_of(text.begin(), text.end(), [&](char c) {
          return c != '\0' && IsWordDelimiter(static_cast<unsigned char>(c));
        }))
      o.SetWholeWordsOnly(false);
  }
  if (inSelection && o.FirstSearch() && o.Origin() == soFromCursor && !CaretInSelection(store_)) {
    RaiseUnlessHandled(kCursorOutsideBlock);
    return false;
  }

  TMatch match;
  bool found;
  try {
    TBusy busy(OnBusy);
    found = SearchLines(inSelection, match);
  } catch (const EVrelError& e) {
    // A bad pattern, or one that needs too much work: shown, and no "not found" follows.
    if (!Offer(e.what())) Dialogs().MessageBox(platform::mkInformation, e.what(), platform::mbOK);
    return false;
  }
  if (!found) {
    if (o.ShowNotFound()) {
      const std::string message = NotFoundMessage(o.TextToFind());
      if (!Offer(message)) Dialogs().MessageBox(platform::mkInformation, message, platform::mbOK);
    }
    return false;
  }

  lastMatch_ = match;
  const bool forward = o.Direction() == sdForward;
  // A search inside the selection keeps it for the next find-next (held until the update ends).
  std::optional<TKeepSelectionHold> keep;
  if (inSelection) keep.emplace(store_);
  TUpdateGuard update(store_, urSearch);
  if (forward) {
    store_.SetCaretPos(match.X1, match.Y);
    if (lastMatchEmptyAtStart_) StepPastEmptyMatch(match);
  } else {
    store_.SetCaretPos(match.X0, match.Y);
  }
  if (store_.Options().Contains(soSelectFoundText) && !inSelection)
    store_.SetSelection(stStream, match.X0, match.Y, match.X1, match.Y);
  store_.SetMatchRect({match.X0, match.Y, match.X1, match.Y});
  return true;
}

// One character on: past all the columns of a wide one.
void TMemoSearch::StepPastEmptyMatch(const TMatch& match) {
  if (match.X1 < store_.LineLength(match.Y)) {
    const std::string line = store_.Line(match.Y);
    const TCellLayout cells = store_.Cells();
    size_t i = static_cast<size_t>(VisualToRaw(line, match.X1, cells));
    const int column = RawToVisual(line, static_cast<int>(i), cells);
    store_.SetCaretPos(i < line.size() ? cells.Step(line, i, column) : match.X1 + 1, match.Y);
  } else if (match.Y + 1 < store_.LineCount()) {
    store_.SetCaretPos(0, match.Y + 1);
  }
}

// Searches from the caret (or from the scope's start on a command's first search over the
// whole scope); the match comes back in document columns. The searcher works in bytes of the
// lines' expanded text: the caret's column becomes the byte of the character at it, and a hit's
// bytes become the columns of the characters it covers.
bool TMemoSearch::SearchLines(bool inSelection, TMatch& match) {
  TDocumentLines document(store_);
  TSelectionLines selection(store_);
  ISearchLines& lines = inSelection ? static_cast<ISearchLines&>(selection) : document;
  auto offset = [&](int i) { return inSelection ? selection.Offset(i) : 0; };
  const int top = inSelection ? selection.Top() : 0;
  const int count = lines.Count();
  const bool forward = options_.Direction() == sdForward;
  lastMatchEmptyAtStart_ = false;

  const TCellLayout cells = store_.Cells();
  int line = store_.CaretY() - top;
  int column = 0;
  if (line >= 0 && line < count) {
    const std::string text = store_.Line(store_.CaretY());
    column = ByteOfColumn(text, store_.CaretX(), cells) - offset(line) + (forward ? 1 : 0);
  } else if (forward) {
    if (line >= count) return false;
    line = 0;
    column = 1;
  } else {
    if (line < 0) return false;
    line = count - 1;
    column = kMaxVirtualColumn;
  }
  const bool first = options_.FirstSearch();
  if (first && options_.Origin() == soEntireScope) {
    line = forward ? 0 : count - 1;
    column = forward ? 1 : kMaxVirtualColumn;
  }
  if (count > 0) options_.SetFirstSearch(false);
  TLineSearch& searcher = Searcher();
  // Find-next for a line start or end starts one column on, so that it moves to the next one;
  // a command's first search takes the one where it starts.
  if (!first && searcher.IsPattern() && IsLinePattern(options_.TextToFind()))
    column += forward ? 1 : -1;
  if (forward) column = std::max(column, 1);

  TSearchHit hit;
  if (!searcher.Run(lines, line, column, forward, hit)) return false;
  match.Y = top + hit.Line;
  const std::string text = store_.Line(match.Y);
  const int start = offset(hit.Line) + hit.Column;
  match.X0 = RawToVisual(text, start, cells);
  match.X1 = RawToVisual(text, start + hit.Length, cells);
  lastMatchEmptyAtStart_ = forward && searcher.IsPattern() && hit.Length == 0 && hit.Line == line &&
                           hit.Column == column - 1;
  return true;
}

// ---- Replacing ----

bool TMemoSearch::ReplaceNext() {
  if (store_.ReadOnly()) return false;
  if (options_.ReplaceAll()) {
    ReplaceAllLoop();
    return false;
  }
  const bool more = ReplaceOnce();
  options_.SetShowNotFound(false);
  if (more && options_.ReplaceAll()) {
    ReplaceAllLoop();
    return false;
  }
  return more;
}

void TMemoSearch::ReplaceAllLoop() {
  TBusy busy(OnBusy);
  // Without prompts the whole run is one update, so it is undone in one step.
  std::optional<TUpdateGuard> update;
  if (!options_.PromptOnReplace()) update.emplace(store_, urReplace);
  while (ReplaceOnce()) options_.SetShowNotFound(false);
  options_.SetShowNotFound(false);
  if (!options_.PromptOnReplace()) store_.SetMatchRect({0, 0, -1, -1});
}

bool TMemoSearch::ReplaceOnce() {
  if (store_.CaretLineReadOnly()) return false;
  if (!FindNext()) return false;
  const TMatch m = lastMatch_;
  const bool emptyAtStart = lastMatchEmptyAtStart_;
  if (store_.IsReadOnlyLine(m.Y)) return false;
  if (options_.PromptOnReplace()) {
    switch (Dialogs().MessageBox(platform::mkConfirmation, PromptMessage(options_.TextToFind()),
                                 platform::mbYesNoCancelAll)) {
      case platform::mrNo:
        return true;
      case platform::mrAll:
        options_.SetPromptOnReplace(false);
        options_.SetReplaceAll(true);
        break;
      case platform::mrYes:
        break;
      default:
        return false;
    }
  }
  const bool forward = options_.Direction() == sdForward;
  TUpdateGuard update(store_, urReplace);
  // The replacement goes where the match is, also when the caret stepped past an empty match.
  store_.SetCaretPos(m.X0, m.Y);
  if (forward && store_.SyntaxParser() && store_.SyntaxParser()->HasAttributes()) {
    // The colours stand byte for byte with the expanded line.
    const std::string colors = store_.GetExpandedColors(m.Y);
    const int at = VisualToRaw(store_.Line(m.Y), m.X0, store_.Cells());
    if (at < static_cast<int>(colors.size()))
      store_.SetTypingStyle(static_cast<unsigned char>(colors[at]));
  }
  store_.DeleteChars(m.X1 - m.X0);
  const int before = store_.LineLength(m.Y);
  store_.InsertText(FromUtf8(options_.ReplaceWith(), store_.IsUtf8()));
  const int inserted = store_.LineLength(m.Y) - before;
  if (forward) {
    store_.SetCaretPos(m.X0 + inserted, m.Y);
    if (emptyAtStart || m.X0 == m.X1) StepPastEmptyMatch({m.Y, m.X0 + inserted, m.X0 + inserted});
  } else {
    store_.SetCaretPos(m.X0, m.Y);
  }
  ++replaced_;
  return true;
}

}  // namespace quorel
