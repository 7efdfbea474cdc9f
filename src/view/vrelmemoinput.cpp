// The editing view's input: the mouse, the wheel, focus, the caret's blink, the default context
// menu, inserting text and the colour scheme dialogs. Keys go through the key map
// (vrelmemokeys.cpp).
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollBar>
#include <QWheelEvent>
#include <tuple>

#include "engine/updateguard.h"
#include "engine/urls.h"
#include "platform/clipboard.h"
#include "platform/dialogs.h"
#include "platform/filesystem.h"
#include "platform/safewrite.h"
#include "platform/services.h"
#include "syntax/textstylefile.h"
#include "view/vrelmemo.h"

namespace quorel {

namespace {

constexpr int kCaretBlinkMs = 500;
constexpr int kAutoScrollMs = 30;

}  // namespace

void TCustomVrelMemo::InsertText(const std::string& text) {
  TUpdateGuard update(*store_, urReplaceSelection);
  store_->DeleteSelection();
  store_->InsertTextKeepSelection(text);
  store_->SetSelectionType(stNone);
}

namespace {

platform::TFileDialog ColourSchemeDialog(const char* title) {
  platform::TFileDialog dialog;
  dialog.Title = title;
  dialog.Filters = {{"Color scheme (*.rgb)", "*.RGB"}};
  dialog.DefaultExt = ".RGB";
  return dialog;
}

}  // namespace

bool TCustomVrelMemo::LoadTextStyles() {
  const platform::TServices& services = store_->Services();
  platform::TFileDialog dialog = ColourSchemeDialog("Load color styles");
  if (!services.Dialogs->OpenFileDialog(dialog)) return false;
  try {
    // A style file is small; reading stops early on anything much bigger.
    TextStyles = TextStylesFromText(services.Files->ReadWholeFile(dialog.FileName, 1u << 20));
  } catch (const std::exception& e) {
    services.Dialogs->MessageBox(platform::mkError, e.what(), platform::mbOK);
    return false;
  }
  UpdateMetrics();
  viewport()->update();
  return true;
}

bool TCustomVrelMemo::SaveTextStyles() {
  const platform::TServices& services = store_->Services();
  platform::TFileDialog dialog = ColourSchemeDialog("Save color styles");
  if (!services.Dialogs->SaveFileDialog(dialog)) return false;
  try {
    platform::SafeWriteFile(*services.Files, dialog.FileName, TextStylesToText(TextStyles));
  } catch (const std::exception& e) {
    services.Dialogs->MessageBox(platform::mkError, e.what(), platform::mbOK);
    return false;
  }
  return true;
}

void TCustomVrelMemo::DropSelection(bool move) {
  TCustomMemoSource& s = *store_;
  if (!s.HasSelection()) return;
  if (s.IsInSelection(s.CaretX(), s.CaretY())) {
    s.SetSelectionType(stNone);
    return;
  }
  if (!DropRichText(move)) move ? s.MoveBlock() : s.CopyBlock();
}

// Extends the selection from where the mouse went down to `pos`.
void TCustomVrelMemo::ExtendTo(TPoint pos, bool block) {
  TCustomMemoSource& s = *store_;
  TUpdateGuard update(s, urMouseSelect);
  s.SetCaretPos(pos.X, pos.Y);
  TPoint a = mouseAnchor_, b = s.CaretPos();
  if (block)
    s.SetSelection(stBlock, std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X),
                   std::max(a.Y, b.Y));
  else if (std::tie(b.Y, b.X) < std::tie(a.Y, a.X))
    s.SetSelection(stStream, b.X, b.Y, a.X, a.Y);
  else
    s.SetSelection(stStream, a.X, a.Y, b.X, b.Y);
}

// ---- Mouse ----

void TCustomVrelMemo::mousePressEvent(QMouseEvent* event) {
  // Whether the press is on an address: a left release then opens the one under the pointer.
  urlPressed_ = IsOverUrl(event->position().toPoint());
  CloseHint();
  bool hadFocus = hasFocus();
  setFocus(Qt::MouseFocusReason);
  TCustomMemoSource& s = *store_;
  if (event->button() == Qt::RightButton && mouse_ != TMouse::None) {
    // The right button cancels a selection or a drag in progress.
    mouse_ = TMouse::None;
    scrollTimer_.stop();
    return;
  }
  QPoint point = event->position().toPoint();
  bool gutter = options_.Contains(moDrawGutter) && point.x() < gutterWidth_;
  if (gutter) {
    // The click is reported when the button comes up inside the gutter again.
    gutterPressed_ = true;
    return;
  }
  if (event->button() == Qt::RightButton && options_.Contains(moDisableRightClickMove)) return;
  if (!hadFocus) s.SetSelectionType(stNone);
  TPoint pos = TextPosFromPoint(point);
  // A third press soon after a double click selects the line.
  bool triple = options_.Contains(moTripleClick) && !options_.Contains(moDblClickLine) &&
                static_cast<qint64>(event->timestamp()) - lastDoubleClick_ <
                    QApplication::doubleClickInterval();
  if (event->button() == Qt::LeftButton && triple) {
    s.SetCaretPos(pos.X, pos.Y);
    s.SelectLine();
    return;
  }
  bool onText = !s.Options().Contains(soLimitEOL) || pos.X < s.LineLength(pos.Y);
  bool drag = event->button() == Qt::LeftButton && s.IsInSelection(pos.X, pos.Y) && onText &&
              !options_.Contains(moDisableDrag) && !s.ReadOnly() &&
              !event->modifiers().testFlag(Qt::ShiftModifier);
  if (drag) {
    mouse_ = TMouse::MaybeDragging;
    lastMouse_ = point;
    return;
  }
  if (event->button() == Qt::LeftButton && event->modifiers().testFlag(Qt::ShiftModifier)) {
    mouseAnchor_ = s.HasSelection() && s.CaretPos() == s.SelEnd() ? s.SelStart() : s.CaretPos();
    ExtendTo(pos, event->modifiers().testFlag(Qt::AltModifier));
  } else {
    TUpdateGuard update(s, urMouseSelect);
    s.SetSelectionType(stNone);
    s.SetCaretPos(pos.X, pos.Y);
    mouseAnchor_ = s.CaretPos();
  }
  if (event->button() == Qt::LeftButton) {
    mouse_ = TMouse::Selecting;
    blockSelecting_ = event->modifiers().testFlag(Qt::AltModifier);
    lastMouse_ = point;
    scrollTimer_.start(kAutoScrollMs, this);
  }
}

void TCustomVrelMemo::mouseMoveEvent(QMouseEvent* event) {
  QPoint point = event->position().toPoint();
  if (mouse_ == TMouse::None && store_->HighlightUrls()) UpdateUrlCursor(point);
  if (mouse_ == TMouse::MaybeDragging &&
      (point - lastMouse_).manhattanLength() >= QApplication::startDragDistance())
    mouse_ = TMouse::Dragging;
  if (mouse_ == TMouse::Dragging) {
    // The caret follows the mouse; the selection stays as it is.
    TKeepSelectionHold hold(*store_);
    TPoint pos = TextPosFromPoint(point);
    store_->SetCaretPos(pos.X, pos.Y);
    viewport()->setCursor(store_->IsInSelection(pos.X, pos.Y) ? Qt::ForbiddenCursor
                                                              : Qt::DragMoveCursor);
    return;
  }
  if (mouse_ != TMouse::Selecting) return;
  lastMouse_ = point;
  blockSelecting_ = event->modifiers().testFlag(Qt::AltModifier);
  if (wordSelecting_) {
    // The selection runs from the double-clicked word to the whole word under the mouse.
    TPoint pos = TextPosFromPoint(point);
    auto [from, to] = store_->GetWordBounds(pos.X, pos.Y, WordSelectionType);
    TCustomMemoSource& s = *store_;
    TUpdateGuard update(s, urMouseSelect);
    if (std::tie(pos.Y, pos.X) < std::tie(wordAnchorStart_.Y, wordAnchorStart_.X)) {
      TPoint start{from > 0 ? from - 1 : pos.X, pos.Y};
      s.SetCaretPos(start.X, start.Y);
      s.SetSelection(stStream, start.X, start.Y, wordAnchorEnd_.X, wordAnchorEnd_.Y);
    } else {
      TPoint end{from > 0 ? to : pos.X, pos.Y};
      s.SetCaretPos(end.X, end.Y);
      s.SetSelection(stStream, wordAnchorStart_.X, wordAnchorStart_.Y, end.X, end.Y);
    }
    return;
  }
  ExtendTo(TextPosFromPoint(lastMouse_), blockSelecting_);
}

void TCustomVrelMemo::mouseReleaseEvent(QMouseEvent* event) {
  EndMouseAction(event);
  bool pressed = urlPressed_;
  urlPressed_ = false;
  if (!pressed || event->button() != Qt::LeftButton || !store_->HighlightUrls()) return;
  std::string url;
  if (!UrlAt(TextPosFromPoint(event->position().toPoint()), url)) return;
  // A bare mail address is opened as one.
  if (IsMailAddress(url) && QString::fromStdString(url).toUpper().indexOf("MAILTO:") < 0)
    url = "mailto:" + url;
  JumpToUrl(url);
}

void TCustomVrelMemo::EndMouseAction(QMouseEvent* event) {
  TCustomMemoSource& s = *store_;
  if (mouse_ != TMouse::None) CloseHint();
  if (gutterPressed_) {
    gutterPressed_ = false;
    QPoint point = event->position().toPoint();
    if (OnClickGutter && point.x() >= 0 && point.x() < gutterWidth_) {
      int line = TextPosFromPoint(point).Y;
      OnClickGutter(*this, line, GutterImageAt(line, point.x()), event->modifiers(),
                    event->button());
    }
    return;
  }
  if (mouse_ == TMouse::MaybeDragging) {
    // Pressed inside the selection and let go without moving: the caret goes there.
    mouse_ = TMouse::None;
    TPoint pos = TextPosFromPoint(event->position().toPoint());
    TUpdateGuard update(s, urMouseSelectEnd);
    s.SetSelectionType(stNone);
    s.SetCaretPos(pos.X, pos.Y);
    return;
  }
  if (mouse_ == TMouse::Dragging) {
    mouse_ = TMouse::None;
    viewport()->setCursor(Qt::IBeamCursor);
    DropSelection(!event->modifiers().testFlag(Qt::ControlModifier));
    return;
  }
  if (mouse_ != TMouse::Selecting) return;
  mouse_ = TMouse::None;
  wordSelecting_ = false;
  scrollTimer_.stop();
  TUpdateGuard update(s, urMouseSelectEnd);
  // A selection the caret no longer stands at an end (or corner) of is dropped.
  TRect r = s.SelectionRect();
  TPoint c = s.CaretPos();
  bool atEnd = s.SelectionType() == stBlock
                   ? (c.X == r.Left || c.X == r.Right) && (c.Y == r.Top || c.Y == r.Bottom)
                   : c == s.SelStart() || c == s.SelEnd();
  if (s.HasSelection() && !atEnd) s.SetSelectionType(stNone);
}

void TCustomVrelMemo::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  lastDoubleClick_ = static_cast<qint64>(event->timestamp());
  mouse_ = TMouse::None;
  scrollTimer_.stop();
  TPoint pos = TextPosFromPoint(event->position().toPoint());
  store_->SetCaretPos(pos.X, pos.Y);
  if (options_.Contains(moDblClickLine)) {
    store_->SelectLine();
    return;
  }
  store_->SelectWord(WordSelectionType);
  if (store_->HasSelection()) {
    // Dragging on from here grows the selection by whole words.
    wordSelecting_ = true;
    wordAnchorStart_ = store_->SelStart();
    wordAnchorEnd_ = store_->SelEnd();
    mouse_ = TMouse::Selecting;
    scrollTimer_.start(kAutoScrollMs, this);
  }
}

void TCustomVrelMemo::wheelEvent(QWheelEvent* event) {
  int lines = std::max(QApplication::wheelScrollLines(), 1);
  static int remainder = 0;
  remainder += event->angleDelta().y();
  int notches = remainder / 120;
  remainder -= notches * 120;
  if (notches) ScrollBy(-notches * lines);
  event->accept();
}

void TCustomVrelMemo::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  store_->SetActiveView(Hooks());
  caretShown_ = true;
  caretTimer_.start(kCaretBlinkMs, this);
  viewport()->update();
}

void TCustomVrelMemo::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  caretTimer_.stop();
  viewport()->update();
}

void TCustomVrelMemo::timerEvent(QTimerEvent* event) {
  if (event->timerId() == caretTimer_.timerId()) {
    caretShown_ = !caretShown_;
    QPoint p = CaretToClient();
    viewport()->update(QRect(p.x(), p.y(), std::max(charWidth_, 2), lineHeight_));
    return;
  }
  if (event->timerId() == hintTimer_.timerId()) {
    ShowHintPopup();
    return;
  }
  if (event->timerId() == scrollTimer_.timerId() && mouse_ == TMouse::Selecting) {
    // Past an edge while selecting: scroll and follow.
    QRect area = viewport()->rect();
    if (lastMouse_.y() < 0)
      ScrollBy(-1);
    else if (lastMouse_.y() >= area.height())
      ScrollBy(1);
    if (lastMouse_.x() > area.width())
      SetLeftCol(leftCol_ + 1);
    else if (lastMouse_.x() < TextLeft() && leftCol_ > 0)
      SetLeftCol(leftCol_ - 1);
    if (!area.contains(lastMouse_) && !wordSelecting_)
      ExtendTo(TextPosFromPoint(lastMouse_), blockSelecting_);
    return;
  }
  QAbstractScrollArea::timerEvent(event);
}

void TCustomVrelMemo::contextMenuEvent(QContextMenuEvent* event) {
  if (!UseDefaultMenu) {
    QAbstractScrollArea::contextMenuEvent(event);
    return;
  }
  TCustomMemoSource& s = *store_;
  QMenu menu(this);
  QAction* undo = menu.addAction("&Undo", [&] { s.Undo(); });
  undo->setEnabled(s.CanUndo());
  menu.addSeparator();
  bool writable = !s.ReadOnly();
  menu.addAction("Cu&t", [&] { CutToClipboard(); })->setEnabled(s.HasSelection() && writable);
  menu.addAction("&Copy", [&] { CopyToClipboard(); })->setEnabled(s.HasSelection());
  menu.addAction("&Paste", [&] { PasteFromClipboard(); })->setEnabled(writable && s.CanPaste());
  menu.addAction("&Delete", [&] { s.DeleteSelection(); })->setEnabled(s.HasSelection() && writable);
  menu.addSeparator();
  menu.addAction("Se&lect All", [&] { s.SelectAll(); });
  menu.exec(event->globalPos());
}

}  // namespace quorel
