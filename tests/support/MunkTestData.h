// Resistance tests made from the wave-resistance model with chosen coefficients and D values,
// plus scatter that the least-squares fit must remove exactly.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "munk/MunkFit.h"
#include "tests/support/TempFolder.h"

namespace kavrel::test {

struct ModelTest {
  std::vector<double> Fn, Cfm, model, Ctm;  // coefficients times 1000; Ctm is model plus scatter
};

// A plausible model: (1+k) about 1.15, a wave term of about 1 (times 1000) at Fn 0.35.
inline constexpr double PlausibleX[6]{1.15, 0.07, 0.02, -0.015, 0.01, 0.005};
inline constexpr MunkParameters PlausibleD{0.1, 0.3, 0.5, 0.8};

// The runs of a model 5 m long in water at 15 degrees, evenly spaced in Fn, made from the model
// with PlausibleX and PlausibleD by tests/support/worked_cases.py
//   Ctm/1000 = X1 Cfm/1000 + X2 Fn^4 + sum over j of X(j+2) Fn^4 cos(D(j) / Fn^2),
// Cfm on the ITTC-1957 line; the scatter is orthogonal to the six terms, so the least-squares
// fit with these D gives back exactly the model. `name`: munk_model_99 (Fn 0.08 to 0.45),
// munk_model_12 (0.1 to 0.4), munk_model_slow_8 (0.03 to 0.08).
inline ModelTest ReadModelTest(const std::string& name) {
  ModelTest test;
  std::vector<double>* const columns[] = {&test.Fn, &test.Cfm, &test.model, &test.Ctm};
  std::istringstream in(TestData(name + ".txt"));  // a run a line: Fn Cfm model Ctm
  std::size_t n = 0;
  for (double value = 0; in >> value;) columns[n++ % 4]->push_back(value);
  return test;
}

}  // namespace kavrel::test
