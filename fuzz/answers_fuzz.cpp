// Fuzz target: the answer parsers against the C library's strtod, and the numeric
// questions asked again until an answer is usable or the answers run out.
#include <cerrno>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <string_view>

#include "fuzz/Require.h"
#include "text/Answers.h"
#include "text/Faults.h"
#include "ui/Toolkit.h"

namespace {

using kavrel::fuzzing::Require;

// Answers from a list; the end of the list ends the analysis, as at the end of input.
class ListToolkit : public kavrel::Toolkit {
 public:
  explicit ListToolkit(std::deque<std::string> answers) : answers_(std::move(answers)) {}
  std::string Ask(const kavrel::Question& question) override {
    ++asked;
    if (answers_.empty()) throw kavrel::InputFault("end of input");
    last = answers_.front();
    answers_.pop_front();
    return last.empty() ? question.defaultText : last;
  }
  void Message(const std::string& text) override {
    ++messages;
    Require(!text.empty(), "a message without text");
  }
  int asked = 0;
  int messages = 0;
  std::string last;

 private:
  std::deque<std::string> answers_;
};

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
      // The rest of the input, one answer a line.
      std::deque<std::string> answers;
      std::size_t start = 0;
      while (start <= text.size() && answers.size() < 64) {
        const auto end = text.find('\n', start);
        const auto stop = end == std::string_view::npos ? text.size() : end;
        answers.emplace_back(text.substr(start, stop - start));
        start = stop + 1;
      }
      const std::size_t count = answers.size();
      ListToolkit ui(std::move(answers));
      const kavrel::Question question{"prompt", "title", "7"};
      try {
        if (bytes[0] % 3 == 1) {
          const std::int16_t value = kavrel::AskWhole16(ui, question);
          const std::string& answer = ui.last.empty() ? question.defaultText : ui.last;
          Require(kavrel::ParseWhole16(answer) == value,
                  "the value is not that of the accepted answer");
        } else {
          const double value = kavrel::AskNumber(ui, question);
          Require(std::isfinite(value), "a non-finite number accepted");
          const std::string& answer = ui.last.empty() ? question.defaultText : ui.last;
          Require(kavrel::ParseNumber(answer) == value,
                  "the value is not that of the accepted answer");
        }
        // Every refused answer got one message, and was asked again.
        Require(ui.messages == ui.asked - 1, "a refused answer without exactly one message");
      } catch (const kavrel::InputFault&) {
        Require(static_cast<std::size_t>(ui.asked) == count + 1 && ui.messages == ui.asked - 1,
                "the answers did not run out one by one");
      }
      return 0;
    }
  }
}
