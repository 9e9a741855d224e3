// The physics the model analysis and the ship prediction share: standard gravity, the
// ITTC-1957 model-ship correlation line, and the speed window of the Prohaska plot.
#pragma once

#include <cmath>

namespace kavrel {

// Acceleration of gravity, m/s2 (standard gravity).
inline constexpr double g = 9.80665;

// The ITTC-1957 line 0.075 / (log10 Rn - 2)^2, from log10 Rn: the model's report takes the
// logarithm as ln(Rn) / ln(10), the ship prediction as std::log10, and each keeps its digits.
inline double Ittc1957Line(double log10Rn) {
  return 0.075 / std::pow(log10Rn - 2, 2);
}

// Whether a run lies in the Prohaska plot's window 0.1 < Fn < 0.2 (both bounds strict): slow
// enough that the wave resistance goes with Fn^4, fast enough for turbulent flow.
inline bool InProhaskaWindow(double Fn) {
  return Fn > 0.1 && Fn < 0.2;
}

}  // namespace kavrel
