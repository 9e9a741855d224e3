// Fuzz target: FormatFixed, FormatInteger and ShortestDecimal for any double (every bit
// pattern) and field sizes, checked against the C library's reading of the text back.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz/Require.h"
#include "text/NumberText.h"

namespace {

using kavrel::fuzzing::Require;

double Read(const std::string& text) {
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  Require(end == text.c_str() + text.size(), "a number text that strtod does not read whole");
  return value;
}

void CheckFixed(double x, int p, int d) {
  const std::string out = kavrel::FormatFixed(x, p, d);
  if (!std::isfinite(x)) {
    Require(out == (std::isnan(x) ? "NaN" : (x < 0 ? "-Inf" : "Inf")),
            "a non-finite value not shown as NaN or Inf");
    return;
  }
  const auto places = static_cast<std::size_t>(std::max(p, 0));
  const auto decimals = static_cast<std::size_t>(std::max(d, 0));
  const bool marked = !out.empty() && out.back() == '%';
  const std::string body = marked ? out.substr(0, out.size() - 1) : out;
  const std::size_t blanks = body.find_first_not_of(' ');
  Require(blanks != std::string::npos, "a text of blanks only");
  const std::string number = body.substr(blanks);
  const std::size_t point = number.find('.');
  Require(point != std::string::npos && point > 0, "no digit before the point");
  // The integer part, sign included, right-justified in p places; "%" when it does not fit.
  Require(blanks == (point < places ? places - point : 0), "the point is not at column p + 1");
  Require(marked == (point > places), "the % mark is wrong");
  Require(number.size() - point - 1 == decimals, "not d decimals");
  Require(number.find_first_not_of("-0123456789.") == std::string::npos,
          "a character that is no digit");
  Require(number[0] != '0' || point == 1, "a leading zero");
  // Rounded to d decimals: within half a unit of the last place (and the rounding of
  // the shortest decimal form, a few units of the last bit of x).
  const double back = Read(number);
  const double unit = std::pow(10.0, -static_cast<double>(decimals));
  const double slack = 4 * std::fabs(std::nextafter(std::fabs(x), HUGE_VAL) - std::fabs(x));
  Require(std::fabs(back - x) <= 0.5 * unit * (1 + 1e-12) + slack, "not rounded to d decimals");
  if (back != 0) Require(std::signbit(back) == std::signbit(x), "the sign is lost");
}

void CheckInteger(double x, int w) {
  const std::string out = kavrel::FormatInteger(x, w);
  if (!std::isfinite(x)) {
    Require(out == (std::isnan(x) ? "NaN" : (x < 0 ? "-Inf" : "Inf")),
            "a non-finite value not shown as NaN or Inf");
    return;
  }
  const std::size_t blanks = out.find_first_not_of(' ');
  Require(blanks != std::string::npos, "a text of blanks only");
  const std::string number = out.substr(blanks);
  Require(number.find_first_not_of("-0123456789") == std::string::npos,
          "a character that is no digit");
  Require(Read(number) == std::trunc(x), "not the whole part of x");
  Require(out.size() == std::max(number.size(), static_cast<std::size_t>(std::max(w, 0))),
          "not right-justified in w characters");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  FuzzedDataProvider data(bytes, size);
  double x = 0;
  const auto raw = data.ConsumeBytes<std::uint8_t>(sizeof x);
  if (raw.size() != sizeof x) return 0;
  std::memcpy(&x, raw.data(), sizeof x);
  // The program uses fields up to a few places; a little beyond that is tried too.
  const int p = data.ConsumeIntegralInRange(-2, 40);
  const int d = data.ConsumeIntegralInRange(-2, 40);
  CheckFixed(x, p, d);
  CheckInteger(x, p);
  if (std::isfinite(x))
    Require(Read(kavrel::ShortestDecimal(x)) == x, "the shortest decimal does not read back as x");
  return 0;
}
