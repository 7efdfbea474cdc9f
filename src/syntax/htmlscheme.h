// The schemes the program carries as built-in data: "HTML" and the empty scheme.
#pragma once

#include "syntax/attritem.h"

namespace quorel {

class TSyntaxScheme;

// Fills `scheme` with the complete built-in "HTML" scheme (version 3).
void BuildHtmlScheme(TSyntaxScheme& scheme);
// One block "Default" with ID 0 and no styles (version 3).
void BuildEmptyScheme(TSyntaxScheme& scheme);
// The default style of the parsers that hold the HTML scheme (Courier New, 8 points).
TAttrItem HtmlDefaultAttr();
// The default style of the parser with the empty scheme (Courier New, 10 points).
TAttrItem EmptySchemeDefaultAttr();

}  // namespace quorel
