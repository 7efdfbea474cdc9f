// Syntax blocks.
#include "syntax/syntaxblock.h"

namespace quorel {

TCharSet TSyntaxBlockProps::DefaultFirstIdentChars() {
  TCharSet s;
  s.IncludeRange('A', 'Z');
  s.IncludeRange('a', 'z');
  s.Include('_');
  return s;
}

TCharSet TSyntaxBlockProps::DefaultOtherIdentChars() {
  TCharSet s = DefaultFirstIdentChars();
  s.IncludeRange('0', '9');
  return s;
}

TSyntaxBlockProps::TSyntaxBlockProps()
    : FirstIdentChars(DefaultFirstIdentChars()), OtherIdentChars(DefaultOtherIdentChars()) {}

}  // namespace quorel
