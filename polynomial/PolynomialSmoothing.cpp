// The regression polynomial smoothing dialogue: range and order questions, the fit,
// the form factor from the raw and the smoothed data, the graphs, and acceptance.
#include "polynomial/PolynomialSmoothing.h"

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "graphs/CoefficientGraph.h"
#include "graphs/FormFactorDiagram.h"
#include "polynomial/PolynomialFit.h"
#include "text/Answers.h"
#include "text/Finite.h"
#include "text/NumberText.h"
#include "ui/Ask.h"

namespace kavrel {

namespace {

// The most terms the working storage of the fit was ever meant to carry.
constexpr int MaxOrder = 20;

const Question StartIndexQuestion{
    "Enter the starting index - NS of the data smoothed and press 'ENTER' key.", " NS value entry",
    "1"};
const Question EndIndexQuestion{
    "Enter the end index - ND of the data smoothed and press 'ENTER' key. If '0' is entered "
    "whole data will be smothed. ",
    " ND value entry", "0"};
const Question OrderQuestion{"Enter the order of the polynomial and press 'ENTER' key.",
                             " 1 < Order < 19", "0"};
const Question FitCheckQuestion{"Is the fit O.K.? Y/N <Y> ", "fit control", "Y"};

std::string Whole(int value) {
  return FormatInteger(value, 1);
}

// Runs NS..ND as the user numbers them, from 1.
struct RunRange {
  int NS = 1;
  int ND = 1;
};

// Asks NS and ND until 1 <= NS <= ND <= N holds, ND = 0 standing for N.
RunRange AskRange(Toolkit& ui, int N) {
  for (;;) {
    const int NS = AskWhole16(ui, StartIndexQuestion);
    const int answeredND = AskWhole16(ui, EndIndexQuestion);
    const int ND = answeredND == 0 ? N : answeredND;
    if (1 <= NS && NS <= ND && ND <= N) return {NS, ND};
    const std::string ndText =
        answeredND == 0 ? "0 (the last run, " + Whole(N) + ")" : Whole(answeredND);
    ui.Message("The range NS = " + Whole(NS) + " to ND = " + ndText +
               " cannot be smoothed. NS and ND must be run numbers with 1 <= NS <= ND <= " +
               Whole(N) + " (ND = 0 smooths up to the last run). Please enter NS again.");
  }
}

// The refusal of an order outside 1..limit (0 ends the smoothing and is always taken).
Refusal CheckOrder(int Order, int limit, int distinct, RunRange range) {
  if (Order == 0 || (Order >= 1 && Order <= limit)) return std::nullopt;
  std::string reason = "at most " + Whole(MaxOrder);
  if (distinct < MaxOrder) {
    reason += ", and at most the " + Whole(distinct) + " different Fn values of runs " +
              Whole(range.NS) + " to " + Whole(range.ND);
  }
  return "The order " + Whole(Order) +
         " cannot be used. The order is the number of terms of the polynomial: from 1 to " +
         Whole(limit) + " here (" + reason + "), or 0 to end the smoothing.";
}

}  // namespace

std::vector<PolynomialFitSetting> PolynomialSmoothing(Toolkit& ui, std::span<const double> Fn,
                                                      std::span<double> CtmS,
                                                      std::span<const double> Ctm,
                                                      std::span<const double> Cfm) {
  assert(CtmS.size() == Fn.size() && Ctm.size() == Fn.size() && Cfm.size() == Fn.size());
  const std::size_t runs = Fn.size();
  if (runs == 0) {
    DisplayWindow& screen = ui.Window(WindowId::Ekran_Form1);
    screen.Show();
    const std::string note =
        "There are no runs to smooth: the regression polynomial smoothing is skipped.";
    screen.Print(note);
    ui.Note(note);
    return {};
  }
  Fn = Fn.first(runs);
  CtmS = CtmS.first(runs);
  Ctm = Ctm.first(runs);
  Cfm = Cfm.first(runs);
  const int N = static_cast<int>(runs);

  std::vector<PolynomialFitSetting> fits;
  for (;;) {
    DrawCoefficientFrame(ui, Fn, Ctm);
    const RunRange range = AskRange(ui, N);
    const auto first = static_cast<std::size_t>(range.NS - 1);
    const auto M = static_cast<std::size_t>(range.ND - range.NS) + 1;
    const std::span<const double> X = Fn.subspan(first, M);
    const int distinct = DistinctAbscissae(X);
    const int limit = std::min(MaxOrder, distinct);

    std::vector<double> Y;
    int fitted = 0;  // the order of the fit made
    for (;;) {
      const int Order = AskWhole16(ui, OrderQuestion, [&](std::int16_t answer) {
        return CheckOrder(answer, limit, distinct, range);
      });
      if (Order == 0) return fits;  // CtmS keeps what it holds
      Y.assign(Ctm.begin() + static_cast<std::ptrdiff_t>(first),
               Ctm.begin() + static_cast<std::ptrdiff_t>(first + M));
      if (PolynomialFit(X, Y, Order)) {
        fitted = Order;
        break;
      }
      // Only extreme data get here: the order is within what the runs can carry.
      ui.Message("The polynomial of order " + Whole(Order) + " could not be fitted to runs " +
                 Whole(range.NS) + " to " + Whole(range.ND) +
                 ": its values do not come out as finite numbers. Please enter a lower order, "
                 "or 0 to end the smoothing.");
    }
    // Runs outside NS..ND keep the values CtmS had before.
    fits.push_back({range.NS, range.ND, fitted});
    std::copy(Y.begin(), Y.end(), CtmS.begin() + static_cast<std::ptrdiff_t>(first));

    DrawProhaskaPlot(ui, ProhaskaData::Raw, Fn, Ctm, Cfm);
    DrawCoefficientFrame(ui, Fn, Ctm);
    DrawCtmCurve(ui, CtmS, Fn);
    // A refused fit leaves its values in CtmS until a later fit overwrites them, so a
    // curve can be smoothed piece by piece.
    if (IsNo(ui.Ask(FitCheckQuestion))) continue;

    const std::optional<double> OnePlusK =
        DrawProhaskaPlot(ui, ProhaskaData::Smoothed, Fn, CtmS, Cfm);
    DrawCoefficientCurves(ui, Cfm, CtmS, Fn, OnePlusK);
    if (CalculationAccepted(ui)) return fits;
    // A refused calculation starts again from the measured values: runs outside a later,
    // narrower range, or all runs after an order-0 exit, report their measured Ctm.
    std::copy(Ctm.begin(), Ctm.end(), CtmS.begin());
    fits.clear();
  }
}

}  // namespace kavrel
