// The editing view: store attachment, metrics, scrolling and painting.
#include "engine/ui/vrelmemo.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "engine/simpleparser.h"
#include "platform/qt/cp1252.h"

namespace quorel {

namespace {

// Runs are cut after this many characters, so no single text draw gets huge.
constexpr int kMaxRun = 512;

// The usual values of the system colours the editor names (window, text, selection, ...).
QColor SystemColor(int index) {
  switch (index) {
    case 5: return QColor(255, 255, 255);    // window
    case 8: return QColor(0, 0, 0);          // window text
    case 13: return QColor(0, 0, 128);       // highlight
    case 14: return QColor(255, 255, 255);   // highlight text
    case 15: return QColor(240, 240, 240);   // button face
    case 16: return QColor(160, 160, 160);   // button shadow
    case 17: return QColor(128, 128, 128);   // gray text
    default: return QColor(192, 192, 192);
  }
}

}  // namespace

TTextStyles DefaultTextStyles() {
  static const char* const names[] = {
      "Whitespace", "String", "Comment", "Identifier", "Integer", "Float", "Reserved words",
      "Delimiters", "Defines", "Assembler", "Html tags", "Html params", "Url", "BreakPoint",
      "Error line", "Marked Block", "Search Match", "Emphasis", "System Variable",
      "Script Whitespace", "Script Delimiters", "Script Comment", "Script String", "Script Number",
      "Script ResWord"};
  TTextStyles styles;
  for (const char* name : names) {
    TTextStyle s;
    s.Name = name;
    s.Font.Color = clWindowText;
    s.Color = clWindow;
    styles.Items.push_back(s);
  }
  styles.Items[12].Font.Color = clBlue;  // Url
  styles.Items[12].Font.Style = {fsUnderline};
  styles.Items[13].Color = clRed;        // BreakPoint
  styles.Items[13].Font.Color = clWhite;
  styles.Items[14].Color = clMaroon;     // Error line
  styles.Items[14].Font.Color = clWhite;
  return styles;
}

TCustomVrelMemo::TCustomVrelMemo(QWidget* parent) : QAbstractScrollArea(parent) {
  TextStyles = DefaultTextStyles();
  GutterImgs.push_back({"BreakPoint", -1});
  for (int i = 0; i <= 9; ++i) GutterImgs.push_back({"Bookmark" + std::to_string(i), i});
  TemplateFont.Name = "MS Sans Serif";
  TemplateFont.SetSize(8);
  font_.Name = "Courier New";
  font_.SetSize(10);
  font_.Color = clWindowText;
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  resize(185, 89);
  connect(verticalScrollBar(), &QScrollBar::sliderMoved, this, [this](int value) { ThumbMoved(value, false); });
  connect(verticalScrollBar(), &QScrollBar::sliderReleased, this,
          [this] { ThumbMoved(verticalScrollBar()->value(), true); });
  ownStore_ = std::make_unique<TMemoSource>();
  UpdateMetrics();
  Attach(*ownStore_);
  SetKeyMapping("Default");
}

TCustomVrelMemo::~TCustomVrelMemo() {
  MemoEnvOptions().RemoveListener(this);
  Detach();
}

void TCustomVrelMemo::SetUseGlobalOptions(bool value) {
  if (useGlobalOptions_ == value) return;
  useGlobalOptions_ = value;
  MemoEnvOptions().RemoveListener(this);
  if (!value) return;
  auto apply = [this] {
    TextStyles = MemoEnvOptions().TextStyles;
    UpdateMetrics();
    viewport()->update();
  };
  MemoEnvOptions().AddListener(this, apply);
  apply();
}

bool TCustomVrelMemo::InMatch(int x, int y) const {
  TRect m = store_->MatchRect();
  return y >= m.Top && y <= m.Bottom && x >= m.Left && x < m.Right;
}

void TCustomVrelMemo::MakeMatchVisible() {
  TRect m = store_->MatchRect();
  if (m.Bottom < m.Top) return;
  if (m.Top < topLine_ || m.Top >= topLine_ + VisibleRows()) SetTopLine(m.Top - VisibleRows() / 2);
  if (!wordWrap_ && (m.Left < leftCol_ || m.Right > leftCol_ + VisibleColumns()))
    SetLeftCol(std::max(m.Left - VisibleColumns() / 2, 0));
}

// ---- The store ----

void TCustomVrelMemo::Attach(TCustomMemoSource& store) {
  store_ = &store;
  wrapCache_.clear();
  store.SetActiveView(Hooks());
  store.AddListener([this](TCustomMemoSource& s, int first, int last) { SourceChanged(s, first, last); },
                    this, true, [this](TCustomMemoSource&) {
                      // The store went away: show our own again.
                      store_ = nullptr;
                      Attach(*ownStore_);
                    });
}

void TCustomVrelMemo::Detach() {
  if (!store_) return;
  store_->RemoveListener(this);
  if (store_->ActiveView() == this) store_->SetActiveView({});
  store_ = nullptr;
}

void TCustomVrelMemo::SetMemoSource(TCustomMemoSource* store) {
  TCustomMemoSource* target = store ? store : ownStore_.get();
  if (target == store_) return;
  Detach();
  topLine_ = leftCol_ = 0;
  Attach(*target);
}

void TCustomVrelMemo::LoadFromFile(const std::string& fileName) {
  store_->LoadFromFile(fileName);
  store_->SetFileName(fileName);
}

void TCustomVrelMemo::SourceChanged(TCustomMemoSource& store, int first, int last) {
  TMemoStates flags = store.ChangeFlags();
  if (flags.Contains(msTextChanged) || flags.Contains(msLineCountChanged) || flags.Contains(msParserChanged))
    wrapCache_.clear();
  if (flags.Contains(msTextChanged) || flags.Contains(msLineCountChanged) ||
      flags.Contains(msParserChanged))
    UpdateScrollBars();
  if (store.ActiveView() == this && flags.Contains(msMatchChanged)) {
    MakeMatchVisible();
  } else if (store.ActiveView() == this && flags.Contains(msCaretMoved)) {
    if (store.LastUpdateWasBookmarkJump() && options_.Contains(moCenterOnBookmark) &&
        (store.CaretY() < topLine_ || store.CaretY() >= topLine_ + VisibleRows()))
      CenterCaretLine();
    else
      MakeCaretVisible();
  }
  caretShown_ = true;
  if (OnStateChange) OnStateChange(*this, flags);
  if ((flags.Contains(msCaretMoved) || flags.Contains(msRepaint)) && OnSelectionChange)
    OnSelectionChange(*this);
  // Only the rows that changed are painted again (everything when the gutter or all changed).
  // Ranges may reach far outside the window (MaxInt for "everything after", or first > last
  // when only flags changed), so they are clamped to the visible rows before any arithmetic.
  int visible = VisibleRows();
  int firstRow = static_cast<int>(std::clamp<int64_t>(int64_t{first} - topLine_, 0, visible));
  int lastRow = static_cast<int>(std::clamp<int64_t>(int64_t{last} - topLine_, -1, visible));
  if (flags.Contains(msCaretMoved) || wordWrap_ || flags.Contains(msReadOnlyChanged) ||
      flags.Contains(msOverwriteChanged) || flags.Contains(msMatchChanged)) {
    viewport()->update();
  } else if (lastRow >= firstRow) {
    bool wholeWidth = flags.Contains(msLineCountChanged) || flags.Contains(msParserChanged);
    QRect rows(0, firstRow * lineHeight_, viewport()->width(), (lastRow - firstRow + 1) * lineHeight_);
    viewport()->update(wholeWidth ? viewport()->rect() : rows);
  }
  if (flags.Contains(msTextChanged) && OnChange) OnChange(*this);
}

// ---- Appearance ----

void TCustomVrelMemo::SetOptions(TMemoOptions options) {
  options_ = options;
  verticalScrollBar()->setTracking(options.Contains(moThumbTracking));
  horizontalScrollBar()->setTracking(options.Contains(moThumbTracking));
  UpdateMetrics();
  viewport()->update();
}

void TCustomVrelMemo::SetFont(const TFont& font) {
  font_ = font;
  UpdateMetrics();
  viewport()->update();
}

void TCustomVrelMemo::SetMarginPos(int value) {
  marginPos_ = std::max(value, 2);
  viewport()->update();
}

void TCustomVrelMemo::SetGutterWidth(int value) {
  gutterWidth_ = std::max(value, 5);
  viewport()->update();
}

void TCustomVrelMemo::SetHorzMaxPos(int value) {
  horzMaxPos_ = std::clamp(value, 40, 9999);
  UpdateScrollBars();
}

QColor TCustomVrelMemo::ToQColor(TColor color) const {
  if (color & clSystemColor) return SystemColor(static_cast<int>(color & 0xFF));
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

const QFont& TCustomVrelMemo::BaseFont(const TFont& font) const {
  QString key = QString("%1|%2|%3").arg(QString::fromStdString(font.Name)).arg(font.Height).arg(font.Style.Bits());
  auto it = baseFonts_.find(key);
  if (it != baseFonts_.end()) return *it;
  QFont f(QString::fromStdString(font.Name));
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  if (font.Height < 0)
    f.setPixelSize(-font.Height);
  else
    f.setPointSize(std::max(font.Height, 1));
  f.setBold(font.Style.Contains(fsBold));
  f.setItalic(font.Style.Contains(fsItalic));
  f.setUnderline(font.Style.Contains(fsUnderline));
  f.setStrikeOut(font.Style.Contains(fsStrikeOut));
  return *baseFonts_.insert(key, f);
}

// The font as painted: every character exactly one column wide, so that text, caret and
// selection line up whatever font a style asks for.
const QFont& TCustomVrelMemo::QFontFor(const TFont& font) {
  QString key = QString("%1|%2|%3").arg(QString::fromStdString(font.Name)).arg(font.Height).arg(font.Style.Bits());
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return *it;
  QFont f = BaseFont(font);
  qreal natural = QFontMetricsF(f).horizontalAdvance(QLatin1Char('x'));
  f.setLetterSpacing(QFont::AbsoluteSpacing, charWidth_ - natural);
  return *fonts_.insert(key, f);
}

void TCustomVrelMemo::UpdateMetrics() {
  // The row is as high, and a column as wide, as the largest font in use.
  std::vector<TFont> fonts{font_};
  if (store_ && store_->SyntaxParser())
    if (const TFont* f = store_->SyntaxParser()->GetFont(0)) fonts.push_back(*f);
  if (UseMonoFont)
    for (const TTextStyle& s : TextStyles.Items) fonts.push_back(s.Font);
  int height = 1, width = 1, ascent = 1;
  for (const TFont& f : fonts) {
    QFontMetricsF m(BaseFont(f));
    height = std::max(height, static_cast<int>(std::ceil(m.height())));
    width = std::max(width, static_cast<int>(std::ceil(m.horizontalAdvance(QLatin1Char('x')))));
    ascent = std::max(ascent, static_cast<int>(std::ceil(m.ascent())));
  }
  lineHeight_ = height;
  charWidth_ = width;
  ascent_ = ascent;
  fonts_.clear();  // painted fonts depend on the column width
  advances_.clear();
  UpdateScrollBars();
}

bool TCustomVrelMemo::ColoursEnabled() const {
  TSimpleParser* parser = store_->SyntaxParser();
  if (parser) return options_.Contains(moColorSyntax) && parser->GetFont(0);
  return !TextStyles.Items.empty();
}

// ---- Geometry and scrolling ----

int TCustomVrelMemo::TextLeft() const {
  int left = options_.Contains(moDrawGutter) ? gutterWidth_ : 0;
  if (options_.Contains(moLineNumbers) && !options_.Contains(moLineNumbersOnGutter)) {
    int digits = static_cast<int>(std::to_string(std::max(store_->LineCount(), 1)).size());
    left += digits * charWidth_ + charWidth_ / 2;
  }
  if (options_.Contains(moLeftIndent)) left += LeftIndent;
  return left + 2;
}

int TCustomVrelMemo::VisibleRows() const { return std::max(viewport()->height() / lineHeight_, 1); }

int TCustomVrelMemo::VisibleColumns() const {
  return std::max((viewport()->width() - TextLeft()) / charWidth_, 1);
}

void TCustomVrelMemo::UpdateScrollBars() {
  if (!store_) return;
  QScrollBar* v = verticalScrollBar();
  v->setRange(0, std::max(store_->LineCount() - 1, 0));
  v->setPageStep(VisibleRows());
  v->setSingleStep(1);
  QScrollBar* h = horizontalScrollBar();
  int columns = HideScrollBars ? std::max(store_->LongestLineLength() - VisibleColumns() + 1, 0) : horzMaxPos_;
  h->setRange(0, wordWrap_ ? 0 : columns);
  h->setPageStep(VisibleColumns());
}

void TCustomVrelMemo::SetTopLine(int line) {
  line = std::clamp(line, 0, std::max(store_->LineCount() - 1, 0));
  if (line != topLine_) topRow_ = 0;
  verticalScrollBar()->setValue(line);
  topLine_ = line;  // also when the bar's range is not yet up to date
  viewport()->update();
}

void TCustomVrelMemo::SetLeftCol(int column) {
  column = std::max(column, 0);
  horizontalScrollBar()->setValue(column);
  leftCol_ = column;
  viewport()->update();
}

void TCustomVrelMemo::scrollContentsBy(int dx, int dy) {
  if (OnMemoScroll) {
    if (dy) OnMemoScroll(*this, false, -dy);
    if (dx) OnMemoScroll(*this, true, -dx);
  }
  if (topLine_ != verticalScrollBar()->value()) topRow_ = 0;
  topLine_ = verticalScrollBar()->value();
  leftCol_ = horizontalScrollBar()->value();
  viewport()->update();
}

void TCustomVrelMemo::ScrollBy(int rows) { ScrollRows(rows); }

void TCustomVrelMemo::ThumbMoved(int value, bool ended) {
  if (!options_.Contains(moShowScrollHint)) return;
  bool show = !ended;
  std::string hint = "~Line~ " + std::to_string(value + 1);
  if (OnVerticalScroll) OnVerticalScroll(*this, value, ended, show, hint);
  if (!show) {
    QToolTip::hideText();
    return;
  }
  // At the right edge, level with the mouse.
  QPoint at(mapToGlobal(QPoint(width(), 0)).x(), QCursor::pos().y());
  QToolTip::showText(at, QString::fromStdString(hint), this);
}

void TCustomVrelMemo::MakeCaretVisible() {
  TPoint caret = store_->CaretPos();
  int row = RowOf(caret);
  int fromTop = RowsFromTop(caret.Y, row);
  if (fromTop < 0) {
    SetTopLine(caret.Y);
    topRow_ = row;
  } else if (fromTop >= VisibleRows()) {
    if (fromTop > 2 * VisibleRows()) {
      SetTopLine(caret.Y);  // far below: start the screen at the caret's line
      topRow_ = row;
      ScrollRows(-(VisibleRows() - 1));
    } else {
      ScrollRows(fromTop - VisibleRows() + 1);
    }
  }
  if (wordWrap_) return;
  if (caret.X < leftCol_)
    SetLeftCol(caret.X);
  else if (caret.X >= leftCol_ + VisibleColumns())
    SetLeftCol(caret.X - VisibleColumns() + 1);
}

void TCustomVrelMemo::CenterCaretLine() {
  SetTopLine(store_->CaretY());
  topRow_ = RowOf(store_->CaretPos());
  ScrollRows(-(VisibleRows() / 2));
}

void TCustomVrelMemo::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

// ---- Painting ----

const TFont& TCustomVrelMemo::StyleFont(int style) const {
  TSimpleParser* parser = store_->SyntaxParser();
  if (parser && style >= 0)
    if (const TFont* f = parser->GetFont(style)) return *f;
  if (style >= 0 && style < static_cast<int>(TextStyles.Items.size()))
    return TextStyles.Items[static_cast<size_t>(style)].Font;
  return font_;
}

qreal TCustomVrelMemo::Advance(int style, unsigned char c) const {
  if (UseMonoFont) return charWidth_;
  const TFont& font = StyleFont(style);
  QString key = QString("%1|%2|%3").arg(QString::fromStdString(font.Name)).arg(font.Height).arg(font.Style.Bits());
  auto it = advances_.find(key);
  if (it == advances_.end()) {
    QFontMetricsF metrics(BaseFont(font));
    std::vector<qreal> widths(256);
    for (int i = 0; i < 256; ++i)
      widths[static_cast<size_t>(i)] = metrics.horizontalAdvance(platform::Cp1252ToChar(static_cast<unsigned char>(i)));
    it = advances_.insert(key, widths);
  }
  return (*it)[c];
}

std::vector<qreal> TCustomVrelMemo::Offsets(int y, int from, int to) const {
  std::vector<qreal> offsets(static_cast<size_t>(std::max(to - from, 0)) + 1, 0);
  if (UseMonoFont) {
    for (size_t i = 0; i < offsets.size(); ++i) offsets[i] = static_cast<qreal>(i) * charWidth_;
    return offsets;
  }
  std::string text = store_->Line(y);
  std::string colors = ColoursEnabled() ? store_->GetExpandedColors(y) : std::string();
  qreal x = 0;
  for (int c = from; c < to; ++c) {
    offsets[static_cast<size_t>(c - from)] = x;
    if (c < static_cast<int>(text.size())) {
      int style = c < static_cast<int>(colors.size()) ? static_cast<unsigned char>(colors[static_cast<size_t>(c)]) : -1;
      x += Advance(style, static_cast<unsigned char>(text[static_cast<size_t>(c)]));
    } else {
      x += charWidth_;  // past the line's end every column is one cell
    }
  }
  offsets.back() = x;
  return offsets;
}

TCustomVrelMemo::TStyleLook TCustomVrelMemo::LookOf(int style, bool selected) {
  TSimpleParser* parser = store_->SyntaxParser();
  const TTextStyle* named =
      style >= 0 && style < static_cast<int>(TextStyles.Items.size()) ? &TextStyles.Items[static_cast<size_t>(style)] : nullptr;
  const TFont* font = &StyleFont(style);
  TColor back = Color;
  TColor parsed = 0;
  if (parser && style >= 0 && parser->GetBackColor(style, parsed))
    back = parsed;
  else if (named)
    back = named->UseMemoColor ? Color : named->Color;
  if (back == Color && store_->ReadOnly() && options_.Contains(moUseReadOnlyColor)) back = ReadOnlyColor;
  TStyleLook look{UseMonoFont ? &QFontFor(*font) : &BaseFont(*font), ToQColor(font->Color), ToQColor(back)};
  if (selected) {
    if (style <= 0 || options_.Contains(moDisableInvertedSel)) {
      look.Text = ToQColor(SelColor);
      look.Back = ToQColor(SelBackColor);
    } else {
      std::swap(look.Text, look.Back);
    }
  }
  if (!isEnabled()) look.Text = ToQColor(DisabledColor);
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
  bool tabs = record->Text.find('\t') != std::string::npos;
  std::string text, colors;
  int offset = 0;  // column of text[0]
  if (tabs) {
    text = store_->Line(y);
    if (ColoursEnabled()) colors = store_->GetExpandedColors(y);
  } else {
    offset = std::min<int>(origin, static_cast<int>(record->Text.size()));
    text = record->Text.substr(static_cast<size_t>(offset), static_cast<size_t>(shown));
    if (ColoursEnabled()) {
      const std::string& all = store_->GetLineColors(y);
      if (static_cast<size_t>(offset) < all.size()) colors = all.substr(static_cast<size_t>(offset), static_cast<size_t>(shown));
    }
  }
  bool lastPiece = offset + static_cast<int64_t>(text.size()) >= static_cast<int64_t>(record->Text.size()) || tabs;
  if (options_.Contains(moDrawSpecialSymbols) && row.End == MaxInt && y < store_->LineCount() - 1 && lastPiece)
    text += EOLString;
  if (OnCustomString) OnCustomString(*this, text, colors);
  auto [selFrom, selTo] = (HideSelection && !hasFocus()) ? std::pair<int, int>{0, 0}
                                                          : store_->SelectedColumns(y);
  int length = offset + static_cast<int>(text.size());
  // Columns shown: from the row's start (scrolled by LeftCol) to its end or the window's edge.
  int firstCol = origin;
  int endCol = std::min<int64_t>({int64_t{length}, int64_t{row.End}, int64_t{origin} + shown});
  int left = TextLeft();
  std::vector<qreal> xs = Offsets(y, origin, std::max(endCol, origin));
  auto xOf = [&](int c) {
    return left + (c - origin < static_cast<int>(xs.size()) ? xs[static_cast<size_t>(c - origin)]
                                                           : xs.back() + (c - origin - static_cast<int>(xs.size()) + 1) * charWidth_);
  };
  auto styleAt = [&](int c) {
    int i = c - offset;
    int style = i >= 0 && i < static_cast<int>(colors.size()) ? static_cast<unsigned char>(colors[static_cast<size_t>(i)]) : -1;
    // Addresses keep their style even when the syntax colours are off.
    if (!options_.Contains(moColorSyntax) && store_->HighlightUrls() && style != 12) style = 0;
    if (OnGetColorStyle) OnGetColorStyle(*this, {c, y}, style);
    return style;
  };
  auto selectedAt = [&](int c) { return c >= selFrom && c < selTo; };
  int image = record->ImageIndex;
  const TTextStyle* lineStyle =
      image > 0 && image < static_cast<int>(TextStyles.Items.size()) ? &TextStyles.Items[static_cast<size_t>(image)] : nullptr;
  if (lineStyle) painter.fillRect(QRect(left, top, viewport()->width(), lineHeight_), ToQColor(lineStyle->Color));
  if (LineHighlightVisible && hasFocus() && y == store_->CaretY())
    painter.fillRect(QRect(TextLeft(), top, viewport()->width(), lineHeight_), ToQColor(LineHighlightColor));

  for (int col = firstCol; col < endCol;) {
    int style = styleAt(col);
    bool selected = selectedAt(col);
    bool match = InMatch(col, y);
    int end = col + 1;
    while (end < endCol && end - col < kMaxRun && styleAt(end) == style && selectedAt(end) == selected &&
           InMatch(end, y) == match)
      ++end;
    TStyleLook look = LookOf(style, selected);
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
    std::string piece = text.substr(static_cast<size_t>(col - offset), static_cast<size_t>(end - col));
    int selectedBit = selected ? 16 : 0;
    bool handled = false;
    if (OnCustomDraw) OnCustomDraw(*this, painter, box.toRect(), y, col, piece, 1 | 8 | selectedBit, handled);
    bool highlighted = LineHighlightVisible && hasFocus() && y == store_->CaretY();
    if (!handled && (!highlighted || selected || look.Back != ToQColor(Color))) painter.fillRect(box, look.Back);
    if (OnCustomDraw) OnCustomDraw(*this, painter, box.toRect(), y, col, piece, 1 | 8 | selectedBit, handled);
    handled = false;
    if (OnCustomDraw) OnCustomDraw(*this, painter, box.toRect(), y, col, piece, 1 | 4 | selectedBit, handled);
    if (!handled) {
      painter.setFont(*look.Font);
      painter.setPen(look.Text);
      painter.drawText(QPointF(box.left(), top + ascent_), platform::Cp1252ToQString(piece));
    }
    if (OnCustomDraw) OnCustomDraw(*this, painter, box.toRect(), y, col, piece, 2 | 4 | selectedBit, handled);
    col = end;
  }
  if (LineSeparator) {
    painter.setPen(ToQColor(LineSeparatorColor));
    painter.drawLine(left, top + lineHeight_ - 1, viewport()->width(), top + lineHeight_ - 1);
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
    painter.fillRect(QRectF(xOf(selStart), top, xOf(selEnd) - xOf(selStart), lineHeight_), ToQColor(SelBackColor));
  }
}

void TCustomVrelMemo::PaintGutter(QPainter& painter, const std::vector<TScreenRow>& rows) {
  bool gutter = options_.Contains(moDrawGutter);
  bool numbers = options_.Contains(moLineNumbers);
  bool numbersOnGutter = numbers && options_.Contains(moLineNumbersOnGutter) && gutter;
  int height = viewport()->height();
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
        x = LineNumRightAligned ? columnLeft + columnWidth - width - charWidth_ / 4 : columnLeft + 2;
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
  if (int mark = store_->BookmarkAtLine(y); mark && x >= BookmarkTabLeft() && x < BookmarkTabLeft() + BookmarkTabWidth())
    return 1 + mark % 10;
  if (x < GutterImageLeft() || x >= GutterImageLeft() + lineHeight_ - 4) return -1;
  uint16_t flags = store_->LineRecord(y)->LineFlags;
  for (int bit = 10; bit >= 0; --bit)
    if (flags & (1u << bit)) return bit;
  return -1;
}

void TCustomVrelMemo::Paint(QPainter& painter, const QRect& clip) {
  painter.fillRect(clip, ToQColor(store_->ReadOnly() && options_.Contains(moUseReadOnlyColor) ? ReadOnlyColor : Color));
  if (MemoBackground.Kind == boVertGradient || MemoBackground.Kind == boHorzGradient) {
    bool vertical = MemoBackground.Kind == boVertGradient;
    QRect area = viewport()->rect();
    QLinearGradient gradient(0, 0, vertical ? 0 : area.width(), vertical ? area.height() : 0);
    gradient.setColorAt(0, ToQColor(MemoBackground.From));
    gradient.setColorAt(1, ToQColor(MemoBackground.To));
    painter.fillRect(clip, gradient);
  }
  std::vector<TScreenRow> rows = ScreenRows(viewport()->height());
  if (options_.Contains(moDrawSpecialSymbols)) {
    // The end of the text is marked on the row after the last line.
    for (const TScreenRow& row : rows) {
      if (row.Line != store_->LineCount()) continue;
      painter.setFont(QFontFor(font_));
      painter.setPen(ToQColor(font_.Color));
      painter.drawText(TextLeft() - leftCol_ * charWidth_, row.Top + ascent_, platform::Cp1252ToQString(EOFString));
    }
  }
  // Colour only what is about to be painted (and the store's look-ahead).
  if (!rows.empty() && rows.back().Line < store_->LineCount()) store_->EnsureParsed(rows.back().Line);
  for (const TScreenRow& row : rows)
    if (row.Top + lineHeight_ > clip.top() && row.Top <= clip.bottom()) PaintRow(painter, row);
  painter.fillRect(0, 0, TextLeft(), viewport()->height(), ToQColor(Color));
  PaintGutter(painter, rows);
  if (options_.Contains(moDrawMargin)) {
    int x = TextLeft() + (marginPos_ - leftCol_) * charWidth_;
    painter.setPen(ToQColor(MarginColor));
    painter.drawLine(x, 0, x, viewport()->height());
  }
  if (hasFocus() && caretShown_ && !HideCaret) {
    QPoint p = CaretToClient();
    bool overwrite = options_.Contains(moOverwriteCaret) && TCustomMemoSource::OverwriteMode();
    int width = overwrite ? charWidth_ : 2;
    if (p.x() >= TextLeft()) painter.fillRect(p.x(), p.y(), width, lineHeight_, ToQColor(clWindowText));
  }
}

void TCustomVrelMemo::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  Paint(painter, event->rect());
}

QImage TCustomVrelMemo::RenderToImage() {
  QImage image(viewport()->size(), QImage::Format_RGB32);
  QPainter painter(&image);
  Paint(painter, image.rect());
  return image;
}

}  // namespace quorel
