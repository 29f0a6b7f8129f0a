#pragma once
// What a component says about itself: for whoever looks at it, never read at run time.

#include <string>

namespace wumpex {

class TAboutInfo {
 public:
  TAboutInfo(std::string year, std::string maker, std::string description);

  const std::string& Year() const { return year_; }
  const std::string& Maker() const { return maker_; }
  // One line.
  const std::string& Description() const { return description_; }

 private:
  std::string year_;
  std::string maker_;
  std::string description_;
};

}  // namespace wumpex
