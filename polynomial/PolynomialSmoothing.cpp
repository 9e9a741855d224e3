// Placeholder until the polynomial smoothing dialogue lands: leaves CtmS as it is.
#include "polynomial/PolynomialSmoothing.h"

namespace kavrel {

void PolynomialSmoothing(Toolkit&, std::span<const double>, std::span<double>,
                         std::span<const double>, std::span<const double>) {}

}  // namespace kavrel
