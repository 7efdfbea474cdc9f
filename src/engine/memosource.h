// The text store: one document's lines, caret, selection, bookmarks, colouring data and undo
// history. Every change runs through a few primitives inside a BeginUpdate/EndUpdate bracket,
// and listeners (views) are told once per outermost bracket.
#pragma once

#include <bitset>
#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/bookmarks.h"
#include "engine/encoding.h"
#include "engine/memotypes.h"
#include "engine/position.h"
#include "engine/stringitem.h"
#include "engine/strings.h"
#include "engine/tabstops.h"
#include "engine/undolist.h"
#include "engine/updatereasons.h"
#include "platform/services.h"

namespace quorel {

class TSimpleParser;
class TExternalStrings;
class TLineSplitter;
class TCustomMemoSource;

// A listener is told (store, first changed line, last changed line) after every outermost
// update that produced any change flag.
using TSourceListener = std::function<void(TCustomMemoSource&, int first, int last)>;

// The dialogs a store creates, handed to OnCreateDialog before they are shown; a handler may
// change the texts.
struct TStoreDialog {
  std::string Name;  // "GotoLine"
  std::string Caption;
  std::string Prompt;
  std::string Value;
};

// A named code snippet that the view can insert (none are defined by the program itself).
struct TMemoCodeTemplate {
  std::string Name;
  std::string Description;
  std::string Code;
};
using TMemoCodeTemplates = std::vector<TMemoCodeTemplate>;

// Hooks of the view that last took the store.
struct TActiveViewHooks {
  const void* View = nullptr;
  // Called by MoveCaret before anything else; may rewrite the deltas (display-row moves).
  std::function<void(int& dy, int& dx)> CaretMove;
  // Called after each line is parsed.
  std::function<void(int y, TStringItem& line)> LineParsed;
};

class TCustomMemoSource {
 public:
  // The store reads and writes files, the clipboard and asks questions through `services`.
  explicit TCustomMemoSource(const platform::TServices& services = platform::DefaultServices());
  virtual ~TCustomMemoSource();
  TCustomMemoSource(const TCustomMemoSource&) = delete;
  TCustomMemoSource& operator=(const TCustomMemoSource&) = delete;

  // ---- Properties ----
  const platform::TServices& Services() const { return services_; }
  // The component's name, such as "MemoSource1" (an export's title).
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  void SetServices(const platform::TServices& services) { services_ = services; }
  TStringsOptions Options() const { return options_; }
  void SetOptions(TStringsOptions value);
  TSimpleParser* SyntaxParser() const { return parser_; }
  void SetSyntaxParser(TSimpleParser* parser);
  const std::string& TabStops() const { return tabStops_.Text(); }
  void SetTabStops(const std::string& value);
  const TTabStops& TabStopList() const { return tabStops_; }
  // How the lines' bytes fill columns: the tab stops, and whether the text is UTF-8.
  TCellLayout Cells() const { return TCellLayout(tabStops_, encoding_ == enUtf8); }
  bool IsUtf8() const { return encoding_ == enUtf8; }
  const std::string& Delimeters() const { return delimeters_; }
  void SetDelimeters(const std::string& value);
  bool IsDelimiter(unsigned char c) const { return delimiterSet_[c]; }
  bool ReadOnly() const { return GetReadOnly(); }
  void SetReadOnly(bool value);
  int BlockIndent() const { return blockIndent_; }
  void SetBlockIndent(int value);
  int SpacesInTab() const { return spacesInTab_; }
  void SetSpacesInTab(int value);
  TMemoCodeTemplates& CodeTemplates() { return codeTemplates_; }
  const std::string& TemplatesType() const { return templatesType_; }
  // A registered set's name is taken, and its templates when it has any; others are ignored.
  void SetTemplatesType(const std::string& value);
  bool HighlightUrls() const { return highlightUrls_; }
  void SetHighlightUrls(bool value);
  TBlockOption BlockOption() const { return blockOption_; }
  void SetBlockOption(TBlockOption value);
  TOutFormatType OutFormat() const { return outFormat_; }
  void SetOutFormat(TOutFormatType value) { outFormat_ = value; }
  // How the document's bytes are read as characters; loading tells it from the file.
  TEncoding Encoding() const { return encoding_; }
  // The same bytes read the other way: the lines' lengths in columns change with it, so the
  // undo history (which counts columns) is cleared when a document with text changes.
  void SetEncoding(TEncoding value);
  // Converts every line of a Windows-1252 document to UTF-8, as one undoable step. Every
  // character keeps its column, so positions, bookmarks and the selection stay.
  void ConvertToUtf8();
  // The file began with a UTF-8 byte-order mark, which saving writes back.
  bool ByteOrderMark() const { return byteOrderMark_; }
  void SetByteOrderMark(bool value) { byteOrderMark_ = value; }
  bool AllowUndo() const { return allowUndo_; }
  void SetAllowUndo(bool value);
  int UndoLimit() const { return undoLimit_; }
  void SetUndoLimit(int value);
  bool UseGlobalOptions() const { return useGlobalOptions_; }
  virtual void SetUseGlobalOptions(bool value);
  bool KeepTrailingBlanks() const { return keepTrailingBlanks_; }
  void SetKeepTrailingBlanks(bool value) { keepTrailingBlanks_ = value; }
  TStrings& Lines();
  int TypingStyle() const { return typingStyle_; }
  void SetTypingStyle(int style) { typingStyle_ = style; }
  uint32_t InitialState() const { return initialState_; }
  void SetInitialState(uint32_t state);

  // ---- Events ----
  std::function<void(TCustomMemoSource&, const std::string& fileName, std::string& backupName)>
      OnGetBackupName;
  std::function<void(TCustomMemoSource&, TSelectionType& selType)> OnGetSelectionType;
  std::function<void(TCustomMemoSource&, TStrings& lines)> OnPasteFromClipboard;
  // A character typed or pasted into a Windows-1252 document that the code page cannot hold
  // was left out; `character` is the first such, in UTF-8.
  std::function<void(TCustomMemoSource&, const std::string& character)> OnCharacterNotStored;
  std::function<void(TCustomMemoSource&, TStoreDialog& dialog)> OnCreateDialog;
  // The store's parse event, raised after each line is parsed.
  std::function<void(TCustomMemoSource&, int y, std::string_view text, TLineColors& colors)>
      OnLineParsed;

  // ---- Update bracket and notification ----
  void BeginUpdate(TUpdateReason reason);
  virtual void EndUpdate();
  void BeginUpdateKeepSelection(TUpdateReason reason);
  bool InUpdate() const { return updateDepth_ > 0; }
  void MarkChanged(int first, int last);
  void MarkRepaint(int first, int last);
  void AddFlag(TMemoState flag) { changeFlags_.Include(flag); }
  // `owner` identifies the listener for removal; `destroyed` is called when the store goes away.
  void AddListener(TSourceListener callback, const void* owner, bool initial,
                   std::function<void(TCustomMemoSource&)> destroyed = nullptr);
  void RemoveListener(const void* owner);
  int ListenerCount() const { return static_cast<int>(listeners_.size()); }
  TMemoStates ChangeFlags() const { return changeFlags_; }
  int ChangedFirst() const { return changedFirst_; }
  int ChangedLast() const { return changedLast_; }
  TUpdateReason UpdateReason() const { return updateReason_; }
  void SetActiveView(TActiveViewHooks hooks) { activeView_ = std::move(hooks); }
  const void* ActiveView() const { return activeView_.View; }
  virtual bool AllowFocusChange(const void* view, int message);

  // ---- Text access ----
  int LineCount() const { return lines_.Count(); }
  TStringItem* LineRecord(int y) const { return lines_.At(y); }
  // A line's auxiliary string and object slot (not owned), which travel with its text.
  const std::string& LineTag(int y) const { return lines_.Tag(y); }
  void SetLineTag(int y, std::string tag) { lines_.SetTag(y, std::move(tag)); }
  void* LineObject(int y) const { return lines_.Object(y); }
  void SetLineObject(int y, void* object) { lines_.SetObject(y, object); }
  std::string RawLine(int y) const;
  // The visual (tab-expanded) text of line y.
  std::string Line(int y) const;
  // The line with one byte per column, for the rules that walk words, blanks and brackets by
  // column: Line(y) itself in Windows-1252 text; in UTF-8 text every character beyond ASCII
  // stands as kCellStandIn, and the second column of a wide one as kCellSecondHalf.
  std::string CellLine(int y) const;
  // The caret's place counted in characters, 1-based: a wide character counts once, a tab as
  // the columns it spans, and columns past the line's end one each.
  int CaretCharColumn() const;
  // Calls OnCharacterNotStored with the first character of `utf8` that Windows-1252 lacks.
  void ReportNotStored(std::string_view utf8);
  // The style of each column of CellLine(y): the style of the character's first byte.
  std::string CellColors(int y);
  static constexpr char kCellStandIn = '\xFF';
  static constexpr char kCellSecondHalf = '\xFE';
  int LineLength(int y) const;  // visual length
  bool IsReadOnlyLine(int y) const;
  bool CaretLineReadOnly() const;
  const TLineColors& GetLineColors(int y);
  std::string GetExpandedColors(int y);
  // Visual length of the longest line: the lines are counted by length as they change, so this
  // costs the same in any document (counted once after loading, on the first request).
  int LongestLineLength();

  // ---- Caret and primitives ----
  int CaretX() const { return caret_->X; }
  int CaretY() const { return caret_->Y; }
  void GetCaretPos(TPoint& p) const { p = {caret_->X, caret_->Y}; }
  TPoint CaretPos() const { return {caret_->X, caret_->Y}; }
  void SetCaretPos(int x, int y);
  virtual void MoveCaret(int dy, int dx);
  virtual bool InsertText(const std::string& text);
  virtual void DeleteChars(int count);
  virtual void SplitLine();
  virtual void JoinLines();
  void TrimCaretLine(bool keepCaret);
  void CaretToLineEnd();
  bool IsPositioning() const { return positioning_ > 0; }
  // Whether the update being reported came from a bookmark jump (views may centre the line).
  bool LastUpdateWasBookmarkJump() const { return lastBookmarkJump_; }

  // ---- Parsing ----
  // Parses lines first..last as needed. Lines more than kColoursKeptAbove above `coloursFrom`
  // keep only their states (their colours are worked out when asked for), so that a jump far
  // down neither waits for nor holds the colours of everything above it.
  int ParseLines(int first, int last, bool force, int coloursFrom = 0);
  void EnsureParsed(int y, bool force = false, int coloursFrom = 0);
  static constexpr int kColoursKeptAbove = 1000;
  bool ReparseLine(int y);
  void ReparseAll();
  int ParsedUpTo() const { return parsedUpTo_; }
  virtual void ParserChanged(TSimpleParser& parser);

  // ---- Selection ----
  TSelectionType SelectionType() const { return selType_; }
  TPoint SelStart() const { return {selStart_->X, selStart_->Y}; }
  TPoint SelEnd() const { return {selEnd_->X, selEnd_->Y}; }
  TRect SelectionRect() const { return {selStart_->X, selStart_->Y, selEnd_->X, selEnd_->Y}; }
  // The selection rectangle cut to the text: a stream ending below the last line ends at the
  // last line's end, and no selected row lies below the last line.
  TRect TextSelectionRect() const;
  bool HasSelection() const { return selType_ != stNone; }
  void SetSelectionType(TSelectionType type);
  void SetSelection(TSelectionType type, int startX, int startY, int endX, int endY);
  // The selected part of each selected line: visual text (a block part padded to its width),
  // or with `raw` the stored text of a stream selection, tabs kept.
  std::vector<std::string> SelectedLines(bool raw = false) const;
  std::string SelectedPart(int y, bool raw = false) const;
  // The selected raw text, lines joined by CR LF without a final line end.
  std::string SelectedText() const;
  // The selected text to the clipboard; with `rtf`, the RTF it makes goes beside the text in
  // the same clipboard change.
  virtual void CopyToClipboard(const std::function<std::string()>& rtf = nullptr);
  void HoldKeepSelection() { ++keepSelectionCount_; }
  void ReleaseKeepSelection() { --keepSelectionCount_; }

  // ---- Making selections (the selection's own commands) ----
  void SetSelectionRect(const TRect& r);
  // Runs `move` (a caret movement) and makes the selection follow the caret.
  void ExtendSelection(TSelectionType type, const std::function<void()>& move);
  void MarkBlockBegin();
  void MarkBlockEnd();
  void SelectAll();
  void SelectLine();
  void SelectWord(TWordSelectionType kind);
  // 1-based inclusive bounds of the word at or after column x of line y; {0, 0} when none.
  std::pair<int, int> GetWordBounds(int x, int y, TWordSelectionType kind) const;
  void CaretToBlockBegin();
  void CaretToBlockEnd();
  // The selected columns [from, to) of line y; {0, 0} when the line has none selected.
  std::pair<int, int> SelectedColumns(int y) const;
  bool IsInSelection(int x, int y) const;
  bool CanPaste() const;
  TStrings& SelectionStrings();
  // Inserted by block indent instead of BlockIndent spaces when not empty.
  const std::string& TabText() const { return tabText_; }
  void SetTabText(const std::string& text) { tabText_ = text; }

  // ---- Block operations ----
  void DeleteSelection();
  // Deletes the selection and puts the caret back where it stood, shifted by the deletion.
  void DeleteSelectionKeepCaret();
  // Copy (with `rtf` as for CopyToClipboard), then delete the selection, as one undo step.
  virtual void CutToClipboard(const std::function<std::string()>& rtf = nullptr);
  virtual void PasteFromClipboard();
  // Inserts lines at the caret as a stream or as a column block; `colors` (one string per line)
  // go with them on attribute documents.
  void InsertStringList(const std::vector<std::string>& lines,
                        const std::vector<std::string>* colors, bool asBlock);
  void InsertTextKeepSelection(const std::string& text);
  // Move or copy the selection to the caret; false when the caret lies inside it.
  bool MoveBlock();
  bool CopyBlock();
  void CopySelectionToCaret();
  void TransformSelection(TUpdateReason reason, bool keepCaret, TTransformKind kind);
  // Re-encodes every line into `target` and records the step.
  void Recode(TEncoding target);
  std::string TransformUtf8Line(TTransformKind kind, const std::string& line) const;
  std::string TransformLine(TTransformKind kind, const std::string& line) const;

  // ---- Words ----
  void WordLeft();
  void WordRight();
  void DeleteWordRight();
  void DeleteWordLeft();
  void DeleteWord();
  void LowerCaseWord();
  void UpperCaseWord();
  void CapitaliseWord();

  // ---- Key commands ----
  // Enter: a new line, indented like the text above with soAutoIndent; in overwrite mode only
  // the caret goes down.
  virtual void NewLine();
  // Tab: spaces (or a tab character) up to the next tab stop, or with soSmartTab under the next
  // word of the line above; a selection of several lines is indented instead.
  void InsertTab();
  // Shift+Tab: the caret back to the previous tab stop, or the selected lines unindented.
  void BackTab();
  // Deletes left of the caret; on the first non-blank column with soBackUnindents it unindents
  // to the indentation of a line above, and at column 0 it joins with the line above.
  void Backspace();
  // Deletes right of the caret, or joins the next line at the line end.
  void DeleteChar();
  void DeleteLine();
  void DeleteToLineEnd();
  void DeleteToLineStart();
  void ToggleOverwrite();
  // Moves the caret onto the bracket that matches the one under it, skipping strings and
  // comments (styles 1 and 2).
  void MatchBracket();
  // Inserts a new GUID as ['{...}'] at the caret.
  void InsertGuid();
  // Where Tab from `column` goes: `stop`, or with soSmartTab the next word start (or first
  // non-blank) of the nearest line above `line` that is longer than `column`.
  int SmartTabTarget(int stop, int column, int line) const;
  // Where Backspace unindents to from `column` of `line`: the start of the word before that column
  // on the nearest non-empty line above that is indented less; 0 without one.
  int PrevIndent(int column, int line) const;
  // Left and Right jump over tab spans with soCursorOnTabs or soCursorAlwaysOnTabs. Left at column
  // 0 may go to the end of the line above; Right at a line end goes to the next line with
  // soLimitEOL, except while a block is being extended.
  void CaretLeft(bool wrapToPreviousLine = false);
  void CaretRight(bool blockMove = false);
  void SelectCharLeft();
  // With soOverwriteBlocks (and without soPersistentBlocks) typing replaces the selection: this
  // deletes it. True when there was one.
  bool DeleteOverwrittenBlock();

  // ---- Search match rectangle (shown by views) ----
  TRect MatchRect() const { return matchRect_; }
  void SetMatchRect(const TRect& r);

  // ---- Files and state ----
  void LoadFromFile(const std::string& fileName);
  void LoadFromStream(std::istream& in);
  // Replaces the whole text by the bytes of a file's content (the loading rules apply).
  void LoadFromBuffer(std::string_view data);
  void SaveToFile(const std::string& fileName);
  void SaveToStream(std::ostream& out);
  // The bytes SaveToStream writes.
  std::string SaveToString();
  // Appends what SaveToString writes for lines [first, last), without the byte-order mark; the
  // pieces of consecutive ranges make up the whole.
  void AppendSavedLines(std::string& out, int first, int last) const;
  // Hands what SaveToString makes to `write` in pieces of a few thousand lines, in order.
  void SaveInPieces(const std::function<void(std::string_view)>& write) const;
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& name);
  bool Modified() const { return modified_; }
  void SetModified(bool value);
  int SavedPoint() const { return savedPoint_; }
  bool SavedPointLost() const { return savedPointLost_; }
  void ClearText();
  void SetLineImage(int y, int image);
  virtual void SetTransientLineImage(int y, int image);
  virtual void ClearTransientLineImage();
  void InvalidateLine(int y);
  void SetLineState(int y, int bit, bool on);
  void SetLineReadOnly(int y, bool on) { SetLineState(y, 1, on); }
  void GotoLineDialog();

  // ---- Bookmarks ----
  void SetBookmark(int n);
  void ClearBookmark(int n);
  void ToggleBookmark(int n);
  void GotoBookmark(int n);
  bool GetBookmark(int n, TPoint& p) const;
  int BookmarkAtLine(int y) const { return bookmarks_.AtLine(y); }
  const TBookmarkList& Bookmarks() const { return bookmarks_; }

  // ---- Undo and redo ----
  // Each replays one run of records (one update, or with soGroupUndo every consecutive record of
  // the same reason); nothing on a ReadOnly store.
  void Undo();
  void Redo();
  // Whether the text differs from the saved file, judged from the undo records.
  bool IsModifiedByHistory() const;
  bool CanUndo() const { return !undoList_.Empty(); }
  bool CanRedo() const { return !redoList_.Empty(); }
  void ClearUndo();
  void ClearRedo();
  void BeginUndoGroup();
  void EndUndoGroup();
  const TUndoList& UndoList() const { return undoList_; }
  const TUndoList& RedoList() const { return redoList_; }
  // A new record in the list that currently receives records, or null without AllowUndo.
  TUndoRecord* AddUndoRecord(TUndoKind kind);
  // Replaces colour bytes of line y from 1-based column `column` (attribute documents), recording
  // the old bytes when they differ.
  void ReplaceColors(int y, int column, const std::string& colors);
  // Marks the web and mail addresses of line y with the address style (with HighlightUrls on,
  // after the parser coloured the line).
  void MarkUrls(int y, TStringItem& line);

  // After the properties were set from a window's description: a clean, unmodified start.
  void Loaded();
  const TInternalStrings& InternalLines() const { return lines_; }

  // ---- Process-wide ----
  // One insert/overwrite mode for all stores and views; switching it tells every store's
  // listeners (msOverwriteChanged).
  static bool OverwriteMode();
  static void SetOverwriteMode(bool overwrite);
  // The store whose FileName equals `fileName` (ignoring case), or null.
  static TCustomMemoSource* FindByFileName(const std::string& fileName);
  static int StoreCount();

 protected:
  virtual bool GetReadOnly() const { return readOnly_; }
  virtual bool ChangeFileName(const std::string& name);
  virtual void DoGetSelectionType(TSelectionType& selType);
  virtual void GetBackupName(const std::string& fileName, std::string& backupName);
  virtual void NotifyListeners(int first, int last);
  virtual void DoLineParsed(int y, TStringItem& line);
  // The colours of a line parsed for its states only.
  void ColourLeftOutLine(int y, TStringItem& line);
  TLineColors leftOutColors_;  // where left-out lines are coloured, to be thrown away
  virtual void LoadFile(const std::string& fileName);
  virtual void WriteFile(const std::string& fileName);
  virtual void DoPasteFromClipboard(TStrings& lines);

 private:
  std::string name_;
  friend class TExternalStrings;
  friend class TUndoReplay;

  struct TListener {
    TSourceListener Callback;
    const void* Owner;
    std::function<void(TCustomMemoSource&)> Destroyed;
  };

  bool HasAttributes() const;
  void ApplyOptions(TStringsOptions value);
  void RebuildDelimiters();
  // Line edits below keep the longest-line counters right.
  void LineLengthChanged(int oldLength, int newLength);
  void LineRemoved(int length);
  void SetLineText(int y, std::string text);
  // Makes the caret's line exist, appending empty lines through recorded splits; false when
  // it cannot (the last line is read-only).
  bool EnsureCaretLine();
  void RemoveSingleEmptyLine();
  void ExpandCollapsedHeader(int y);
  void WriteInsertRecords(int leftDistance, int count);
  void ShiftAll(TShiftKind kind, int count, int bookmarkArg);
  void RepaintSelectionChange();
  // Normalised lines [top, bottom] covered by a selection.
  void MarkSelectionLines(TSelectionType type, TPoint start, TPoint end);
  bool IsSelectionEmpty() const;
  void ReplaceAllLines(std::string_view data, TUpdateReason reason);
  void ReplaceAllLines(TLineSplitter& splitter, TUpdateReason reason);
  void LoadLines(TLineSplitter& splitter);
  std::string BackupNameFor(const std::string& fileName);
  void TrimUndoList();
  // Replays one run from `from`, writing the reversal's records to `to`.
  void Replay(TUndoList& from, TUndoList& to);
  void Reverse(const TUndoRecord& record);
  void AfterReplay();
  void ApplyGlobalOptions();
  bool MoveOrCopyBlock(bool move);
  void InsertLinesAsBlock(const std::vector<std::string>& lines,
                          const std::vector<std::string>* colors, bool asBlock);
  void InsertLinesAsStream(const std::vector<std::string>& lines,
                           const std::vector<std::string>* colors);
  // Inserts text at the caret, then gives it the colours (attribute documents).
  int InsertColoured(const std::string& text, const std::string* colors);
  void WordOnCaret(TUpdateReason reason, TTransformKind kind);
  // Indents or unindents the selected lines by `tabText` instead of the store's tab text.
  void ShiftSelectedLines(const std::string& tabText, TUpdateReason reason, TTransformKind kind);
  int NewLineIndent(const std::string& text, int x, int y) const;
  std::string IndentText(int columns, const std::string& previousRaw) const;
  void DeleteCaretMove(TUpdateReason reason, void (TCustomMemoSource::*move)());

  // Lines and text rules.
  TInternalStrings lines_;
  TStringsOptions options_ = DefaultStoreOptions;
  TTabStops tabStops_;
  std::string delimeters_;
  std::bitset<256> delimiterSet_;
  bool readOnly_ = false;
  int blockIndent_ = 1;
  int spacesInTab_ = 8;
  std::string templatesType_ = "None";
  std::string tabText_;
  std::unique_ptr<TStrings> selectionStrings_;
  TMemoCodeTemplates codeTemplates_;
  bool highlightUrls_ = false;
  TBlockOption blockOption_ = bkBoth;
  TOutFormatType outFormat_ = ofWindows;
  TEncoding encoding_ = enUtf8;
  bool byteOrderMark_ = false;
  bool useGlobalOptions_ = false;
  bool keepTrailingBlanks_ = false;
  int typingStyle_ = -1;
  std::unique_ptr<TExternalStrings> linesFacade_;

  // Positions.
  TPositions positions_;
  TPosition* caret_;
  TPosition* selStart_;
  TPosition* selEnd_;
  TSelectionType selType_ = stNone;
  int keepSelectionCount_ = 0;

  // The update bracket.
  int updateDepth_ = 0;
  TUpdateReason updateReason_ = urNone;
  platform::TServices services_;
  TMemoStates changeFlags_;
  int changedFirst_ = MaxInt;
  int changedLast_ = -MaxInt;
  int savedLineCount_ = 0;
  bool savedModified_ = false;
  TSelectionType savedSelType_ = stNone;
  TPoint savedSelStart_, savedSelEnd_, savedCaret_;
  // Positions saved by BeginUpdateKeepSelection (shifted by the primitives), or null.
  TPosition* keepSelStart_ = nullptr;
  TPosition* keepSelEnd_ = nullptr;
  TPosition* keepCaret_ = nullptr;
  TSelectionType keepSelType_ = stNone;
  bool firstRecordMark_ = false;
  int stateChangeEnd_ = -1;
  bool bookmarkJump_ = false;
  bool lastBookmarkJump_ = false;
  int positioning_ = 0;
  bool replaying_ = false;
  std::vector<TListener> listeners_;
  TActiveViewHooks activeView_;

  // Document state.
  std::string fileName_;
  bool modified_ = false;
  int savedPoint_ = -1;
  bool savedPointLost_ = false;
  TBookmarkList bookmarks_;
  TRect matchRect_{0, 0, -1, -1};
  TRect prevMatchRect_{0, 0, -1, -1};
  int transientLine_ = -1;
  int transientOldImage_ = 0;

  // Parsing.
  TSimpleParser* parser_ = nullptr;
  int parsedUpTo_ = 0;
  uint32_t initialState_ = 0;

  // How many lines have each visual length; stale after loading until first asked.
  std::map<int, int> lineLengths_;
  bool lineLengthsStale_ = false;

  // Undo.
  TUndoList undoList_;
  TUndoList redoList_;
  // The list that receives new records: the undo list, or the redo list while undo replays.
  TUndoList* recordsTarget_ = &undoList_;
  int undoGroupDepth_ = 0;
  int groupStartCount_ = 0;
  bool allowUndo_ = true;
  int undoLimit_ = 0;
};

// The published store; it adds nothing to the base.
class TMemoSource : public TCustomMemoSource {
 public:
  using TCustomMemoSource::TCustomMemoSource;
};

// Options shared by every store whose UseGlobalOptions is on; changing one pushes it to them.
class TMemoSourceOptions {
 public:
  TStringsOptions Options() const { return options_; }
  void SetOptions(TStringsOptions value);
  const std::string& TabStops() const { return tabStops_; }
  void SetTabStops(const std::string& value);
  const std::string& Delimeters() const { return delimeters_; }
  void SetDelimeters(const std::string& value);
  int BlockIndent() const { return blockIndent_; }
  void SetBlockIndent(int value);
  bool KeepTrailingBlanks() const { return keepTrailingBlanks_; }
  void SetKeepTrailingBlanks(bool value);

 private:
  void Push();
  TStringsOptions options_ = DefaultStoreOptions;
  std::string tabStops_ = "9,17";
  std::string delimeters_ = "/{}+-*():=,;><$.#[]^@&~|%'";
  int blockIndent_ = 1;
  bool keepTrailingBlanks_ = false;
};

TMemoSourceOptions& GlobalMemoSourceOptions();

// True when the last copy from any store was a block selection.
bool& ClipboardIsBlock();

}  // namespace quorel
