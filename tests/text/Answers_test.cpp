// Reading answers, and numeric questions asked again until usable.
#include <gtest/gtest.h>

#include "tests/support/ScriptedToolkit.h"
#include "text/Answers.h"
#include "ui/Ask.h"

namespace kavrel {
namespace {

TEST(ParseNumber, TakesOnlyWholeFiniteNumbersWithAPoint) {
  EXPECT_EQ(ParseNumber(" 15.5 "), 15.5);
  EXPECT_EQ(ParseNumber("\t-2"), -2);
  EXPECT_EQ(ParseNumber("+3"), 3);
  EXPECT_EQ(ParseNumber("1e-3"), 0.001);
  EXPECT_EQ(ParseNumber(".5"), 0.5);
  for (const char* bad : {"", "  ", "abc", "1,5", "1.5x", "nan", "inf", "-inf", "1e999", "0x10",
                          "+-1", "1 2", "--1"}) {
    EXPECT_FALSE(ParseNumber(bad)) << '"' << bad << '"';
  }
}

TEST(ParseWhole16, RoundsHalvesAwayFromZeroWithin16Bits) {
  EXPECT_EQ(ParseWhole16("2.5"), 3);
  EXPECT_EQ(ParseWhole16("-2.5"), -3);
  EXPECT_EQ(ParseWhole16("2.4999"), 2);
  EXPECT_EQ(ParseWhole16(" 32767 "), 32767);
  EXPECT_EQ(ParseWhole16("-32768"), -32768);
  EXPECT_EQ(ParseWhole16("32767.4"), 32767);
  EXPECT_FALSE(ParseWhole16("32767.5"));
  EXPECT_FALSE(ParseWhole16("70000"));
  EXPECT_FALSE(ParseWhole16("two"));
}

TEST(AskWhole16, RefusesWithAMessageNamingTheAnswerAndAsksAgain) {
  test::ScriptedToolkit ui({"abc", "99999", "", "7"});
  const Question question{"prompt", "title", "", 9500, 8500};
  // The empty answer takes the default text, which is empty here: not a number either.
  EXPECT_EQ(AskWhole16(ui, question,
                       [](std::int16_t v) { return v == 7 ? Refusal{} : Refusal("not seven"); }),
            7);
  ASSERT_EQ(ui.messages.size(), 3u);
  EXPECT_NE(ui.messages[0].find("\"abc\""), std::string::npos);
  EXPECT_NE(ui.messages[1].find("\"99999\""), std::string::npos);
  EXPECT_EQ(ui.questions.size(), 4u);
}

}  // namespace
}  // namespace kavrel
