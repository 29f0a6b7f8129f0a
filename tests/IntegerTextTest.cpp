#include "framework/IntegerText.h"

#include <gtest/gtest.h>

#include <optional>

#include "framework/Exceptions.h"

namespace wumpex {
namespace {

struct Case {
  const char* text;
  std::optional<std::int32_t> value;  // nothing: rejected
};

TEST(StrToInt, AcceptsAndRejectsTheWrittenForms) {
  const Case cases[] = {
      {"0", 0},
      {"10", 10},
      {"   42", 42},
      {"+7", 7},
      {"-7", -7},
      {"007", 7},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"$1E", 30},
      {"$ff", 255},
      {"  $7FFFFFFF", 2147483647},
      {"$FFFFFFFF", -1},
      {"$80000000", -2147483647 - 1},
      {"$000000001", 1},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"12 ", std::nullopt},
      {"\t12", std::nullopt},
      {"+", std::nullopt},
      {"-", std::nullopt},
      {"1.5", std::nullopt},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999", std::nullopt},
      {"$", std::nullopt},
      {"-$1", std::nullopt},
      {"$-1", std::nullopt},
      {"+$1", std::nullopt},
      {"$100000000", std::nullopt},
      {"$G", std::nullopt},
      {"0x1E", std::nullopt},
      {"abc", std::nullopt},
      {"1 2", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string("text '") + c.text + "'");
    if (c.value) {
      EXPECT_EQ(StrToInt(c.text), *c.value);
    } else {
      EXPECT_THROW(StrToInt(c.text), EConvertError);
    }
  }
}

TEST(StrToInt, MessageQuotesTheWholeTextUnaltered) {
  for (const std::string text : {"abc", " 12 ", "", "%s%d"}) {
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
