// Upper and lower case of the documents' 8-bit Windows-1252 characters.
#pragma once

#include <array>
#include <string>

namespace quorel {

char UpperChar(char c);
char LowerChar(char c);
// The lower case of every byte, for loops that look characters up directly.
const std::array<unsigned char, 256>& LowerTable();
std::string UpperCase(std::string s);
std::string LowerCase(std::string s);

}  // namespace quorel
