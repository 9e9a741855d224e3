// Finite checks and the count of distinct values, shared by the fits, the drawings and
// the pictures: a value that is not a finite number is never fitted, drawn or printed.
#pragma once

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <span>

namespace kavrel {

inline bool Finite(std::initializer_list<double> values) {
  return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

inline bool AllFinite(std::span<const double> values) {
  return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

// The number of different values among X: the most terms a fit over them can carry.
int DistinctAbscissae(std::span<const double> X);

}  // namespace kavrel
