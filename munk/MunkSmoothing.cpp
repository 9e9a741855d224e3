// The wave-resistance (Munk) smoothing: Ctm fitted by linear least squares to a frictional term
// and a Fn^4 wave term with up to four cosine components whose phases D(1)..D(4) the user types.
#include "munk/MunkSmoothing.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "analysis/Answers.h"
#include "analysis/NumberText.h"
#include "graphs/CoefficientGraph.h"
#include "graphs/FormFactorDiagram.h"
#include "polynomial/FormFactor.h"
#include "polynomial/PolynomialFit.h"

namespace kavrel {

void MunkDesignMatrix(std::span<const double> Cfm, std::span<const double> Fn,
                      const MunkParameters& D, Matrix& A) {
  A.GrowTo(Fn.size(), MunkUnknowns);
  for (std::size_t I = 0; I < Fn.size(); ++I) {
    // Powers as the model writes them, F^2 and F^4.
    const double F2 = std::pow(Fn[I], 2);
    const double F4 = std::pow(Fn[I], 4);
    A(I, 0) = Cfm[I] / 1000;
    A(I, 1) = F4;
    for (std::size_t j = 0; j < D.size(); ++j) {
      // F^4 cos(D/F^2) tends to 0 with F; D/0 would make the cosine undefined.
      A(I, 2 + j) = F2 > 0 ? F4 * std::cos(D[j] / F2) : 0.0;
    }
  }
}

MunkFit::MunkFit(std::span<const double> Cfm, std::span<const double> Ctm,
                 std::span<const double> Fn)
    : Cfm_(Cfm),
      Ctm_(Ctm),
      Fn_(Fn),
      A_(Fn.size(), MunkUnknowns),
      At_(MunkUnknowns, Fn.size()),
      C_(MunkUnknowns, MunkUnknowns + 1),
      b_(Fn.size(), 1),
      Atb_(MunkUnknowns, 1),
      V_(MunkUnknowns),
      fitted_(Fn.size()) {
  for (std::size_t I = 0; I < Fn.size(); ++I) b_(I, 0) = Ctm_[I] / 1000;
}

MunkFitOutcome MunkFit::Try(const MunkParameters& D, int t, std::span<double> CtmS) {
  const std::size_t N = Fn_.size();
  const std::size_t M = static_cast<std::size_t>(t) + 2;
  MunkDesignMatrix(Cfm_, Fn_, D, A_);
  for (std::size_t I = 0; I < N; ++I) {
    for (std::size_t i = 0; i < M; ++i) {
      if (!std::isfinite(A_(I, i))) return MunkFitOutcome::NotFinite;
    }
  }
  // Normal equations (A^T A) X = A^T b; MatMultiply takes its right-hand factor first.
  MatTranspose(N, M, A_, At_);
  if (!MatMultiply(N, M, A_, M, N, At_, C_)) return MunkFitOutcome::DimensionMismatch;
  if (!MatMultiply(N, 1, b_, M, N, At_, Atb_)) return MunkFitOutcome::DimensionMismatch;
  for (std::size_t i = 0; i < M; ++i) V_[i] = Atb_(i, 0);
  if (!MatSolve(C_, std::span(V_).first(M), M)) return MunkFitOutcome::Singular;

  std::array<double, MunkUnknowns> X{};
  std::copy_n(V_.begin(), M, X.begin());
  for (std::size_t I = 0; I < N; ++I) {
    // The model term by term, in the order it is written; the unknowns beyond M are 0 and
    // add nothing.
    const double F2 = std::pow(Fn_[I], 2);
    const double F4 = std::pow(Fn_[I], 4);
    double sum = X[0] * Cfm_[I] / 1000 + X[1] * F4;
    for (std::size_t j = 0; j < D.size(); ++j) {
      if (F2 > 0) sum += X[2 + j] * F4 * std::cos(D[j] / F2);
    }
    fitted_[I] = 1000 * sum;
    if (!std::isfinite(fitted_[I])) return MunkFitOutcome::NotFinite;
  }
  X_ = X;
  std::copy(fitted_.begin(), fitted_.end(), CtmS.begin());
  return MunkFitOutcome::Fitted;
}

namespace {

constexpr int Tries = 4;

// Text window layout in its 0..100 coordinates: left margin, first line, line step.
constexpr double TextLeft = 10;
constexpr double TextTop = 10;
constexpr double TextStep = 5;

std::string Count(std::size_t n, const char* thing) {
  return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

Question EntryQuestion(int t) {
  static constexpr std::array<const char*, Tries> Titles{
      "D(1) entry - 0.04 < D < 1.1 ", "D(2) entry - D1 < D2 < 1.1 ", "D(3) entry - D2 < D3 < 1.1 ",
      "D(4) entry - D3 < D4 < 1.1 "};
  const std::string n = std::to_string(t);
  return {"Enter D(" + n + ") value for " + n + ". try and press 'ENTER' key.", Titles[t - 1], "0"};
}

Question ConfirmationQuestion(const MunkParameters& D, int t) {
  const std::string n = std::to_string(t);
  return {"The value D(" + n + ")=" + FormatFixed(D[t - 1], 1, 3) +
              "  you entered is suitable?  Y/N <Y>",
          "value control for D(" + n + ")", "Y"};
}

Question EndQuestion() {
  return {"Is calculation O.K.? Y/N <Y> ", "calculation ending entry", "Y"};
}

DisplayWindow& ClearedTextWindow(Toolkit& ui) {
  DisplayWindow& window = ui.Window(WindowId::Ekran_Form1);
  window.Show();
  window.Clear();
  window.SetFontName("Times New Roman");
  window.SetFontSize(10);
  window.SetTextColour(Colour::DarkBlue);
  window.SetUserCoordinates(0, 0, 100, 100);
  return window;
}

void PrintLine(DisplayWindow& window, int line, const std::string& text) {
  window.SetPrintPosition(TextLeft, TextTop + TextStep * (line - 1));
  window.Print(text);
}

// Line n lists d(1)..d(n) with their current values, so the window shows tries 1 to t.
void PrintTries(Toolkit& ui, const MunkParameters& D, int t) {
  DisplayWindow& window = ClearedTextWindow(ui);
  for (int line = 1; line <= t; ++line) {
    std::string text = " Try - " + std::to_string(line) + " -> d(1)=" + FormatFixed(D[0], 3, 3);
    for (int j = 2; j <= line; ++j) {
      text += " , d(" + std::to_string(j) + ")=" + FormatFixed(D[j - 1], 3, 3);
    }
    PrintLine(window, line, text);
  }
}

// Prohaska plot of the measured or the smoothed values on its diagram; (1+k) is the intercept
// of its line, empty when the line is undefined.
std::optional<double> EstimateFormFactor(Toolkit& ui, std::span<const double> Fn,
                                         std::span<const double> ordinate,
                                         std::span<const double> Cfm, bool smoothed) {
  const FormFactorPointSet points = FormFactorPoints(Fn, ordinate, Cfm);
  const std::optional<StraightLine> line = LineFit(points.x, points.y);
  if (smoothed) {
    DrawFormFactorSmoothed(ui, points.x, points.y, line);
  } else {
    DrawFormFactorRaw(ui, points.x, points.y, line);
  }
  if (!line) return std::nullopt;
  return line->Intercept;
}

// Why the fit of try t cannot be used. Equal columns of the design matrix are the usual cause:
// D = 0 repeats the Fn^4 column, and D values equal in size repeat a cosine column.
std::string UnusableFitMessage(const MunkParameters& D, int t, MunkFitOutcome outcome) {
  const std::string name = "D(" + std::to_string(t) + ")";
  std::string reason;
  if (outcome == MunkFitOutcome::NotFinite) {
    reason = "the smoothed values do not come out as finite numbers";
  } else if (D[t - 1] == 0) {
    reason =
        "its normal equations are singular: a D value of 0 makes its cosine term equal to "
        "the Fn^4 term";
  } else {
    for (int j = 1; j < t && reason.empty(); ++j) {
      if (std::abs(D[j - 1]) == std::abs(D[t - 1])) {
        reason = "its normal equations are singular: " + name +
                 " gives the same cosine term as D(" + std::to_string(j) + ")";
      }
    }
    if (reason.empty()) {
      reason =
          "its normal equations are singular: over these runs the terms of the model are "
          "nearly dependent (a pivot is not above 1e-8)";
    }
  }
  return "The fit with " + name + "=" + FormatFixed(D[t - 1], 1, 3) + " cannot be used, as " +
         reason + ". Please enter another value of " + name + ".";
}

}  // namespace

void MunkSmoothing(Toolkit& ui, std::span<const double> Cfm, std::span<double> CtmS,
                   std::span<const double> Ctm, std::span<const double> Fn, MunkParameters& D) {
  // The fourth try has six unknowns: with fewer runs at different speeds every fit of it is
  // singular and the tries could never end.
  const auto speeds = static_cast<std::size_t>(DistinctAbscissae(Fn));
  if (speeds < MunkUnknowns) {
    std::copy(Ctm.begin(), Ctm.end(), CtmS.begin());
    D = {};
    DisplayWindow& window = ClearedTextWindow(ui);
    PrintLine(window, 1, " The wave resistance approach needs at least 6 runs");
    PrintLine(window, 2,
              " at different speeds; this test has " + Count(Fn.size(), "run") +
                  (Fn.size() < MunkUnknowns ? "." : " at " + Count(speeds, "speed") + "."));
    PrintLine(window, 3, " The smoothed CtmS is the measured Ctm.");
    return;
  }

  MunkFit fit(Cfm, Ctm, Fn);
  for (;;) {
    DrawCoefficientFrame(ui, Fn, Ctm, "");
    std::optional<double> OnePlusK = EstimateFormFactor(ui, Fn, Ctm, Cfm, false);
    int t = 1;
    while (t <= Tries) {
      D[t - 1] = AskNumber(ui, EntryQuestion(t));
      std::fill(D.begin() + t, D.end(), 0.0);
      const MunkFitOutcome outcome = fit.Try(D, t, CtmS);
      if (outcome == MunkFitOutcome::DimensionMismatch) {
        ui.Message(MatMultiplyMismatchText);
        continue;
      }
      if (outcome != MunkFitOutcome::Fitted) {
        // CtmS and the pictures stay those of the last usable fit.
        ui.Message(UnusableFitMessage(D, t, outcome));
        continue;
      }
      DrawCoefficientFrame(ui, Fn, Ctm, "");
      DrawCtmCurve(ui, CtmS, Fn);
      OnePlusK = EstimateFormFactor(ui, Fn, CtmS, Cfm, true);
      PrintTries(ui, D, t);
      if (!IsNo(ui.Ask(ConfirmationQuestion(D, t)))) ++t;
    }
    DrawCoefficientCurves(ui, Cfm, CtmS, Fn, OnePlusK);
    if (!IsNo(ui.Ask(EndQuestion()))) return;
    // A refused calculation starts again from the measured data.
    std::copy(Ctm.begin(), Ctm.end(), CtmS.begin());
    fit.ClearX();
  }
}

}  // namespace kavrel
