// The view's completion hints: the hint timer started by typing, the request to the application,
// the tool-tip hint at the caret, and putting a chosen entry in place of what was typed. Also the
// address, template and collapse events the view raises.
#include <QScreen>
#include <algorithm>

#include "engine/strings.h"
#include "engine/stylenumbers.h"
#include "engine/updateguard.h"
#include "engine/utf8.h"
#include "platform/processes.h"
#include "platform/qt/cp1252.h"
#include "platform/services.h"
#include "view/vrelmemo.h"

namespace quorel {

namespace {

std::string Trim(std::string s) {
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.pop_back();
  size_t first = 0;
  while (first < s.size() && static_cast<unsigned char>(s[first]) <= ' ') ++first;
  return s.substr(first);
}

}  // namespace

void TCustomVrelMemo::CloseHint() {
  hintTimer_.stop();
  if (hint_.AutoHide) hint_.Hide();
}

void TCustomVrelMemo::ShowHintPopup() {
  CloseHint();
  if (!OnHintPopup || store_->CaretPos() != HintStartPos) return;
  HintStrings.Clear();
  bool allow = false;
  TPopupType type = ptHint;
  OnHintPopup(*this, HintStrings, allow, type);
  if (!allow || HintStrings.Count() == 0) return;
  if (type == ptList) {
    ShowPopupList(HintStrings);
    return;
  }
  QPoint at = CaretToClient() + QPoint(0, lineHeight_);
  hint_.Show(HintStrings[0], viewport()->mapToGlobal(at));
}

void TCustomVrelMemo::ShowPopupList(const TStrings& strings) {
  HintStartPos = store_->CaretPos();
  ClosePopupList();
  if (&strings != &HintStrings) HintStrings.Assign(strings);
  templateList_ = false;
  std::vector<std::string> entries;
  for (int i = 0; i < HintStrings.Count(); ++i) entries.push_back(HintStrings[i]);
  OpenPickList(std::move(entries), CaretToClient() + QPoint(0, lineHeight_),
               [this](int index) { PopupItemChosen(index); });
}

void TCustomVrelMemo::OpenPickList(std::vector<std::string> entries, QPoint at,
                                   std::function<void(int)> chosen) {
  QFont font = TemplateFont.Name.empty() ? QFont("MS Sans Serif", 8) : QFontFor(TemplateFont);
  popupList_ = std::make_unique<TVrelPopupListBox>(font, std::move(entries), std::move(chosen));
  popupList_->Select(popupList_->Count() > 0 ? 0 : -1);
  QRect screenArea = screen() ? screen()->geometry() : QRect(0, 0, 1 << 16, 1 << 16);
  popupList_->ShowAt(viewport()->mapToGlobal(at), screenArea);
}

bool TCustomVrelMemo::PopupListOpen() const { return popupList_ && popupList_->IsOpen(); }

void TCustomVrelMemo::ClosePopupList() {
  if (PopupListOpen()) popupList_->Close(false);
}

bool TCustomVrelMemo::PickListKey(QKeyEvent* event) {
  TVrelPopupListBox& list = *popupList_;
  const int key = event->key();
  const bool modifiers =
      event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  if (enter || key == Qt::Key_Escape) {
    if (!modifiers) list.Close(enter);
    return true;
  }
  if (list.MoveByKey(key)) return true;
  if (templateList_) {
    // The template list keeps the keyboard: a typed character picks the next entry with it.
    QString typed = event->text();
    if (!typed.isEmpty() && typed[0].isPrint()) {
      int count = list.Count();
      for (int k = 1; k <= count; ++k) {
        int i = (std::max(list.Selected(), 0) + k) % count;
        if (QString::fromStdString(list.Entry(i)).startsWith(typed, Qt::CaseInsensitive)) {
          list.Select(i);
          break;
        }
      }
    }
    return true;
  }
  // Space and "." choose and are then typed; Left and Right give up and then move.
  if (key == Qt::Key_Space || event->text() == ".") {
    list.Close(true);
    return false;
  }
  if (key == Qt::Key_Left || key == Qt::Key_Right) {
    list.Close(false);
    return false;
  }
  return false;
}

void TCustomVrelMemo::AfterPickListKey(bool typed) {
  if (!PopupListOpen() || templateList_) return;
  TPoint caret = store_->CaretPos();
  if (caret.Y != HintStartPos.Y || caret.X < HintStartPos.X) {
    popupList_->Close(false);
    return;
  }
  if (!typed) return;
  // What was typed since the list opened picks the entry.
  std::string line = store_->Line(caret.Y);
  const TCellLayout cells = store_->Cells();
  size_t from = std::min<size_t>(VisualToRaw(line, HintStartPos.X, cells), line.size());
  size_t to = std::min<size_t>(VisualToRaw(line, caret.X, cells), line.size());
  std::string word = line.substr(from, to > from ? to - from : 0);
  word = ToUtf8(word, store_->IsUtf8());
  int index = -1;
  if (!DoFindStringInPopup(HintStrings, word, index)) index = popupList_->FindPrefix(word);
  popupList_->Select(index);
}

void TCustomVrelMemo::PopupItemChosen(int index) {
  if (index >= 0 && index < HintStrings.Count()) InsertHint(HintStrings[index]);
}

void TCustomVrelMemo::InsertHint(std::string s) {
  if (OnHintInsert) OnHintInsert(*this, s);
  TCustomMemoSource& store = *store_;
  // The typing reason: with grouped undo the choice undoes together with the typing before it.
  TUpdateGuard update(store, urInsertText);
  TPoint caret = store.CaretPos();
  store.SetCaretPos(HintStartPos.X, HintStartPos.Y);
  if (caret.Y == HintStartPos.Y && caret.X > HintStartPos.X)
    store.DeleteChars(caret.X - HintStartPos.X);
  store.InsertTextKeepSelection(s);
  store.SetSelectionType(stNone);
}

bool TCustomVrelMemo::DoFindStringInPopup(const TStrings& strings, const std::string& typed,
                                          int& index) {
  bool handled = false;
  if (OnFindStringInPopup) OnFindStringInPopup(*this, strings, typed, index, handled);
  return handled;
}

// ---- Code templates ----

void TCustomVrelMemo::SelectTemplateWord() {
  TCustomMemoSource& s = *store_;
  s.SetSelectionType(stNone);
  if (!s.Options().Contains(soPersistentBlocks)) {
    std::string line = s.CellLine(s.CaretY());
    const int x = s.CaretX(), length = static_cast<int>(line.size());
    auto word = [&](int i) {
      return i >= 0 && i < length && !s.IsDelimiter(static_cast<unsigned char>(line[i]));
    };
    if (word(x - 1) && word(x)) return;  // inside a word
    int before = x >= length ? length - 1 : x - 1;
    int first = 0;
    while (first < length && !word(first)) ++first;
    if (!word(before) && x != first) return;
  }
  TUpdateGuard update(s, urCaretMove);
  TPoint caret = s.CaretPos();
  s.SelectWord(wsWordOnly);
  s.SetCaretPos(caret.X, caret.Y);
}

void TCustomVrelMemo::ShowTemplatePopup() {
  TCustomMemoSource& s = *store_;
  if (s.TemplatesType() == "None") return;
  ClosePopupList();
  QPoint at = CaretToClient();
  SelectTemplateWord();
  std::string token;
  if (s.HasSelection()) {
    TRect r = s.TextSelectionRect();
    if (r.Top == r.Bottom) token = Trim(s.SelectedText());
  }
  const TMemoCodeTemplates& templates = s.CodeTemplates();
  auto begins = [&](const std::string& name) {
    return QString::fromStdString(name).startsWith(QString::fromStdString(token),
                                                   Qt::CaseInsensitive);
  };
  std::vector<int> offered;
  if (!token.empty()) {
    auto first = std::find_if(templates.begin(), templates.end(),
                              [&](const TMemoCodeTemplate& t) { return begins(t.Name); });
    if (first != templates.end() &&
        QString::fromStdString(first->Name)
                .compare(QString::fromStdString(token), Qt::CaseInsensitive) == 0) {
      InsertTemplate(static_cast<int>(first - templates.begin()));
      return;
    }
    if (first != templates.end())
      for (size_t i = 0; i < templates.size(); ++i)
        if (begins(templates[i].Name)) offered.push_back(static_cast<int>(i));
  }
  if (offered.empty())
    for (size_t i = 0; i < templates.size(); ++i) offered.push_back(static_cast<int>(i));
  if (offered.empty()) return;
  std::vector<std::string> entries;
  for (int i : offered) {
    const TMemoCodeTemplate& t = templates[static_cast<size_t>(i)];
    entries.push_back(t.Description + "|~" + t.Name + "~");
  }
  templateList_ = true;
  templateIndexes_ = offered;
  OpenPickList(std::move(entries), at + QPoint(0, lineHeight_), [this](int index) {
    InsertTemplate(index >= 0 && index < static_cast<int>(templateIndexes_.size())
                       ? templateIndexes_[static_cast<size_t>(index)]
                       : -1);
  });
}

void TCustomVrelMemo::InsertTemplate(int index) {
  TCustomMemoSource& s = *store_;
  const TMemoCodeTemplates& templates = s.CodeTemplates();
  if (index < 0 || index >= static_cast<int>(templates.size())) {
    s.SetSelectionType(stNone);
    return;
  }
  TUpdateGuard update(s, urInsertTemplate);
  s.DeleteSelection();
  TStringList lines(SplitLines(templates[static_cast<size_t>(index)].Code));
  DoTemplateInsert(lines);
  std::vector<std::string> code = lines.Lines();
  const TPoint caret = s.CaretPos();
  for (size_t i = 1; i < code.size(); ++i) code[i].insert(0, static_cast<size_t>(caret.X), ' ');
  // The first "|" marks where the caret goes; it is not inserted.
  TPoint target = caret;
  for (size_t i = 0; i < code.size(); ++i) {
    size_t bar = code[i].find('|');
    if (bar == std::string::npos) continue;
    int column = RawToVisual(code[i], static_cast<int>(bar), s.Cells());
    code[i].erase(bar, 1);
    target =
        i == 0 ? TPoint{caret.X + column, caret.Y} : TPoint{column, caret.Y + static_cast<int>(i)};
    break;
  }
  s.InsertStringList(code, nullptr, false);
  s.SetSelectionType(stNone);
  s.SetCaretPos(target.X, target.Y);
}

// ---- Addresses ----

bool TCustomVrelMemo::UrlAt(TPoint pos, std::string& url) const {
  const TStringItem* line = store_->LineRecord(pos.Y);
  if (!line) return false;
  const TLineColors& colors = line->Colors;
  size_t at = static_cast<size_t>(VisualToRaw(line->Text, pos.X, store_->Cells()));
  if (at >= colors.size() || at >= line->Text.size() || colors[at] != tsUrl) return false;
  size_t from = at, to = at + 1;
  while (from > 0 && colors[from - 1] == tsUrl) --from;
  while (to < colors.size() && to < line->Text.size() && colors[to] == tsUrl) ++to;
  url = line->Text.substr(from, to - from);
  return true;
}

bool TCustomVrelMemo::IsOverUrl(QPoint client) const {
  if (!store_->HighlightUrls()) return false;
  std::string url;
  return UrlAt(TextPosFromPoint(client), url);
}

void TCustomVrelMemo::UpdateUrlCursor(QPoint client) {
  bool over = IsOverUrl(client);
  if (over && !handShown_) {
    cursorBeforeHand_ = viewport()->cursor();
    viewport()->setCursor(Qt::PointingHandCursor);
    handShown_ = true;
  } else if (!over && handShown_) {
    viewport()->setCursor(cursorBeforeHand_);
    handShown_ = false;
  }
}

void TCustomVrelMemo::DoTemplateInsert(TStrings& code) {
  if (OnTemplateInsert) OnTemplateInsert(*this, code);
}

void TCustomVrelMemo::JumpToUrl(const std::string& url) {
  bool handled = false;
  if (OnJumpToUrl) OnJumpToUrl(*this, url, handled);
  if (handled) return;
  if (platform::IShell* shell = store_->Services().Shell) shell->Open(url);
}

bool TCustomVrelMemo::DoCollapseStateChanging(int line, bool collapsed) {
  bool handled = false;
  if (OnCollapseStateChanging) OnCollapseStateChanging(*this, line, collapsed, handled);
  return !handled;
}

void TCustomVrelMemo::DoCollapseStateChanged(int line, bool collapsed) {
  if (OnCollapseStateChanged) OnCollapseStateChanged(*this, line, collapsed);
}

}  // namespace quorel
