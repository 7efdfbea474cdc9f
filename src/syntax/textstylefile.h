// Colour scheme files (".RGB"): a view's named text styles as text, one style a line:
//   Name=font name,height,colour,style bits,background,uses view colour,upper case
#pragma once

#include <string>

#include "syntax/textstyles.h"

namespace quorel {

std::string TextStylesToText(const TTextStyles& styles);
// Throws EVrelError naming the line when the text is not a colour scheme.
TTextStyles TextStylesFromText(const std::string& text);

}  // namespace quorel
