#include "components/ComponentInfo.h"

#include <utility>

namespace wumpex {

TAboutInfo::TAboutInfo(std::string year, std::string maker, std::string description)
    : year_(std::move(year)), maker_(std::move(maker)), description_(std::move(description)) {}

}  // namespace wumpex
