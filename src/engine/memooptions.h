// The editing view's option flags, shared with printing and the settings.
#pragma once

#include "engine/enumset.h"

namespace quorel {

enum TMemoOption {
  moDrawMargin,
  moDrawGutter,
  moThumbTracking,
  moDblClickLine,
  moColorSyntax,
  moLineNumbers,
  moOverwriteCaret,
  moLeftIndent,
  moDisableDrag,
  moSelectOnlyText,
  moLineNumbersOnGutter,
  moNotePadCursorStyle,
  moBreakWordAtMargin,
  moDrawSpecialSymbols,
  moDisableRightClickMove,
  moColoredLineStyle,
  moDisableInvertedSel,
  moHideInvisibleLines,
  moDrawLineBookmarks,
  moShowScrollHint,
  moUseReadOnlyColor,
  moExtendedSel,
  moCenterOnBookmark,
  moTripleClick,
  moLimitLineNumbers,
};
using TMemoOptions = TEnumSet<TMemoOption>;

}  // namespace quorel
