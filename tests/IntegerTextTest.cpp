#include "framework/IntegerText.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/Exceptions.h"

namespace wumpex {
namespace {

TEST(StrToInt, AcceptsTheWrittenForms) {
  constexpr std::int32_t kMax = 2147483647, kMin = -kMax - 1;
  const struct {
    const char* text;
    std::int32_t value;
  } cases[] = {{"0", 0},
               {"10", 10},
               {"   42", 42},
               {"+7", 7},
               {"-7", -7},
               {"007", 7},
               {"$9E", 158},
               {"$aF", 175},
               {"$FFFFFFFF", -1},
               {"$000000001", 1},
               {"2147483647", kMax},
               {"-2147483648", kMin},
               {"  $7FFFFFFF", kMax},
               {"$80000000", kMin}};
  for (const auto& c : cases) EXPECT_EQ(StrToInt(c.text), c.value) << c.text;
}

// The message quotes the whole text unaltered, even one that looks like a format.
TEST(StrToInt, RejectsEverythingElseQuotingTheText) {
  for (const std::string text :
       {"",           "   ",         "12 ",         "\t12", "+",   "-",   "1.5",
        "2147483648", "-2147483649", "99999999999", "$",    "-$1", "$-1", "+$1",
        "$100000000", "$G",          "$g",          "0x1E", "abc", "1 2", "%s%d"}) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const EConvertError& e) {
      EXPECT_EQ(e.Message(), "'" + text + "' is not a valid integer value");
    }
  }
}

}  // namespace
}  // namespace wumpex
