// A straight line y = Slope * x + Intercept, as fitted through the form-factor points.
#pragma once

namespace kavrel {

struct StraightLine {
  double Slope = 0;
  double Intercept = 0;
};

}  // namespace kavrel
