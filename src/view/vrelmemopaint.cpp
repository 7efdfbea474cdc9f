// The editing view's painting: rows of equal-style runs, selections, caret, gutter and margins,
// drawn only from the store's lines and style bytes.
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "engine/cellrow.h"
#include "engine/simpleparser.h"
#include "engine/stylenumbers.h"
#include "engine/utf8.h"
#include "platform/qt/cp1252.h"
#include "view/vrelmemo.h"

namespace quorel {

namespace {

// Runs are cut after this many characters, so no single text draw gets huge.
constexpr int kMaxRun = 512;

}  // namespace

TStyleLooks TCustomVrelMemo::Looks() const {
  return TStyleLooks(store_->SyntaxParser(), TextStyles, font_, Color,
                     options_.Contains(moColorSyntax), store_->HighlightUrls());
}

const TFont& TCustomVrelMemo::StyleFont(int style) const { return Looks().Font(style); }

qreal TCustomVrelMemo::Advance(int style, char32_t c) const {
  if (UseMonoFont) return charWidth_;
  const TFont& font = StyleFont(style);
  QString key = QString("%1|%2|%3")
                    .arg(QString::fromStdString(font.Name))
                    .arg(font.Height)
                    .arg(font.Style.Bits());
  auto it = advances_.find(key);
  if (it == advances_.end()) {
    QFontMetricsF metrics(BaseFont(font));
    std::vector<qreal> widths(256);
    for (int i = 0; i < 256; ++i)
      widths[static_cast<size_t>(i)] = metrics.horizontalAdvance(QChar(i));
    it = advances_.insert(key, widths);
  }
  if (c < 256) return (*it)[c];
  // Beyond Latin-1 the widths are measured as characters come and kept per font.
  QString wideKey = key + QString("|%1").arg(static_cast<uint>(c));
  auto known = wideAdvances_.find(wideKey);
  if (known == wideAdvances_.end())
    known = wideAdvances_.insert(
        wideKey, QFontMetricsF(BaseFont(font)).horizontalAdvance(QString::fromUcs4(&c, 1)));
  return *known;
}

QString TCustomVrelMemo::ShownString(std::string_view bytes) const {
  if (!store_->IsUtf8()) return platform::Cp1252ToQString(bytes);
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  for (size_t i = 0; i < bytes.size();) {
    char32_t cp;
    i += static_cast<size_t>(DecodeUtf8(bytes, i, cp));  // a stray byte shows as Windows-1252
    out.append(QString::fromUcs4(&cp, 1));
  }
  return out;
}

char32_t TCustomVrelMemo::CellChar(std::string_view text, const TCell& cell) const {
  if (cell.Length == 0 || cell.Byte >= text.size()) return U' ';
  if (!store_->IsUtf8()) return Cp1252ToUnicode(static_cast<unsigned char>(text[cell.Byte]));
  char32_t cp;
  DecodeUtf8(text, cell.Byte, cp);
  return cp;
}

std::vector<qreal> TCustomVrelMemo::Offsets(int y, int from, int to) const {
  std::vector<qreal> offsets(static_cast<size_t>(std::max(to - from, 0)) + 1, 0);
  if (UseMonoFont) {
    for (size_t i = 0; i < offsets.size(); ++i) offsets[i] = static_cast<qreal>(i) * charWidth_;
    return offsets;
  }
  std::string text = store_->Line(y);
  std::string colors = ColoursEnabled() ? store_->GetExpandedColors(y) : std::string();
  std::vector<TCell> cells = LayOutCells(text, store_->IsUtf8());
  qreal x = 0;
  for (int c = from; c < to; ++c) {
    offsets[static_cast<size_t>(c - from)] = x;
    if (c < static_cast<int>(cells.size())) {
      const TCell& cell = cells[static_cast<size_t>(c)];
      if (cell.Length == 0) continue;  // a wide character's width is all on its first cell
      int style = cell.Byte < colors.size() ? static_cast<unsigned char>(colors[cell.Byte]) : -1;
      x += Advance(style, CellChar(text, cell));
    } else {
      x += charWidth_;  // past the line's end every column is one cell
    }
  }
  offsets.back() = x;
  return offsets;
}

TCustomVrelMemo::TStyleLook TCustomVrelMemo::LookOf(const TStyleLooks& looks, int style,
                                                    bool selected) {
  const TFont* font = &looks.Font(style);
  TColor back = looks.Back(style);
  if (back == Color && store_->ReadOnly() && options_.Contains(moUseReadOnlyColor))
    back = ReadOnlyColor;
  TStyleLook look{UseMonoFont ? &QFontFor(*font) : &BaseFont(*font), ToQColor(font->Color),
                  ToQColor(back)};
  if (selected) {
    if (style <= 0 || options_.Contains(moDisableInvertedSel)) {
      look.Text = ToQColor(SelColor);
      look.Back = ToQColor(SelBackColor);
    } else {
      std::swap(look.Text, look.Back);
    }
  }
  if (!isEnabled()) look.Text = ToQColor(DisabledColor);
  if (BlackAndWhite) {
    look.Text = Qt::black;
    look.Back = ToQColor(Color);
  }
  return look;
}

void TCustomVrelMemo::PaintRow(QPainter& painter, const TScreenRow& row) {
  int y = row.Line, top = row.Top;
  if (y >= store_->LineCount()) return;
  // Only the part of the line on the screen is copied: a line may be megabytes long.
  int origin = row.Start + leftCol_;
  // A proportional font may fit more (narrower) characters into the window.
  int shown = (UseMonoFont ? 1 : 4) * VisibleColumns() + 1;
  const TStringItem* record = store_->LineRecord(y);
  TShownPart part =
      ShownPart(record->Text,
                ColoursEnabled() ? std::string_view(store_->GetLineColors(y)) : std::string_view(),
                store_->Cells(), origin, shown);
  std::string& text = part.Text;
  std::string& colors = part.Colors;
  const int offset = part.Column;  // column of text[0]
  if (options_.Contains(moDrawSpecialSymbols) && row.End == MaxInt && y < store_->LineCount() - 1 &&
      part.ReachesEnd)
    text += EOLString;
  if (OnCustomString) OnCustomString(*this, text, colors);
  const std::vector<TCell> cells = LayOutCells(text, store_->IsUtf8());
  auto [selFrom, selTo] = printing_ || (HideSelection && !hasFocus()) ? std::pair<int, int>{0, 0}
                                                                      : store_->SelectedColumns(y);
  int length = offset + static_cast<int>(cells.size());
  // Columns shown: from the row's start (scrolled by LeftCol) to its end or the window's edge.
  int firstCol = origin;
  int endCol = std::min<int64_t>({int64_t{length}, int64_t{row.End}, int64_t{origin} + shown});
  int left = TextLeft();
  std::vector<qreal> xs = Offsets(y, origin, std::max(endCol, origin));
  auto xOf = [&](int c) {
    return left + (c - origin < static_cast<int>(xs.size())
                       ? xs[static_cast<size_t>(c - origin)]
                       : xs.back() + (c - origin - static_cast<int>(xs.size()) + 1) * charWidth_);
  };
  const TStyleLooks looks = Looks();
  auto styleAt = [&](int c) {
    int i = c - offset;
    size_t byte = i >= 0 && i < static_cast<int>(cells.size()) ? cells[static_cast<size_t>(i)].Byte
                                                               : colors.size();
    int style = byte < colors.size() ? static_cast<unsigned char>(colors[byte]) : -1;
    style = looks.Effective(style);
    if (OnGetColorStyle) OnGetColorStyle(*this, {c, y}, style);
    return style;
  };
  auto selectedAt = [&](int c) { return c >= selFrom && c < selTo; };
  int image = record->ImageIndex;
  const TTextStyle* lineStyle = image > 0 && image < static_cast<int>(TextStyles.Items.size())
                                    ? &TextStyles.Items[static_cast<size_t>(image)]
                                    : nullptr;
  if (BlackAndWhite) lineStyle = nullptr;
  if (lineStyle)
    painter.fillRect(QRect(left, top, ClientWidth(), lineHeight_), ToQColor(lineStyle->Color));
  if (LineHighlightVisible && hasFocus() && y == store_->CaretY())
    painter.fillRect(QRect(TextLeft(), top, ClientWidth(), lineHeight_),
                     ToQColor(LineHighlightColor));

  for (int col = firstCol; col < endCol;) {
    int style = styleAt(col);
    bool selected = selectedAt(col);
    bool match = InMatch(col, y);
    int end = col + 1;
    while (end < endCol && end - col < kMaxRun && styleAt(end) == style &&
           selectedAt(end) == selected && InMatch(end, y) == match)
      ++end;
    TStyleLook look = LookOf(looks, style, selected);
    if (match) {
      look.Text = ToQColor(MatchColor);
      look.Back = ToQColor(MatchBackColor);
    }
    if (lineStyle && !selected) {
      // A line marked with an image index takes that style's background (and text colour).
      look.Back = ToQColor(lineStyle->Color);
      if (options_.Contains(moColoredLineStyle)) look.Text = ToQColor(lineStyle->Font.Color);
    }
    QRectF box(xOf(col), top, xOf(end) - xOf(col), lineHeight_);
    // The run's bytes: the characters whose first cell lies in it.
    auto byteAt = [&](int c) {
      size_t i = static_cast<size_t>(c - offset);
      while (i < cells.size() && cells[i].Length == 0) ++i;
      return i < cells.size() ? static_cast<size_t>(cells[i].Byte) : text.size();
    };
    std::string piece = text.substr(byteAt(col), byteAt(end) - byteAt(col));
    int selectedBit = selected ? 16 : 0;
    bool handled = false;
    if (OnCustomDraw)
      OnCustomDraw(*this, painter, box.toRect(), y, col, piece, 1 | 8 | selectedBit, handled);
    bool highlighted = LineHighlightVisible && hasFocus() && y == store_->CaretY();
    if (!handled && (!highlighted || selected || look.Back != ToQColor(Color)))
      painter.fillRect(box, look.Back);
    if (OnCustomDraw)
      OnCustomDraw(*this, painter, box.toRect(), y, col, piece, 1 | 8 | selectedBit, handled);
    handled = false;
    if (OnCustomDraw)
      OnCustomDraw(*this, painter, box.toRect(), y, col, piece, 1 | 4 | selectedBit, handled);
    if (!handled) {
      painter.setFont(*look.Font);
      painter.setPen(look.Text);
      DrawCells(
          painter, text, cells, col - offset, end - offset, [&](int c) { return xOf(c + offset); },
          top + ascent_);
    }
    if (OnCustomDraw)
      OnCustomDraw(*this, painter, box.toRect(), y, col, piece, 2 | 4 | selectedBit, handled);
    col = end;
  }
  if (LineSeparator) {
    painter.setPen(ToQColor(LineSeparatorColor));
    painter.drawLine(left, top + lineHeight_ - 1, ClientWidth(), top + lineHeight_ - 1);
  }
  if (options_.Contains(moDrawLineBookmarks)) {
    // A small triangle at the bottom of the row under each bookmark's column.
    for (const TBookmark& b : store_->Bookmarks().Items()) {
      if (b.Y != y || b.X < row.Start || b.X >= row.End) continue;
      int x = static_cast<int>(xOf(b.X));
      QPolygon triangle({QPoint(x, top + lineHeight_), QPoint(x + 4, top + lineHeight_ - 4),
                         QPoint(x + 8, top + lineHeight_)});
      painter.setBrush(ToQColor(LineBookmarkColor));
      painter.setPen(Qt::NoPen);
      painter.drawPolygon(triangle);
      painter.setBrush(Qt::NoBrush);
    }
  }
  // The selection goes on past the line's end (not for streams that select only text).
  if (row.End != MaxInt) return;
  bool onlyText = store_->SelectionType() == stStream && options_.Contains(moSelectOnlyText);
  int selStart = std::max({selFrom, length, origin});
  int selEnd = std::min<int64_t>(selTo, int64_t{origin} + VisibleColumns() + 1);
  if (!onlyText && selEnd > selStart) {
    painter.fillRect(QRectF(xOf(selStart), top, xOf(selEnd) - xOf(selStart), lineHeight_),
                     ToQColor(SelBackColor));
  }
}

void TCustomVrelMemo::DrawCells(QPainter& painter, std::string_view text,
                                const std::vector<TCell>& cells, int from, int to,
                                const std::function<qreal(int)>& xOf, qreal baseline) const {
  // Windows-1252 text is one byte per cell and goes out in one piece. In UTF-8 text plain ASCII
  // goes out in pieces and every other character at its own cell, so a glyph from a fallback
  // font of another width cannot push the columns after it out of line.
  const bool utf8 = store_->IsUtf8();
  auto together = [&](const TCell& c) {
    return !utf8 || (c.Length == 1 && static_cast<unsigned char>(text[c.Byte]) < 0x80);
  };
  for (int c = from; c < to;) {
    const TCell& cell = cells[static_cast<size_t>(c)];
    int e = c + 1;
    if (cell.Length == 0) {
      c = e;  // the second cell of a wide character shown before it
      continue;
    }
    if (together(cell))
      while (e < to && together(cells[static_cast<size_t>(e)])) ++e;
    const TCell& last = cells[static_cast<size_t>(e) - 1];
    QString shown = ShownString(text.substr(cell.Byte, last.Byte + last.Length - cell.Byte));
    // A base with combining marks is drawn precomposed where such a character exists, as fonts
    // without mark placement would put the marks beside it.
    if (utf8 && e == c + 1 && shown.size() > 1)
      shown = shown.normalized(QString::NormalizationForm_C);
    painter.drawText(QPointF(xOf(c), baseline), shown);
    c = e;
  }
}

void TCustomVrelMemo::PaintGutter(QPainter& painter, const std::vector<TScreenRow>& rows) {
  bool gutter = options_.Contains(moDrawGutter);
  bool numbers = options_.Contains(moLineNumbers);
  bool numbersOnGutter = numbers && options_.Contains(moLineNumbersOnGutter) && gutter;
  int height = ClientHeight();
  if (gutter) {
    if (GutterBackground.Kind == boVertGradient || GutterBackground.Kind == boHorzGradient) {
      bool vertical = GutterBackground.Kind == boVertGradient;
      QLinearGradient gradient(0, 0, vertical ? 0 : gutterWidth_, vertical ? height : 0);
      gradient.setColorAt(0, ToQColor(GutterBackground.From));
      gradient.setColorAt(1, ToQColor(GutterBackground.To));
      painter.fillRect(0, 0, gutterWidth_ - 2, height, gradient);
    } else {
      painter.fillRect(0, 0, gutterWidth_ - 2, height, ToQColor(GutterColor));
    }
    painter.setPen(ToQColor(GutterLineColor));
    painter.drawLine(gutterWidth_ - 2, 0, gutterWidth_ - 2, height);
    painter.setPen(ToQColor(GutterBackColor));
    painter.drawLine(gutterWidth_ - 1, 0, gutterWidth_ - 1, height);
  }
  int digits = static_cast<int>(std::to_string(std::max(store_->LineCount(), 1)).size());
  int columnLeft = gutter ? gutterWidth_ : 0;
  int columnWidth = digits * charWidth_ + charWidth_ / 2;
  if (numbers && !numbersOnGutter)
    painter.fillRect(columnLeft, 0, columnWidth, height, ToQColor(LineNumBackColor));
  painter.setFont(QFontFor(font_));
  for (const TScreenRow& row : rows) {
    int y = row.Line, top = row.Top;
    if (row.Row > 0) continue;  // continuation rows of a wrapped line show nothing
    if (numbers && !(options_.Contains(moLimitLineNumbers) && y >= store_->LineCount())) {
      std::string label = std::to_string(y + 1);
      int maxLength = digits;
      if (OnGetLineNumber) OnGetLineNumber(*this, label, maxLength);
      painter.setPen(ToQColor(LineNumColor));
      int width = static_cast<int>(label.size()) * charWidth_;
      int x;
      if (numbersOnGutter)
        x = LineNumRightAligned ? gutterWidth_ - 4 - width : GutterLineIndent + 2;
      else
        x = LineNumRightAligned ? columnLeft + columnWidth - width - charWidth_ / 4
                                : columnLeft + 2;
      painter.drawText(x, top + ascent_, QString::fromStdString(label));
    }
    if (gutter && y < store_->LineCount()) {
      // Images chosen by the line's flags: bit 0 the break point, bit i image i.
      uint16_t flags = store_->LineRecord(y)->LineFlags;
      int imageLeft = GutterImageLeft();
      for (int bit = 0; bit < 11 && flags; ++bit) {
        if (!(flags & (1u << bit))) continue;
        QRect box(imageLeft, top + 2, lineHeight_ - 4, lineHeight_ - 4);
        painter.setPen(Qt::NoPen);
        painter.setBrush(bit == 0 ? QColor(255, 0, 0) : QColor(0, 0, 160));
        painter.drawEllipse(box);
        painter.setBrush(Qt::NoBrush);
      }
      if (int mark = store_->BookmarkAtLine(y)) {
        // A small tab with the bookmark's digit (10 shows as 0).
        QRect box(BookmarkTabLeft(), top + 1, BookmarkTabWidth(), lineHeight_ - 2);
        painter.fillRect(box, QColor(0, 128, 0));
        painter.setPen(Qt::white);
        painter.drawText(box, Qt::AlignCenter, QString::number(mark % 10));
      }
    }
  }
}

int TCustomVrelMemo::GutterImageLeft() const {
  return GutterImgsAlign == iaLeft ? 2 : gutterWidth_ - lineHeight_ - 2;
}

int TCustomVrelMemo::BookmarkTabWidth() const { return std::min(charWidth_ + 4, gutterWidth_ - 6); }

int TCustomVrelMemo::BookmarkTabLeft() const {
  return GutterImgsAlign == iaLeft ? 2 : gutterWidth_ - BookmarkTabWidth() - 4;
}

int TCustomVrelMemo::GutterImageAt(int y, int x) const {
  if (y < 0 || y >= store_->LineCount()) return -1;
  // The bookmark tab is painted over the flag images: Bookmark0..Bookmark9 follow the break point.
  if (int mark = store_->BookmarkAtLine(y);
      mark && x >= BookmarkTabLeft() && x < BookmarkTabLeft() + BookmarkTabWidth())
    return 1 + mark % 10;
  if (x < GutterImageLeft() || x >= GutterImageLeft() + lineHeight_ - 4) return -1;
  uint16_t flags = store_->LineRecord(y)->LineFlags;
  for (int bit = 10; bit >= 0; --bit)
    if (flags & (1u << bit)) return bit;
  return -1;
}

void TCustomVrelMemo::Paint(QPainter& painter, const QRect& clip) {
  painter.fillRect(
      clip, ToQColor(store_->ReadOnly() && options_.Contains(moUseReadOnlyColor) ? ReadOnlyColor
                                                                                 : Color));
  if (MemoBackground.Kind == boVertGradient || MemoBackground.Kind == boHorzGradient) {
    bool vertical = MemoBackground.Kind == boVertGradient;
    QRect area(QPoint(0, 0), ClientSize());
    QLinearGradient gradient(0, 0, vertical ? 0 : area.width(), vertical ? area.height() : 0);
    gradient.setColorAt(0, ToQColor(MemoBackground.From));
    gradient.setColorAt(1, ToQColor(MemoBackground.To));
    painter.fillRect(clip, gradient);
  }
  // A page shows whole rows only: the next page starts with the row after its last.
  std::vector<TScreenRow> rows =
      ScreenRows(printing_ ? VisibleRows() * lineHeight_ : ClientHeight());
  if (options_.Contains(moDrawSpecialSymbols)) {
    // The end of the text is marked on the row after the last line.
    for (const TScreenRow& row : rows) {
      if (row.Line != store_->LineCount()) continue;
      painter.setFont(QFontFor(font_));
      painter.setPen(ToQColor(font_.Color));
      painter.drawText(TextLeft() - leftCol_ * charWidth_, row.Top + ascent_,
                       platform::Cp1252ToQString(EOFString));
    }
  }
  // Colour only what is about to be painted (and the store's look-ahead).
  if (!rows.empty() && rows.back().Line < store_->LineCount())
    store_->EnsureParsed(rows.back().Line, false, rows.front().Line);
  for (const TScreenRow& row : rows)
    if (row.Top + lineHeight_ > clip.top() && row.Top <= clip.bottom()) PaintRow(painter, row);
  painter.fillRect(0, 0, TextLeft(), ClientHeight(), ToQColor(Color));
  PaintGutter(painter, rows);
  if (options_.Contains(moDrawMargin)) {
    int x = TextLeft() + (marginPos_ - leftCol_) * charWidth_;
    painter.setPen(ToQColor(MarginColor));
    painter.drawLine(x, 0, x, ClientHeight());
  }
  if (hasFocus() && caretShown_ && !HideCaret && !printing_) {
    QPoint p = CaretToClient();
    bool overwrite = options_.Contains(moOverwriteCaret) && TCustomMemoSource::OverwriteMode();
    int width = overwrite ? charWidth_ : 2;
    if (p.x() >= TextLeft())
      painter.fillRect(p.x(), p.y(), width, lineHeight_, ToQColor(clWindowText));
  }
}

void TCustomVrelMemo::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  Paint(painter, event->rect());
}

void TCustomVrelMemo::PaintPage(QPainter& painter) {
  const int leftCol = leftCol_;
  leftCol_ = 0;
  printing_ = true;
  Paint(painter, QRect(QPoint(0, 0), ClientSize()));
  printing_ = false;
  leftCol_ = leftCol;
}

QImage TCustomVrelMemo::RenderToImage() {
  QImage image(viewport()->size(), QImage::Format_RGB32);
  QPainter painter(&image);
  Paint(painter, image.rect());
  return image;
}

}  // namespace quorel
