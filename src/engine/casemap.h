// Upper and lower case of the documents' 8-bit Windows-1252 characters.
#pragma once

#include <string>

namespace quorel {

char UpperChar(char c);
char LowerChar(char c);
std::string UpperCase(std::string s);
std::string LowerCase(std::string s);

}  // namespace quorel
