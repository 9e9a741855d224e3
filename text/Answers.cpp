// Reading the user's answers: numbers, whole numbers, yes and no.
#include "text/Answers.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace kavrel {

namespace {

// For a number that from_chars found out of range: whether it lies below 1 in magnitude
// (so it underflows to zero) rather than beyond the largest value. The power of ten of its
// first non-zero digit plus its exponent decides.
bool BelowOne(std::string_view number) {
  long long power = 0;
  long long zerosAfterPoint = 0;
  bool point = false;
  bool found = false;
  std::size_t i = 0;
  for (; i < number.size() && number[i] != 'e' && number[i] != 'E'; ++i) {
    const char c = number[i];
    if (c == '.') {
      point = true;
    } else if (c >= '0' && c <= '9') {
      if (found) {
        if (!point) ++power;
      } else if (c != '0') {
        found = true;
        power = point ? -(zerosAfterPoint + 1) : 0;
      } else if (point) {
        ++zerosAfterPoint;
      }
    }
  }
  long long exponent = 0;
  bool negative = false;
  if (i < number.size()) ++i;
  if (i < number.size() && (number[i] == '-' || number[i] == '+')) negative = number[i++] == '-';
  for (; i < number.size(); ++i) {
    if (exponent < 1000000000) exponent = exponent * 10 + (number[i] - '0');
  }
  return power + (negative ? -exponent : exponent) < 0;
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
  if (result.ptr != text.data() + text.size()) return std::nullopt;
  if (result.ec == std::errc::result_out_of_range) {
    // Too small for the type is zero, as the nearest value; too large is not a number.
    if (!BelowOne(text)) return std::nullopt;
    return text.front() == '-' ? -Real{0} : Real{0};
  }
  if (result.ec != std::errc{}) return std::nullopt;
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

std::optional<double> ParseNumber(std::string_view text) {
  return ParseReal<double>(text);
}

std::optional<float> ParseSingle(std::string_view text) {
  return ParseReal<float>(text);
}

std::optional<std::int16_t> ParseWhole16(std::string_view text) {
  if (!ParseNumber(text)) return std::nullopt;
  // Rounded on the decimal text as typed, halves away from zero: "1.49999999999999999999" is
  // 1, though its nearest double is 1.5. ParseNumber has checked the form: an optional sign,
  // digits with at most one point, an optional exponent.
  text = TrimBlanks(text);
  const bool negative = text.front() == '-';
  if (text.front() == '-' || text.front() == '+') text.remove_prefix(1);
  std::string digits;   // every mantissa digit, the point left out
  long long point = 0;  // digits before the point
  bool seenPoint = false;
  std::size_t i = 0;
  for (; i < text.size() && text[i] != 'e' && text[i] != 'E'; ++i) {
    if (text[i] == '.') {
      seenPoint = true;
    } else {
      digits.push_back(text[i]);
      if (!seenPoint) ++point;
    }
  }
  if (i < text.size()) {
    long long exponent = 0;
    bool negativeExponent = false;
    ++i;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negativeExponent = text[i++] == '-';
    for (; i < text.size(); ++i) {
      if (exponent < 100000) exponent = exponent * 10 + (text[i] - '0');
    }
    point += negativeExponent ? -exponent : exponent;
  }
  // The whole part is digits[0, point), the first decimal digits[point].
  long long whole = 0;
  for (long long k = 0; k < point; ++k) {
    const char digit =
        k < static_cast<long long>(digits.size()) ? digits[static_cast<std::size_t>(k)] : '0';
    whole = whole * 10 + (digit - '0');
    if (whole > 32768) return std::nullopt;
  }
  if (point >= 0 && point < static_cast<long long>(digits.size()) &&
      digits[static_cast<std::size_t>(point)] >= '5') {
    ++whole;
  }
  if (negative) whole = -whole;
  if (whole < -32768 || whole > 32767) return std::nullopt;
  return static_cast<std::int16_t>(whole);
}

std::string_view TrimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::string Joined(std::span<const std::string> parts, std::string_view separator) {
  std::string text;
  for (const std::string& part : parts) {
    if (&part != parts.data()) text += separator;
    text += part;
  }
  return text;
}

std::string QuotedForMessage(std::string_view text) {
  std::string shown;
  for (char c : text.substr(0, 40)) {
    const auto byte = static_cast<unsigned char>(c);
    shown.push_back(byte < 0x20 || byte >= 0x7f ? '?' : c);
  }
  if (text.size() > 40) shown += "...";
  return "\"" + shown + "\"";
}

bool IsNo(std::string_view answer) {
  return answer == "n" || answer == "N";
}

bool IsYes(std::string_view answer) {
  return answer == "Y" || answer == "y";
}

std::string NotANumberMessage(const std::string& answer) {
  return "The answer \"" + answer +
         "\" is not a number. Please type a number with the point \".\" as decimal separator.";
}

}  // namespace kavrel
