// Fixed-width number texts: FormatFixed, FormatInteger, Log10.
#include "text/NumberText.h"

#include <charconv>
#include <cmath>
#include <string_view>
#include <system_error>

namespace kavrel {

namespace {

std::string NonFiniteText(double x) {
  if (std::isnan(x)) return "NaN";
  return x < 0 ? "-Inf" : "Inf";
}

// Adds one unit in the last place of a string of decimal digits; returns the carry.
bool IncrementDigits(std::string& digits) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] == '9') {
      digits[i] = '0';
    } else {
      ++digits[i];
      return false;
    }
  }
  return true;
}

}  // namespace

std::string FormatFixed(double x, int p, int d) {
  if (!std::isfinite(x)) return NonFiniteText(x);
  if (p < 0) p = 0;
  if (d < 0) d = 0;

  // The shortest round-trip digits of |x| and their decimal exponent.
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x), std::chars_format::scientific);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t ePos = text.find('e');
  std::string digits;
  for (char c : text.substr(0, ePos)) {
    if (c != '.') digits += c;
  }
  int exponent = 0;
  std::from_chars(text.data() + ePos + 1 + (text[ePos + 1] == '+' ? 1 : 0),
                  text.data() + text.size(), exponent);

  // Split into the integer part and the decimals of the full fixed-point form.
  const long pointPos = static_cast<long>(exponent) + 1;  // digits before the point
  std::string integerPart;
  std::string decimals;
  if (pointPos <= 0) {
    integerPart = "0";
    decimals = std::string(static_cast<std::size_t>(-pointPos), '0') + digits;
  } else if (static_cast<std::size_t>(pointPos) >= digits.size()) {
    integerPart = digits + std::string(static_cast<std::size_t>(pointPos) - digits.size(), '0');
  } else {
    integerPart = digits.substr(0, static_cast<std::size_t>(pointPos));
    decimals = digits.substr(static_cast<std::size_t>(pointPos));
  }

  // Round to d decimals, halves away from zero (the magnitude is rounded up).
  const auto places = static_cast<std::size_t>(d);
  bool roundUp = false;
  if (decimals.size() > places) {
    roundUp = decimals[places] >= '5';
    decimals.resize(places);
  }
  decimals.resize(places, '0');
  if (roundUp) {
    std::string all = integerPart + decimals;
    if (IncrementDigits(all)) all.insert(all.begin(), '1');
    integerPart = all.substr(0, all.size() - places);
    decimals = all.substr(all.size() - places);
  }
  const std::size_t firstNonZero = integerPart.find_first_not_of('0');
  integerPart = firstNonZero == std::string::npos ? "0" : integerPart.substr(firstNonZero);

  std::string number = (x < 0 ? "-" : "") + integerPart;
  // Blanks in front so that the point stands at column p + 1.
  const long blanks = static_cast<long>(p) - static_cast<long>(number.size());
  std::string out;
  if (blanks > 0) out.assign(static_cast<std::size_t>(blanks), ' ');
  out += number;
  out += '.';
  out += decimals;
  if (out.size() > static_cast<std::size_t>(p) + places + 1) out += '%';
  return out;
}

std::string FormatInteger(double x, int w) {
  if (!std::isfinite(x)) return NonFiniteText(x);
  double whole = std::trunc(x);
  if (whole == 0) whole = 0;  // no "-0"
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, whole, std::chars_format::fixed, 0);
  std::string text(buffer, result.ptr);
  if (w > static_cast<int>(text.size())) {
    text.insert(0, static_cast<std::size_t>(w) - text.size(), ' ');
  }
  return text;
}

double Log10(double x) {
  return std::log(x) / std::log(10.0);
}

std::string ShortestDecimal(double x) {
  if (!std::isfinite(x)) return NonFiniteText(x);
  char buffer[400];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed);
  return {buffer, result.ptr};
}

std::string ReadableNumber(double x) {
  const double size = std::fabs(x);
  if (!std::isfinite(x) || size == 0 || (size >= 1e-5 && size < 1e16)) return ShortestDecimal(x);
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific);
  return {buffer, result.ptr};
}

std::string RoundTrip(double x) {
  if (!std::isfinite(x)) return NonFiniteText(x);
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, x);
  return {buffer, result.ptr};
}

void AppendCsvNumbers(std::string& row, std::initializer_list<double> values) {
  for (const double value : values) {
    row += ',';
    row += RoundTrip(value);
  }
}

}  // namespace kavrel
