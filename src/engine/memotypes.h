// Types shared by the text store and its clients: points, option sets, change flags.
#pragma once

#include <climits>
#include <cstdint>

#include "engine/enumset.h"

namespace quorel {

constexpr int MaxInt = INT_MAX;
// The caret and selections stay within these: a document cannot have more lines, and the caret
// goes at most this far past the end of a line.
constexpr int kMaxLine = INT_MAX / 2;
constexpr int kMaxVirtualColumn = 1 << 20;

struct TPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TPoint&) const = default;
};

struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const TRect&) const = default;
};

enum TSelectionType { stNone, stStream, stBlock };
enum TBlockOption { bkStreamSel, bkBlockSel, bkNone, bkBoth };
enum TOutFormatType { ofWindows, ofMac, ofUnix };
enum TWordSelectionType { wsWordOnly, wsWordWithSpace, wsUntilNextWord };

// What TransformSelection does to each selected line.
enum TTransformKind {
  tkUpperCase,
  tkLowerCase,
  tkToggleCase,
  tkCapitalise,
  tkQuote,
  tkIndent,
  tkUnindent,
};

enum TStringsOption {
  soBackUnindents,
  soGroupUndo,
  soBeyondFileEnd,
  soForceCutCopy,
  soAutoIndent,
  soSmartTab,
  soFindTextAtCursor,
  soCreateBackups,
  soPersistentBlocks,
  soOverwriteBlocks,
  soLimitEOL,
  soUseTabCharacter,
  soCursorOnTabs,
  soOptimalFill,
  soSelectFoundText,
  soExcludeReadOnlyLines,
  soCursorAlwaysOnTabs,
  soUsePrevIndent,
};
using TStringsOptions = TEnumSet<TStringsOption>;

enum TMemoState {
  msCaretMoved,
  msTextChanged,
  msUndoRedo,
  msRepaint,
  msOverwriteChanged,
  msLineCountChanged,
  msModifiedChanged,
  msMatchChanged,
  msFileNameChanged,
  msReserved,
  msParserChanged,
  msReadOnlyChanged,
};
using TMemoStates = TEnumSet<TMemoState>;

// The flags that mean "everything changed": after loading and when a view attaches.
inline constexpr TMemoStates msAll = {
    msCaretMoved,       msUndoRedo,        msRepaint,         msOverwriteChanged,
    msLineCountChanged, msModifiedChanged, msFileNameChanged, msParserChanged,
};
static_assert(msAll.Bits() == 1405, "stored and compared as this number");

// Options of a new store.
inline constexpr TStringsOptions DefaultStoreOptions = {
    soBackUnindents, soGroupUndo,        soForceCutCopy,    soAutoIndent,
    soSmartTab,      soFindTextAtCursor, soOverwriteBlocks,
};

// Bits of a line record's LineState.
enum : uint8_t {
  lsParsed = 1 << 0,
  lsReadOnly = 1 << 1,
  lsHidden = 1 << 2,
  lsExpandedHeader = 1 << 3,
  lsCollapsedHeader = 1 << 4,
  // Parsed for its start and end states only; its colours are worked out when asked for.
  lsColorsLeftOut = 1 << 5,
};

}  // namespace quorel
