// Reading the user's answers and asking numeric questions again until usable.
#include "analysis/Answers.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace kavrel {

namespace {

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

template <class Real>
std::optional<Real> ParseReal(std::string_view text) {
  text = TrimBlanks(text);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) return std::nullopt;
  }
  if (text.empty()) return std::nullopt;
  Real value{};
  const auto result =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (result.ec != std::errc{} || result.ptr != text.data() + text.size()) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) { return ParseReal<double>(text); }

std::optional<float> ParseSingle(std::string_view text) { return ParseReal<float>(text); }

std::optional<std::int16_t> ParseWhole16(std::string_view text) {
  const auto value = ParseNumber(text);
  if (!value) return std::nullopt;
  const double whole = std::round(*value);  // halves away from zero
  if (whole < -32768.0 || whole > 32767.0) return std::nullopt;
  return static_cast<std::int16_t>(whole);
}

bool IsNo(std::string_view answer) { return answer == "n" || answer == "N"; }

bool IsYes(std::string_view answer) { return answer == "Y" || answer == "y"; }

std::string NotANumberMessage(const std::string& answer) {
  return "The answer \"" + answer +
         "\" is not a number. Please type a number with the point \".\" as decimal separator.";
}

std::string AskUntilAccepted(Toolkit& ui, const Question& question,
                             const std::function<std::string(const std::string&)>& accept) {
  for (;;) {
    std::string answer = ui.Ask(question);
    const std::string refusal = accept(answer);
    if (refusal.empty()) return answer;
    ui.Message(refusal);
  }
}

std::int16_t AskWhole16(Toolkit& ui, const Question& question,
                        const std::function<std::string(std::int16_t)>& check) {
  std::int16_t value = 0;
  AskUntilAccepted(ui, question, [&](const std::string& answer) -> std::string {
    const auto whole = ParseWhole16(answer);
    if (!whole) {
      if (!ParseNumber(answer)) return NotANumberMessage(answer);
      return "The answer \"" + answer + "\" is not a whole number from -32768 to 32767.";
    }
    value = *whole;
    return check ? check(value) : std::string{};
  });
  return value;
}

double AskNumber(Toolkit& ui, const Question& question,
                 const std::function<std::string(double)>& check) {
  double value = 0;
  AskUntilAccepted(ui, question, [&](const std::string& answer) -> std::string {
    const auto number = ParseNumber(answer);
    if (!number) return NotANumberMessage(answer);
    value = *number;
    return check ? check(value) : std::string{};
  });
  return value;
}

}  // namespace kavrel
