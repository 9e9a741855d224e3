// Fixed-width number texts: every number the program prints goes through these,
// so that numbers printed one below the other line up on the point.
#pragma once

#include <initializer_list>
#include <string>

namespace kavrel {

// x rounded to d decimals (halves away from zero, decided on the shortest decimal
// form of x), its integer part right-justified in p places so that the point stands
// at column p + 1. An integer part that does not fit is printed whole and the text
// gets a "%" mark at its end. A value that is not finite prints as "NaN" or "Inf".
std::string FormatFixed(double x, int p, int d);

// The whole part of x (truncated toward zero), right-justified in w characters; a
// longer text is returned whole, without a mark.
std::string FormatInteger(double x, int w);

// Decimal logarithm as ln(x) / ln(10); x must be positive.
double Log10(double x);

// The shortest decimal text that reads back as x, without exponent ("15", "15.5").
std::string ShortestDecimal(double x);

// x as a person reads it in a message: the shortest text that reads back as x, without exponent
// from 1e-5 to below 1e16 ("15", "0.00012", "87.79476863213192"), in exponent form beyond
// ("1e-300", "2.5e+20").
std::string ReadableNumber(double x);

// The shortest text that reads back as x, in exponent form where that is shorter
// ("1051127000", "0.0015", "1e-07"): the numbers of the CSV files.
std::string RoundTrip(double x);

// Appends the numbers to `row`, each in RoundTrip form after a comma: a row of a CSV table.
void AppendCsvNumbers(std::string& row, std::initializer_list<double> values);

}  // namespace kavrel
