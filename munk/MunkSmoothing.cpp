// Placeholder until the wave-resistance smoothing dialogue lands: leaves CtmS as it is.
#include "munk/MunkSmoothing.h"

namespace kavrel {

void MunkSmoothing(Toolkit&, std::span<const double>, std::span<double>, std::span<const double>,
                   std::span<const double>, MunkParameters&) {}

}  // namespace kavrel
