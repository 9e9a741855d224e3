// The count of distinct values.
#include "text/Finite.h"

#include <vector>

namespace kavrel {

int DistinctAbscissae(std::span<const double> X) {
  std::vector<double> sorted(X.begin(), X.end());
  std::sort(sorted.begin(), sorted.end());
  return static_cast<int>(std::unique(sorted.begin(), sorted.end()) - sorted.begin());
}

}  // namespace kavrel
