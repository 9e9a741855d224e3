// The wave-resistance (Munk) smoothing dialogue: the user types the phases D(1)..D(4) one try
// at a time, each try fitted by MunkFit and shown on the graphs.
#include "munk/MunkSmoothing.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "graphs/CoefficientGraph.h"
#include "graphs/FormFactorDiagram.h"
#include "text/Answers.h"
#include "text/Finite.h"
#include "text/NumberText.h"
#include "ui/Ask.h"
#include "ui/TextWindow.h"

namespace kavrel {

namespace {

constexpr int Tries = 4;

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

// Line n lists d(1)..d(n) with their current values, so the window shows tries 1 to t.
void PrintTries(Toolkit& ui, const MunkParameters& D, int t) {
  DisplayWindow& window = ClearedTextWindow(ui);
  for (int line = 1; line <= t; ++line) {
    std::string text = " Try - " + std::to_string(line) + " -> d(1)=" + FormatFixed(D[0], 3, 3);
    for (int j = 2; j <= line; ++j) {
      text += " , d(" + std::to_string(j) + ")=" + FormatFixed(D[j - 1], 3, 3);
    }
    PrintTextLine(window, line, text);
  }
}

// Why no D value can help when the runs are the cause: none fast enough for the cosine terms
// to differ (no Fn above 0.1), or two speeds so close (within one part in a million, not
// equal) that their rows of the design matrix nearly coincide. Empty when the runs look usable.
std::string SpeedsCannotCarryTheModel(std::span<const double> Fn) {
  const std::string lead = " This test's speeds cannot carry the wave-resistance model: ";
  if (std::none_of(Fn.begin(), Fn.end(), [](double f) { return f > 0.1; })) {
    return lead + "no run is faster than Fn = 0.1.";
  }
  for (std::size_t i = 0; i < Fn.size(); ++i) {
    for (std::size_t j = i + 1; j < Fn.size(); ++j) {
      const double gap = std::abs(Fn[i] - Fn[j]);
      if (gap > 0 && gap <= 1e-6 * std::max(std::abs(Fn[i]), std::abs(Fn[j]))) {
        return lead + "runs " + std::to_string(i + 1) + " and " + std::to_string(j + 1) +
               " differ in speed by less than one part in a million.";
      }
    }
  }
  return {};
}

// Refusals of the same D(t) in a row after which the message says how to stop.
constexpr int RefusalsBeforeAdvice = 3;

// Why the fit of try t cannot be used. Equal columns of the design matrix are the usual cause:
// D = 0 repeats the Fn^4 column, and D values equal in size repeat a cosine column.
// `runsAreTheCause` is set when no D value of its own is to blame: the terms are nearly
// dependent over these runs.
std::string UnusableFitMessage(const MunkParameters& D, int t, MunkFitOutcome outcome,
                               bool& runsAreTheCause) {
  const std::string name = "D(" + std::to_string(t) + ")";
  std::string reason;
  runsAreTheCause = false;
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
      runsAreTheCause = true;
    }
  }
  return "The fit with " + name + "=" + ReadableNumber(D[t - 1]) + " cannot be used, as " + reason +
         ". Please enter another value of " + name + ".";
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
    const std::string lines[] = {
        " The wave resistance approach needs at least 6 runs",
        " at different speeds; this test has " + Count(Fn.size(), "run") +
            (Fn.size() < MunkUnknowns ? "." : " at " + Count(speeds, "speed") + "."),
        " The smoothed CtmS is the measured Ctm."};
    std::string note;
    for (int line = 1; const std::string& text : lines) {
      PrintTextLine(window, line++, text);
      note += text;
    }
    ui.Note(note.substr(1));
    return;
  }

  MunkFit fit(Cfm, Ctm, Fn);
  for (;;) {
    DrawCoefficientFrame(ui, Fn, Ctm);
    std::optional<double> OnePlusK = DrawProhaskaPlot(ui, ProhaskaData::Raw, Fn, Ctm, Cfm);
    int t = 1;
    // Every refusal of the same question counts, an answer that is not a number as much as a
    // value whose fit cannot be used: after the third in a row, the message says how to stop.
    int refusedInARow = 0;
    const auto refused = [&](std::string message, bool runsAreTheCause) {
      if (++refusedInARow >= RefusalsBeforeAdvice) {
        if (runsAreTheCause) message += SpeedsCannotCarryTheModel(Fn);
        message += " To stop the analysis, " + ui.HowToStop() + "; no report is written then.";
      }
      return message;
    };
    while (t <= Tries) {
      AskUntilAccepted(ui, EntryQuestion(t), [&](const std::string& answer) -> Refusal {
        const auto number = ParseNumber(answer);
        if (!number) return refused(NotANumberMessage(answer), false);
        D[t - 1] = *number;
        return std::nullopt;
      });
      std::fill(D.begin() + t, D.end(), 0.0);
      const MunkFitOutcome outcome = fit.Try(D, t, CtmS);
      if (outcome != MunkFitOutcome::Fitted) {
        // CtmS and the pictures stay those of the last usable fit.
        bool runsAreTheCause = false;
        const std::string message = UnusableFitMessage(D, t, outcome, runsAreTheCause);
        ui.Message(refused(message, runsAreTheCause));
        continue;
      }
      refusedInARow = 0;
      DrawCoefficientFrame(ui, Fn, Ctm);
      DrawCtmCurve(ui, CtmS, Fn);
      OnePlusK = DrawProhaskaPlot(ui, ProhaskaData::Smoothed, Fn, CtmS, Cfm);
      PrintTries(ui, D, t);
      if (!IsNo(ui.Ask(ConfirmationQuestion(D, t)))) ++t;
    }
    DrawCoefficientCurves(ui, Cfm, CtmS, Fn, OnePlusK);
    if (CalculationAccepted(ui)) return;
    // A refused calculation starts again from the measured data.
    std::copy(Ctm.begin(), Ctm.end(), CtmS.begin());
    fit.ClearX();
  }
}

}  // namespace kavrel
