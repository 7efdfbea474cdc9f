// The editing view: store attachment, metrics and scrolling (painting is in vrelmemopaint.cpp).
#include "view/vrelmemo.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "engine/simpleparser.h"
#include "engine/stylenumbers.h"
#include "platform/qt/cp1252.h"

namespace quorel {

TTextStyles DefaultTextStyles() {
  static const char* const names[] = {"Whitespace",
                                      "String",
                                      "Comment",
                                      "Identifier",
                                      "Integer",
                                      "Float",
                                      "Reserved words",
                                      "Delimiters",
                                      "Defines",
                                      "Assembler",
                                      "Html tags",
                                      "Html params",
                                      "Url",
                                      "BreakPoint",
                                      "Error line",
                                      "Marked Block",
                                      "Search Match",
                                      "Emphasis",
                                      "System Variable",
                                      "Script Whitespace",
                                      "Script Delimiters",
                                      "Script Comment",
                                      "Script String",
                                      "Script Number",
                                      "Script ResWord"};
  static_assert(std::size(names) == tsTextStyleCount);
  TTextStyles styles;
  for (const char* name : names) {
    TTextStyle s;
    s.Name = name;
    s.Font.Color = clWindowText;
    s.Color = clWindow;
    styles.Items.push_back(s);
  }
  styles.Items[tsUrl].Font.Color = clBlue;
  styles.Items[tsUrl].Font.Style = {fsUnderline};
  styles.Items[tsBreakPoint].Color = clRed;
  styles.Items[tsBreakPoint].Font.Color = clWhite;
  styles.Items[tsErrorLine].Color = clMaroon;
  styles.Items[tsErrorLine].Font.Color = clWhite;
  return styles;
}

TCustomVrelMemo::TCustomVrelMemo(QWidget* parent) : QAbstractScrollArea(parent) {
  TextStyles = DefaultTextStyles();
  hint_.Immediate = true;
  GutterImgs.push_back({"BreakPoint", -1});
  for (int i = 0; i <= 9; ++i) GutterImgs.push_back({"Bookmark" + std::to_string(i), i});
  TemplateFont.Name = "MS Sans Serif";
  TemplateFont.SetSize(8);
  font_.Name = "Courier New";
  font_.SetSize(10);
  font_.Color = clWindowText;
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setCursor(Qt::IBeamCursor);
  // Moves without a button held are seen too: the pointer turns into a hand over an address.
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  resize(185, 89);
  connect(verticalScrollBar(), &QScrollBar::sliderMoved, this,
          [this](int value) { ThumbMoved(value, false); });
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
  store.AddListener(
      [this](TCustomMemoSource& s, int first, int last) { SourceChanged(s, first, last); }, this,
      true,
      [this](TCustomMemoSource&) {
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
  if (flags.Contains(msTextChanged) || flags.Contains(msLineCountChanged) ||
      flags.Contains(msParserChanged))
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
    QRect rows(0, firstRow * lineHeight_, viewport()->width(),
               (lastRow - firstRow + 1) * lineHeight_);
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
  TColor rgb = ColorToRgb(color);
  return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb));
}

const QFont& TCustomVrelMemo::BaseFont(const TFont& font) const {
  QString key = QString("%1|%2|%3")
                    .arg(QString::fromStdString(font.Name))
                    .arg(font.Height)
                    .arg(font.Style.Bits());
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
  QString key = QString("%1|%2|%3")
                    .arg(QString::fromStdString(font.Name))
                    .arg(font.Height)
                    .arg(font.Style.Bits());
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

int TCustomVrelMemo::VisibleRows() const { return std::max(ClientHeight() / lineHeight_, 1); }

int TCustomVrelMemo::VisibleColumns() const {
  return std::max((ClientWidth() - TextLeft()) / charWidth_, 1);
}

QSize TCustomVrelMemo::ClientSize() const {
  return printSize_.isEmpty() ? viewport()->size() : printSize_;
}

void TCustomVrelMemo::SetPrintSize(QSize size) {
  printSize_ = size;
  UpdateScrollBars();
}

void TCustomVrelMemo::UpdateScrollBars() {
  if (!store_) return;
  QScrollBar* v = verticalScrollBar();
  v->setRange(0, std::max(store_->LineCount() - 1, 0));
  v->setPageStep(VisibleRows());
  v->setSingleStep(1);
  QScrollBar* h = horizontalScrollBar();
  int columns = HideScrollBars ? std::max(store_->LongestLineLength() - VisibleColumns() + 1, 0)
                               : horzMaxPos_;
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

}  // namespace quorel
