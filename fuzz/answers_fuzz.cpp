// Fuzz target: the answer parsers against the C library's strtod, and the numeric
// questions asked again until an answer is usable or the answers run out.
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/Require.h"
#include "tests/support/ScriptedToolkit.h"
#include "text/Answers.h"
#include "text/Faults.h"
#include "ui/Ask.h"

namespace {

using kavrel::fuzzing::Require;

// strtod's reading of a text of digits, points, signs and exponents, which is all that
// ParseNumber takes apart from surrounding blanks.
void CompareWithStrtod(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return;
  const auto last = text.find_last_not_of(" \t");
  const std::string core(text.substr(first, last - first + 1));
  if (core.find_first_not_of("0123456789.eE+-") != std::string::npos) {
    Require(!kavrel::ParseNumber(text), "a text with letters read as a number");
    return;
  }
  errno = 0;
  char* end = nullptr;
  const double expected = std::strtod(core.c_str(), &end);
  const bool whole = end == core.c_str() + core.size();
  const auto parsed = kavrel::ParseNumber(text);
  if (!whole || !std::isfinite(expected)) {
    Require(!parsed, "a number taken that strtod refuses or finds beyond a double");
    return;
  }
  Require(parsed.has_value(), "a number refused that strtod reads");
  Require(std::signbit(*parsed) == std::signbit(expected), "the sign differs from strtod");
  Require(*parsed == expected, "the value differs from strtod");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  if (size == 0) return 0;
  const std::string rest(bytes + 1, bytes + size);
  const std::string_view text(rest);
  switch (bytes[0] % 3) {
    case 0: {
      CompareWithStrtod(text);
      const auto number = kavrel::ParseNumber(text);
      const auto single = kavrel::ParseSingle(text);
      if (single)
        Require(std::isfinite(*single) && number.has_value(),
                "a single-precision number that is no double");
      const auto whole = kavrel::ParseWhole16(text);
      if (whole)
        Require(number && std::fabs(*number - *whole) <= 0.5,
                "a whole number not nearest its number");
      if (number && !whole)
        Require(std::fabs(*number) >= 32767.5, "a number within 16 bits refused as a whole number");
      return 0;
    }
    default: {
      // The rest of the input, one answer a line; the end of the list ends the analysis, as
      // at the end of input.
      std::vector<std::string> answers;
      std::size_t start = 0;
      while (start <= text.size() && answers.size() < 64) {
        const auto end = text.find('\n', start);
        const auto stop = end == std::string_view::npos ? text.size() : end;
        answers.emplace_back(text.substr(start, stop - start));
        start = stop + 1;
      }
      kavrel::test::ScriptedToolkit ui(answers);
      const kavrel::Question question{"prompt", "title", "7"};
      // The answer to the last question asked: as listed, or the default for an empty one.
      const auto accepted = [&]() -> std::string {
        const std::string& last = answers.at(ui.questions.size() - 1);
        return last.empty() ? question.defaultText : last;
      };
      try {
        if (bytes[0] % 3 == 1) {
          const std::int16_t value = kavrel::AskWhole16(ui, question);
          Require(kavrel::ParseWhole16(accepted()) == value,
                  "the value is not that of the accepted answer");
        } else {
          const double value = kavrel::AskNumber(ui, question);
          Require(std::isfinite(value), "a non-finite number accepted");
          Require(kavrel::ParseNumber(accepted()) == value,
                  "the value is not that of the accepted answer");
        }
        // Every refused answer got one message, and was asked again.
        Require(ui.messages.size() + 1 == ui.questions.size(),
                "a refused answer without exactly one message");
      } catch (const kavrel::InputFault&) {
        Require(ui.questions.size() == answers.size() + 1 && ui.messages.size() == answers.size(),
                "the answers did not run out one by one");
      }
      for (const std::string& message : ui.messages)
        Require(!message.empty(), "a message without text");
      return 0;
    }
  }
}
