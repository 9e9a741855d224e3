// The regression polynomial smoothing dialogue.
#pragma once

#include <span>
#include <vector>

#include "polynomial/PolynomialFit.h"

#include "ui/Toolkit.h"

namespace kavrel {

// Runs the dialogue over the N = Fn.size() runs until the user accepts the
// calculation (or answers order 0). CtmS (times 1000) then holds the smoothed values.
// Returns the fits that made them, in the order they were made: every fit since the last
// refused calculation, a fit refused at the fit check included (its values stay in CtmS
// where no later fit covers them).
std::vector<PolynomialFitSetting> PolynomialSmoothing(Toolkit& ui, std::span<const double> Fn,
                                                      std::span<double> CtmS,
                                                      std::span<const double> Ctm,
                                                      std::span<const double> Cfm);

}  // namespace kavrel
