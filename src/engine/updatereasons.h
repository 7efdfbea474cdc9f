// Why the store is being changed: every update bracket carries one reason, which every undo record
// of the update keeps. Undo and redo group records of the same reason, so these values are also
// part of how edits combine into one undo step.
#pragma once

#include <cstdint>

namespace quorel {

enum TUpdateReason : uint8_t {
  urNone = 0,
  urCaretMove = 2,  // arrow keys, word moves, go to end
  urJoinLines = 3,
  urSplitLine = 4,
  urInsertText = 5,   // inserting text and typing a character
  urDeleteChars = 6,  // deleting characters, trimming trailing blanks
  urBackspace = 8,
  urDeleteLine = 9,  // also deleting one entry of Lines
  urDeleteToLineStart = 10,
  urMarkBlockBegin = 11,
  urMarkBlockEnd = 12,
  urSelectionType = 13,
  urExtendSelection = 16,  // a caret move that extends the selection
  urSelectionRect = 17,
  urSelectAll = 18,
  urSelectLine = 19,
  urCut = 20,
  urInsertLines = 21,
  urDeleteSelection = 22,
  urMoveBlock = 23,  // moving or copying a block
  urUpperCaseSelection = 25,
  urLowerCaseSelection = 26,
  urToggleCaseSelection = 27,
  urSelectWord = 30,
  urSetSelection = 31,
  urDeleteWordRight = 33,
  urDeleteWordLeft = 34,
  urLowerCaseWord = 35,
  urUpperCaseWord = 36,
  urReplaceSelection = 38,     // the view puts text over the selection
  urInsertKeepSelection = 39,  // also inserting one entry of Lines
  urEnter = 40,
  urInsertMode = 41,  // the insert/overwrite switch
  urMouseSelect = 43,
  urMouseSelectEnd = 44,
  urSetBookmark = 45,
  urClearBookmark = 46,
  urResetPositions = 47,
  urLoad = 48,
  urModified = 49,
  urViewAttached = 50,
  urInsertTemplate = 51,
  urTab = 52,
  urRepaintLine = 53,
  urReplace = 54,
  urSearch = 55,
  urFileName = 56,
  urReparseAll = 57,
  urClear = 58,  // clearing all text, also through Lines
  urLinesPut = 59,
  urLinesUpdate = 60,  // any other update through Lines
  urLoaded = 61,       // after the form holding the store has loaded
  urCapitalizeWord = 62,
  urCapitalizeSelection = 64,
  urBlockIndent = 65,
  urBlockUnindent = 66,
  urQuoteSelection = 67,
  urLineImage = 68,
  urCopyToCaret = 69,  // copying the selection to the caret
  urReadOnly = 70,
  urTextAttributes = 71,
  urImport = 72,
  urLineState = 73,
  urConvertEncoding = 74,  // the whole text re-encoded (Windows-1252 to UTF-8 or back)
};

}  // namespace quorel
