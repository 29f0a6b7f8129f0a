#include "framework/Text.h"

#include <algorithm>

namespace wumpex {

std::string UpperCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), UpCaseAZ);
  return text;
}

}  // namespace wumpex
