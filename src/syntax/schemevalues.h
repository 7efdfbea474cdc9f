// How scheme files spell values: colour, character-set and pitch identifiers, and the notation for
// sets of characters (identifier characters).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/fonttypes.h"
#include "syntax/charset.h"

namespace quorel {

// "clBlack", "clWindowText", ..., or the colour as a signed decimal integer.
std::string ColorToText(TColor color);
// A colour name (any case) or nothing.
std::optional<TColor> ColorFromIdent(std::string_view ident);

// "DEFAULT_CHARSET", ..., or the value as a decimal integer.
std::string CharsetToText(int charset);
std::optional<int> CharsetFromIdent(std::string_view ident);

const char* PitchToText(TFontPitch pitch);
std::optional<TFontPitch> PitchFromIdent(std::string_view ident);

// "[fsBold, fsItalic]", "[]" when empty.
std::string FontStyleToText(TFontStyles style);
std::optional<TFontStyle> FontStyleFromIdent(std::string_view ident);

// Members in ascending order, "\" and "-" escaped with "\", runs of two or more as "first-last":
// the default first identifier characters read "A-Z_a-z".
std::string CharSetToText(const TCharSet& set);
TCharSet CharSetFromText(std::string_view text);

// Comparison of identifiers without regard to the case of ASCII letters.
bool SameIdent(std::string_view a, std::string_view b);

}  // namespace quorel
