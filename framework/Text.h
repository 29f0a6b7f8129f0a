#pragma once
// Byte strings as the ANSI functions see them. Letter case is folded for a to z only: no
// locale is consulted, so accented letters keep their case.

#include <string>

namespace wumpex {

inline char UpCaseAZ(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string UpperCase(std::string text);

}  // namespace wumpex
