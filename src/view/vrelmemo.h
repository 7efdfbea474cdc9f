// The editing view: shows one text store with its colours, a gutter with bookmarks and line
// numbers, the caret and the selection, and sends everything the user does to the store. It keeps
// no text of its own and repaints only from the store's change notifications.
#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QCursor>
#include <QFont>
#include <QHash>
#include <QKeyEvent>
#include <functional>
#include <memory>

#include "engine/cellrow.h"
#include "engine/fonttypes.h"
#include "engine/keylist.h"
#include "engine/memooptions.h"
#include "engine/memosource.h"
#include "print/printoptions.h"
#include "richtext/attributeparser.h"
#include "richtext/exportwalk.h"
#include "richtext/importinsert.h"
#include "syntax/stylelooks.h"
#include "syntax/textstyles.h"
#include "view/popuplistbox.h"
#include "view/vrelhint.h"

namespace quorel {

enum TClipboardType { cbNormal, cbRtf };
enum TGutterImagesAlign { iaLeft, iaRight };
enum TBackgroundKind { boNone, boStretch, boCenter, boTile, boHorzGradient, boVertGradient };
enum TPopupType { ptHint, ptList };

// A picture drawn in the gutter: the break point, and one for each bookmark digit.
struct TGutterImage {
  std::string Name;
  int BookmarkIndex = -1;  // store bookmark n is drawn with the image whose index is n mod 10
};

// A bitmap or a gradient behind the gutter or the text.
struct TControlBackground {
  TBackgroundKind Kind = boNone;
  TColor From = clSilver;
  TColor To = clGray;
};

class TCustomVrelMemo : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit TCustomVrelMemo(QWidget* parent = nullptr);
  ~TCustomVrelMemo() override;

  // ---- The store shown ----
  TCustomMemoSource& MemoSource() { return *store_; }
  // Shows `store` (null: a private store of the view's own).
  void SetMemoSource(TCustomMemoSource* store);

  // ---- Appearance ----
  TMemoOptions Options() const { return options_; }
  void SetOptions(TMemoOptions options);
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);
  bool UseMonoFont = true;
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  TColor Color = clWindow;
  TColor SelColor = 0x8000000E;      // highlight text
  TColor SelBackColor = 0x8000000D;  // highlight
  TColor MatchColor = clLime;
  TColor MatchBackColor = clWindowText;
  TColor ReadOnlyColor = clWindow;
  TColor DisabledColor = 0x80000011;  // gray text
  TColor LineBookmarkColor = clRed;
  TColor MarginColor = 0x80000011;  // gray text
  TColor GutterColor = 0x8000000F;  // button face
  TColor GutterLineColor = clGray;
  TColor GutterBackColor = clWindow;
  TControlBackground GutterBackground;
  TControlBackground MemoBackground;
  std::vector<TGutterImage> GutterImgs;
  TGutterImagesAlign GutterImgsAlign = iaLeft;
  // Keys and input. Setting KeyMapping to a registered name installs that map; an unknown name
  // keeps the map in use.
  const std::string& KeyMapping() const { return keyMapping_; }
  void SetKeyMapping(const std::string& name);
  TKeyHandler& KeyHandler() { return keys_; }
  bool WantTabs = false;
  bool WantReturns = true;
  bool OemConvert = false;  // kept; the documents' code page is used as it is
  // Clipboard, printing and popup lists (used by those commands).
  TClipboardType ClipboardType = cbNormal;
  bool PlainText() const { return ClipboardType != cbRtf; }
  TFont TemplateFont;
  TFont PrinterFont;
  bool UsePrinterFont = false;
  TVrelPrintOptions PrintOptions;
  int PrintIndent = 0;  // the left margin of the next print, in pixels
  TColor LineNumColor = clWindowText;
  TColor LineNumBackColor = clWindow;
  bool LineNumRightAligned = true;
  int GutterLineIndent = 0;
  bool HideSelection = false;
  bool HideCaret = false;
  bool UseDefaultMenu = false;
  TWordSelectionType WordSelectionType = wsWordOnly;
  // The caret row's highlight and lines under rows.
  bool LineHighlightVisible = false;
  TColor LineHighlightColor = 0xF0F0F0;
  bool LineSeparator = false;
  TColor LineSeparatorColor = 0x80000011;
  // Shown with moDrawSpecialSymbols: after every line but the last, and after the last.
  std::string EOLString = "\xB6";
  std::string EOFString = "_";
  bool HideScrollBars = false;
  TTextStyles TextStyles;
  // Takes the text styles from the editor-wide options and follows their changes.
  bool UseGlobalOptions() const { return useGlobalOptions_; }
  void SetUseGlobalOptions(bool value);
  int MarginPos() const { return marginPos_; }
  void SetMarginPos(int value);
  int GutterWidth() const { return gutterWidth_; }
  void SetGutterWidth(int value);
  int LeftIndent = 0;
  int HorzMaxPos() const { return horzMaxPos_; }
  void SetHorzMaxPos(int value);

  // ---- Events ----
  // Asked first for every key press that does not finish a two-key command: true when the owner
  // ran one of its menu shortcuts for it, so the key map does not see the key.
  std::function<bool(TCustomVrelMemo&, const QKeyEvent&)> OnMenuShortcut;
  std::function<void(TCustomVrelMemo&)> OnChange;
  std::function<void(TCustomVrelMemo&, TMemoStates)> OnStateChange;
  std::function<void(TCustomVrelMemo&)> OnSelectionChange;
  std::function<void(TCustomVrelMemo&, std::string& text, int& maxLength)> OnGetLineNumber;
  std::function<void(TCustomVrelMemo&, int line, int imageIndex, Qt::KeyboardModifiers,
                     Qt::MouseButton)>
      OnClickGutter;
  // May change a line's text and colours just before it is painted.
  std::function<void(TCustomVrelMemo&, std::string& text, std::string& colors)> OnCustomString;
  // May change the style a character is painted with.
  std::function<void(TCustomVrelMemo&, TPoint pos, int& style)> OnGetColorStyle;
  // While the vertical thumb is dragged: may change or suppress the hint "~Line~ n".
  std::function<void(TCustomVrelMemo&, int topLine, bool endScroll, bool& showHint,
                     std::string& hint)>
      OnVerticalScroll;
  // Before and after the default drawing of each text run and background fill. State bits: 0
  // before drawing, 1 after a text run, 2 a text run, 3 a background fill, 4 selected. Handled
  // set before the drawing skips it.
  std::function<void(TCustomVrelMemo&, QPainter& canvas, const QRect& rect, int line, int column,
                     const std::string& text, int drawState, bool& handled)>
      OnCustomDraw;
  // May change each escaped piece of text as it is exported.
  std::function<void(TCustomVrelMemo&, TVrelExporter& exporter, std::string& text)> OnExportString;
  // Reports each scroll: horizontal and/or vertical, by how much.
  std::function<void(TCustomVrelMemo&, bool horizontal, int delta)> OnMemoScroll;
  // Called with each dialog the view creates before it is shown.
  std::function<void(TCustomVrelMemo&, QWidget& dialog)> OnCreateDialog;
  // A collapsed region header is about to open or close (handled refuses), and did.
  std::function<void(TCustomVrelMemo&, int line, bool collapsed, bool& handled)>
      OnCollapseStateChanging;
  std::function<void(TCustomVrelMemo&, int line, bool collapsed)> OnCollapseStateChanged;

  // ---- Completion hints ----
  // After a printable character and a pause of HintDelay ms the view asks OnHintPopup for
  // strings; it shows the first as a tool-tip (ptHint) or all as a pick list (ptList).
  std::function<void(TCustomVrelMemo&, TStrings& strings, bool& allowPopup, TPopupType& type)>
      OnHintPopup;
  // May change a chosen entry before it replaces what was typed.
  std::function<void(TCustomVrelMemo&, std::string& s)> OnHintInsert;
  // May pick the pick-list entry matching what was typed (handled) instead of the prefix match.
  std::function<void(TCustomVrelMemo&, const TStrings& strings, const std::string& typed,
                     int& index, bool& handled)>
      OnFindStringInPopup;
  std::function<void(TCustomVrelMemo&, TStrings& code)> OnTemplateInsert;
  // An address is about to be opened; handled stops the default opening.
  std::function<void(TCustomVrelMemo&, const std::string& url, bool& handled)> OnJumpToUrl;
  // Where the caret stood when the hint timer started or the pick list opened.
  TPoint HintStartPos;
  int HintDelay = 500;
  TStringList HintStrings;
  bool HintTimerRunning() const { return hintTimer_.isActive(); }
  // The tool-tip hint at the caret (shown for ptHint).
  const TVrelHint& Hint() const { return hint_; }
  // Stops the hint timer and hides the tool-tip hint.
  void CloseHint();
  // The hint timer's action: asks for strings when the caret has not moved since it started.
  void ShowHintPopup();
  // Replaces the text typed since HintStartPos with `s` (one typing step for undo).
  void InsertHint(std::string s);
  // The pick list's result: inserts entry `index`, nothing when it is out of range.
  void PopupItemChosen(int index);
  // Opens the pick list with `strings` at the caret; the list window itself is supplied by the
  // completion list (a descendant or the application overrides this).
  virtual void ShowPopupList(const TStrings& strings);
  bool DoFindStringInPopup(const TStrings& strings, const std::string& typed, int& index);
  // The open pick list (completions or templates), or none.
  TVrelPopupListBox* PopupListBox() const { return popupList_.get(); }
  bool PopupListOpen() const;
  // Closes an open pick list without a choice.
  void ClosePopupList();
  // Ctrl+J: inserts the template whose name was typed before the caret, or offers a list of
  // them; nothing with the template set "None".
  void ShowTemplatePopup();
  // Selects the word before the caret as the template's name (see ShowTemplatePopup).
  void SelectTemplateWord();
  // Inserts template `index` in place of the selection, the caret at its "|" mark.
  void InsertTemplate(int index);
  // With HighlightUrls: whether the client point lies on a marked address, and the address
  // (the whole run of address style) at a text position.
  bool IsOverUrl(QPoint client) const;
  bool UrlAt(TPoint pos, std::string& url) const;
  void DoTemplateInsert(TStrings& code);
  // Raises OnJumpToUrl, then opens the address with the platform's shell unless handled.
  void JumpToUrl(const std::string& url);
  // Raises the collapse events; false when the change was refused.
  bool DoCollapseStateChanging(int line, bool collapsed);
  void DoCollapseStateChanged(int line, bool collapsed);

  // ---- Geometry ----
  int LineHeight() const { return lineHeight_; }
  int CharWidth() const { return charWidth_; }
  int TopLine() const { return topLine_; }
  // The first display row shown of the top line (not 0 only while word wrap is on).
  int TopRow() const { return topRow_; }
  int LeftCol() const { return leftCol_; }
  void SetTopLine(int line);
  void SetLeftCol(int column);
  // Left edge of the text area in the viewport.
  int TextLeft() const;
  int VisibleRows() const;
  int VisibleColumns() const;
  // The text position under a viewport point (column may lie past the line end).
  TPoint TextPosFromPoint(QPoint point) const;
  QPoint PointFromTextPos(TPoint pos) const;
  QPoint CaretToClient() const { return PointFromTextPos(store_->CaretPos()); }
  void ScrollBy(int rows);
  // Where the display rows of line y start (word wrap), or just 0.
  std::vector<int> RowStarts(int y) const;
  // Characters in a wrapped display row.
  int WrapWidth() const;
  // Wraps lines first..last again (after a change the store did not report, such as a font).
  void RecalcWrap(int first, int last);
  // The caret's column counted from the start of its display row.
  int CaretRowColumn() const;
  void MakeCaretVisible();
  void CenterCaretLine();

  // ---- Editing ----
  // Types a character at the caret as a key press does; false when it is refused (control
  // characters, 127, a pending prefix key).
  // Types one character: `c` is a byte of Windows-1252 text; `character` its bytes in the
  // document's encoding.
  bool TypeChar(char c);
  bool TypeChar(const std::string& character);
  // The view's own caret commands: by display rows with word wrap, by the window's height.
  void Home();
  void End();
  void PageUp();
  void PageDown();
  void WindowTop();
  void WindowBottom();
  void ScrollLineUp() { ScrollBy(-1); }
  void ScrollLineDown() { ScrollBy(1); }
  // Replaces the selection with `text` and leaves the caret after it (one undo step).
  void InsertText(const std::string& text);
  std::string GetSelText() const { return store_->SelectedText(); }
  // Ends a drag of the selection at the caret: moves it, or copies it when `move` is false.
  // Nothing but dropping the selection when the caret lies inside it.
  void DropSelection(bool move);
  void LoadFromFile(const std::string& fileName);

  // ---- Export and the clipboard ----
  // The whole text with the colours and fonts it is shown with, as an HTML page or an RTF
  // document; a file that cannot be written throws and leaves an existing file as it was.
  void ExportHtmlFile(const std::string& fileName);
  void ExportRtfFile(const std::string& fileName);
  // Runs the export into `exporter`: the whole text, or the selection only.
  void Export(TVrelExporter& exporter, bool selectionOnly);
  // What the export reads of this view.
  TExportSource ExportSource();
  // The store's copy; with cbRtf and a selection the selection's RTF goes beside the text.
  void CopyToClipboard();
  // Copy (as above), then delete the selection, as one undo step.
  void CutToClipboard();
  // With cbRtf, in a document without a parser or with an attribute parser, RTF on the clipboard
  // is pasted with its formatting; otherwise the store's plain paste.
  void PasteFromClipboard();

  // ---- Import ----
  // The text of an RTF file or an HTML page inserted at the caret (one undo step); without a
  // parser the document becomes an attribute document and keeps the formatting. A file that
  // cannot be read throws.
  void InsertRtfFile(const std::string& fileName);
  void ImportHtmlFile(const std::string& fileName);
  // Replaces the text by an RTF file with its formatting (not undoable; left unmodified).
  void LoadRtfFile(const std::string& fileName);
  // Makes an attribute parser owned by the view, styled from its font and background, and
  // attaches it to the store.
  TAttributeParser& CreateAttributeParser();
  TAttributeParser* AttributeParser() const { return attributeParser_.get(); }
  TImportTarget ImportTarget();

  // The colour scheme dialogs ("Load color styles", "Save color styles"). Loading a file that
  // is not a colour scheme shows why and keeps the styles; false when cancelled or failed.
  bool LoadTextStyles();
  bool SaveTextStyles();

  // Renders the visible rows into an image of the viewport's size (tests and benchmarks).
  QImage RenderToImage();

  // ---- Printing ----
  // While not empty the view lays out and paints as if its client area had this size: a
  // printing copy of a view is given the page's size, and it never needs to be shown.
  QSize PrintSize() const { return printSize_; }
  void SetPrintSize(QSize size);
  // Everything paints in black on the view's colour, fonts and their styles kept.
  bool BlackAndWhite = false;
  // Paints the rows from the top line down into a page of PrintSize(): no caret, no selection,
  // no horizontal scrolling.
  void PaintPage(QPainter& painter);
  // The display rows of the whole text: its lines, or with word wrap their wrapped rows.
  // `keepGoing` is asked now and then while lines are wrapped; -1 when it said no.
  int RowCount(const std::function<bool()>& keepGoing = nullptr) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  bool event(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  // Runs a key binding's command; a descendant may add or change commands.
  virtual void ExecuteKeyCommand(const TKeyData& binding);
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  // One display row on the screen: a line's columns [Start, End) at pixel row Top.
  struct TScreenRow {
    int Line;
    int Row;
    int Start;
    int End;
    int Top;
  };
  std::vector<TScreenRow> ScreenRows(int height) const;
  // The client area laid out and painted: the viewport, or the page while printing.
  QSize ClientSize() const;
  int ClientWidth() const { return ClientSize().width(); }
  int ClientHeight() const { return ClientSize().height(); }
  // Pixel offsets of columns from..to of line y relative to column `from` (to - from + 1
  // values); with a proportional font each character is as wide as its style's font makes it.
  std::vector<qreal> Offsets(int y, int from, int to) const;
  qreal Advance(int style, char32_t c) const;
  // Bytes of the document as the characters they are in its encoding.
  QString ShownString(std::string_view bytes) const;
  char32_t CellChar(std::string_view text, const TCell& cell) const;
  // Draws the characters of cells [from, to) of a row, each at its cell's x.
  void DrawCells(QPainter& painter, std::string_view text, const std::vector<TCell>& cells,
                 int from, int to, const std::function<qreal(int)>& xOf, qreal baseline) const;
  const TFont& StyleFont(int style) const;
  // Display rows from the top of the screen to row `row` of line y; below the screen: a large
  // number, above it: negative.
  int RowsFromTop(int y, int row) const;
  int RowOf(TPoint pos) const;
  void ScrollRows(int rows);
  void CaretMoveHook(int& dy, int& dx);
  void ThumbMoved(int value, bool ended);
  TActiveViewHooks Hooks();

  struct TStyleLook {
    const QFont* Font;
    QColor Text;
    QColor Back;
  };

  void Attach(TCustomMemoSource& store);
  void Detach();
  void SourceChanged(TCustomMemoSource& store, int first, int last);
  void UpdateMetrics();
  void UpdateScrollBars();
  void Paint(QPainter& painter, const QRect& clip);
  void PaintGutter(QPainter& painter, const std::vector<TScreenRow>& rows);
  // Left edge of the gutter images and of the bookmark tab.
  int GutterImageLeft() const;
  int BookmarkTabWidth() const;
  int BookmarkTabLeft() const;
  // The index in GutterImgs of the image painted topmost at gutter pixel x of line y, or -1.
  int GutterImageAt(int y, int x) const;
  void PaintRow(QPainter& painter, const TScreenRow& row);
  TStyleLook LookOf(const TStyleLooks& looks, int style, bool selected);
  // How the store's styles look in this view (shared with export and printing).
  TStyleLooks Looks() const;
  const QFont& BaseFont(const TFont& font) const;
  const QFont& QFontFor(const TFont& font);
  QColor ToQColor(TColor color) const;
  bool ColoursEnabled() const;
  bool InMatch(int x, int y) const;
  void MakeMatchVisible();
  void RunCaretMove(TKeyCommand move, bool block);
  void RunEditCommand(const TKeyData& binding);
  // The top or bottom display row shown, as the caret position in it that keeps the caret's
  // column within its row.
  TPoint WindowRowPos(bool bottom) const;
  void ExtendTo(TPoint pos, bool block);
  // What makes the selection's RTF for the clipboard (none without cbRtf).
  std::function<std::string()> SelectionRtf();
  // Whether a paste takes the clipboard's RTF.
  bool TakesRichText() const;
  // A drag of formatted text: moved or copied as RTF; false when the plain move applies.
  bool DropRichText(bool move);
  std::unique_ptr<TAttributeParser> attributeParser_;

  QSize printSize_;
  bool printing_ = false;  // painting a page
  TCustomMemoSource* store_ = nullptr;
  std::unique_ptr<TMemoSource> ownStore_;
  TMemoOptions options_{moThumbTracking, moColorSyntax};
  TFont font_;
  int marginPos_ = 80;
  int gutterWidth_ = 32;
  int horzMaxPos_ = 512;
  bool useGlobalOptions_ = false;
  bool wordSelecting_ = false;  // after a double click, dragging selects whole words
  TPoint wordAnchorStart_, wordAnchorEnd_;
  bool wordWrap_ = false;
  // Row starts of wrapped lines, kept until the text or the width changes.
  mutable QHash<int, std::vector<int>> wrapCache_;
  mutable int wrapCacheWidth_ = 0;
  int topLine_ = 0;
  int topRow_ = 0;
  int leftCol_ = 0;
  int lineHeight_ = 16;
  int charWidth_ = 8;
  int ascent_ = 12;
  mutable QHash<QString, QFont> baseFonts_;
  // Character advances of each font in proportional mode.
  mutable QHash<QString, std::vector<qreal>> advances_;
  mutable QHash<QString, qreal> wideAdvances_;
  QHash<QString, QFont> fonts_;
  bool caretShown_ = true;
  QBasicTimer caretTimer_;
  QBasicTimer scrollTimer_;
  QBasicTimer hintTimer_;
  TPopupHint hint_;
  // The pick list: its window, whether it holds templates (it then keeps the keyboard to
  // itself) and the template each entry stands for.
  std::unique_ptr<TVrelPopupListBox> popupList_;
  bool templateList_ = false;
  std::vector<int> templateIndexes_;
  // Opens a pick list of `entries` with its top-left corner at client point `at`.
  void OpenPickList(std::vector<std::string> entries, QPoint at, std::function<void(int)> chosen);
  // A key while the pick list is open; true when the list used it up.
  bool PickListKey(QKeyEvent* event);
  // After a key the view handled with the list open: the typed word picks the entry; a caret
  // that left the word closes the list.
  void AfterPickListKey(bool typed);
  // The last mouse press was on an address; the hand cursor is shown over one.
  bool urlPressed_ = false;
  bool handShown_ = false;
  QCursor cursorBeforeHand_;
  void UpdateUrlCursor(QPoint client);
  void HandleKey(QKeyEvent* event);
  // A release ends a selection, a drag or a gutter click.
  void EndMouseAction(QMouseEvent* event);
  enum class TMouse { None, Selecting, MaybeDragging, Dragging } mouse_ = TMouse::None;
  qint64 lastDoubleClick_ = 0;
  TPoint mouseAnchor_;
  QPoint lastMouse_;
  bool blockSelecting_ = false;
  bool gutterPressed_ = false;
  std::string keyMapping_;
  TKeyHandler keys_;
};

// The published view.
class TVrelMemo : public TCustomVrelMemo {
  Q_OBJECT
 public:
  using TCustomVrelMemo::TCustomVrelMemo;
};

// The 25 named styles a new view has: "Whitespace", "String", ... "Script ResWord".
TTextStyles DefaultTextStyles();

}  // namespace quorel
