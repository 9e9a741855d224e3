// The polynomial smoothing dialogue on the scripted front end: questions, refusals,
// what ends up in CtmS, and that nothing undefined reaches a window.
#include "polynomial/PolynomialSmoothing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <variant>
#include <vector>

#include "tests/support/ScriptedToolkit.h"

namespace kavrel {
namespace {

using testing::PrintedTexts;
using testing::ScriptedToolkit;

// Eight runs. The five slow ones lie on the form-factor line y = 1.15 + 0.5·x
// (Ctm = 1.15·Cfm + 500·Fn^4), so (1+k) = 1.15 from raw and from unchanged data.
struct Tank {
  std::vector<double> Fn{0.11, 0.13, 0.15, 0.17, 0.19, 0.21, 0.23, 0.25};
  std::vector<double> Cfm{3.6, 3.5, 3.4, 3.3, 3.2, 3.1, 3.0, 2.9};
  std::vector<double> Ctm;
  std::vector<double> CtmS;

  Tank() {
    for (std::size_t i = 0; i < 5; ++i) Ctm.push_back(1.15 * Cfm[i] + 500 * std::pow(Fn[i], 4));
    for (double c : {4.0, 4.0, 4.3}) Ctm.push_back(c);
    CtmS = Ctm;
  }
  void Smooth(ScriptedToolkit& ui) { PolynomialSmoothing(ui, Fn, CtmS, Ctm, Cfm); }
  // Half weight at both ends: the order-1 fit over all runs.
  double WeightedMean() const {
    double sum = 0.5 * (Ctm.front() + Ctm.back());
    for (std::size_t i = 1; i + 1 < Ctm.size(); ++i) sum += Ctm[i];
    return sum / 7.0;
  }
};

// Runs 6..8 (equal steps in Fn, Ctm 4.0, 4.0, 4.3) with order 2: the weighted line
// through (-1, 0), (0, 0), (1, 0.3) with weights 0.5, 1, 0.5 is 0.075 + 0.15·t.
const std::vector<double> LineOverRuns6To8{3.925, 4.075, 4.225};

void ExpectValues(const std::vector<double>& actual, const std::vector<double>& expected,
                  const char* what) {
  ASSERT_EQ(actual.size(), expected.size());
  for (std::size_t i = 0; i < actual.size(); ++i) {
    EXPECT_NEAR(actual[i], expected[i], 1e-9) << what << ", run " << i + 1;
  }
}

bool Finite(const UserCoordinates& s) {
  return std::isfinite(s.left) && std::isfinite(s.top) && std::isfinite(s.right) &&
         std::isfinite(s.bottom);
}

// Every coordinate drawn and every text printed on every window is a finite number.
void ExpectNothingUndefinedDrawn(const Toolkit& ui) {
  for (WindowId id : AllWindows) {
    for (const auto& item : ui.Window(id).Items()) {
      if (const auto* line = std::get_if<LineItem>(&item)) {
        EXPECT_TRUE(std::isfinite(line->x1) && std::isfinite(line->y1) && std::isfinite(line->x2) &&
                    std::isfinite(line->y2) && Finite(line->scale));
      } else if (const auto* circle = std::get_if<CircleItem>(&item)) {
        EXPECT_TRUE(std::isfinite(circle->x) && std::isfinite(circle->y) &&
                    std::isfinite(circle->radius) && Finite(circle->scale));
      } else if (const auto* text = std::get_if<TextItem>(&item)) {
        EXPECT_TRUE(std::isfinite(text->x) && std::isfinite(text->y) && Finite(text->scale));
        for (const char* bad : {"NaN", "nan", "Inf", "inf"}) {
          EXPECT_EQ(text->text.find(bad), std::string::npos) << text->text;
        }
      }
    }
  }
}

TEST(PolynomialSmoothing, AsksItsQuestionsAndSmoothsTheWholeRange) {
  std::vector<double> Fn{0.12, 0.15, 0.18, 0.30};
  std::vector<double> Ctm{1, 2, 3, 10};
  std::vector<double> Cfm{3.5, 3.4, 3.3, 3.0};
  std::vector<double> CtmS = Ctm;
  // Defaults for NS (1) and ND (0, all runs), order 1, defaults for both checks.
  ScriptedToolkit ui({"", "", "1", "", ""});
  PolynomialSmoothing(ui, Fn, CtmS, Ctm, Cfm);
  ExpectValues(CtmS, {3.5, 3.5, 3.5, 3.5}, "weighted mean");
  EXPECT_TRUE(ui.messages.empty());

  const std::vector<Question> expected{
      {"Enter the starting index - NS of the data smoothed and press 'ENTER' key.",
       " NS value entry", "1"},
      {"Enter the end index - ND of the data smoothed and press 'ENTER' key. If '0' is entered "
       "whole data will be smothed. ",
       " ND value entry", "0"},
      {"Enter the order of the polynomial and press 'ENTER' key.", " 1 < Order < 19", "0"},
      {"Is the fit O.K.? Y/N <Y> ", "fit control", "Y"},
      {"Is calculation O.K.? Y/N <Y> ", "calculation ending entry", "Y"},
  };
  ASSERT_EQ(ui.questions.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(ui.questions[i].prompt, expected[i].prompt);
    EXPECT_EQ(ui.questions[i].title, expected[i].title);
    EXPECT_EQ(ui.questions[i].defaultText, expected[i].defaultText);
    EXPECT_EQ(ui.questions[i].leftTwips, 9500);
    EXPECT_EQ(ui.questions[i].topTwips, 8500);
  }
  EXPECT_TRUE(ui.Window(WindowId::Kavrel_Form1).Shown());
  EXPECT_TRUE(ui.Window(WindowId::Form_Faktor_Form1).Shown());
  EXPECT_TRUE(ui.Window(WindowId::Form_Faktor_Form2).Shown());
}

TEST(PolynomialSmoothing, LeavesTheAcceptedFitInCtmS) {
  const Tank tank;
  const std::vector<double> measured5(tank.Ctm.begin(), tank.Ctm.begin() + 5);
  const std::vector<double> mean5(5, tank.WeightedMean());
  const auto then6To8 = [](std::vector<double> first) {
    first.insert(first.end(), LineOverRuns6To8.begin(), LineOverRuns6To8.end());
    return first;
  };
  const struct {
    const char* name;
    std::vector<std::string> answers;
    std::vector<double> CtmS;
    std::size_t questions;
  } cases[]{
      {"partial range", {"6", "8", "2", "Y", "Y"}, then6To8(measured5), 5},
      // A refused fit stays until a later fit overwrites it: piece-by-piece smoothing.
      {"refused fit", {"1", "0", "1", "n", "6", "8", "2", "Y", "Y"}, then6To8(mean5), 9},
      {"refused calculation, then a narrower range",
       {"1", "0", "1", "Y", "N", "6", "8", "2", "Y", "Y"},
       then6To8(measured5),
       10},
      {"refused calculation, then order 0", {"1", "0", "1", "Y", "n", "1", "0", "0"}, tank.Ctm, 8},
      {"order 0 (the default) at once", {"", "", ""}, tank.Ctm, 3},
  };
  for (const auto& c : cases) {
    Tank run;
    ScriptedToolkit ui(c.answers);
    run.Smooth(ui);
    EXPECT_EQ(ui.questions.size(), c.questions) << c.name;
    EXPECT_TRUE(ui.messages.empty()) << c.name;
    ExpectValues(run.CtmS, c.CtmS, c.name);
  }
}

TEST(PolynomialSmoothing, PrintsTheFormFactorOfTheSmoothedData) {
  Tank tank;
  ScriptedToolkit ui({"6", "8", "2", "Y", "Y"});
  tank.Smooth(ui);
  const auto texts = PrintedTexts(ui.Window(WindowId::Kavrel_Form1));
  EXPECT_NE(std::find(texts.begin(), texts.end(), "(1+k)= 1.150"), texts.end());
}

TEST(PolynomialSmoothing, RefusesUnusableAnswersAndAsksAgain) {
  Tank tank;
  struct Refusal {
    const char* answer;    // the refused answer
    const char* mentions;  // what its message must name
  };
  const std::vector<Refusal> refusals{
      {"abc", "\"abc\""},         // NS not a number
      {" ", "\" \""},             // NS blank
      {"40000", "40000"},         // NS beyond 16 bits
      {"9", "NS = 9"},            // NS beyond N (refused once ND is known)
      {"5", "NS = 5 to ND = 3"},  // NS > ND
      {"0", "NS = 0"},            // NS below 1
      {"21", "order 21"},         // order beyond 20
      {"-1", "order -1"},         // negative order
      {"4", "order 4"},           // more terms than the three runs 6..8
  };
  // NS, ND pairs for the range refusals, then the orders; 5.5 rounds to 6, 2.5 to 3.
  ScriptedToolkit ui({"abc", " ", "40000", "9", "0", "5", "3", "0", "8", " 5.5 ", "8", "21", "-1",
                      "4", "2.5", "Y", "Y"});
  tank.Smooth(ui);
  ASSERT_EQ(ui.messages.size(), refusals.size());
  for (std::size_t i = 0; i < refusals.size(); ++i) {
    EXPECT_NE(ui.messages[i].find(refusals[i].mentions), std::string::npos) << ui.messages[i];
  }
  EXPECT_NE(ui.messages[3].find("1 <= NS <= ND <= 8"), std::string::npos);
  EXPECT_NE(ui.messages[8].find("from 1 to 3"), std::string::npos);
  // Order 3 on three runs reproduces them: 2.5 was not rounded down to a straight line.
  ExpectValues(tank.CtmS, tank.Ctm, "order 3 over runs 6 to 8");
}

TEST(PolynomialSmoothing, AFitThatOverflowsIsNotStoredAndTheOrderIsAskedAgain) {
  std::vector<double> Fn{0.12, 0.15, 0.18};
  std::vector<double> Ctm{1e308, 1.5e308, 1.7e308};
  std::vector<double> Cfm{3.5, 3.4, 3.3};
  std::vector<double> CtmS = Ctm;
  ScriptedToolkit ui({"1", "0", "1", "0"});
  PolynomialSmoothing(ui, Fn, CtmS, Ctm, Cfm);
  ASSERT_EQ(ui.messages.size(), 1u);
  EXPECT_NE(ui.messages[0].find("order 1"), std::string::npos);
  EXPECT_EQ(ui.questions.back().title, " 1 < Order < 19");
  EXPECT_EQ(CtmS, Ctm);
}

TEST(PolynomialSmoothing, FewerThanTwoFormFactorPointsDrawNothingUndefined) {
  // Only the first run lies in 0.1 < Fn < 0.2.
  std::vector<double> Fn{0.15, 0.25, 0.30, 0.35};
  std::vector<double> Ctm{4.2, 4.0, 4.6, 5.9};
  std::vector<double> Cfm{3.4, 3.1, 3.0, 2.9};
  std::vector<double> CtmS = Ctm;
  ScriptedToolkit ui({"1", "0", "3", "Y", "Y"});
  PolynomialSmoothing(ui, Fn, CtmS, Ctm, Cfm);
  EXPECT_EQ(ui.questions.size(), 5u);
  for (double c : CtmS) EXPECT_TRUE(std::isfinite(c));
  ExpectNothingUndefinedDrawn(ui);
}

TEST(PolynomialSmoothing, WithoutRunsSaysSoAndAsksNothing) {
  std::vector<double> none;
  ScriptedToolkit ui;
  PolynomialSmoothing(ui, none, none, none, none);
  EXPECT_TRUE(ui.questions.empty());
  const auto& screen = ui.Window(WindowId::Ekran_Form1);
  EXPECT_TRUE(screen.Shown());
  ASSERT_EQ(PrintedTexts(screen).size(), 1u);
  EXPECT_NE(PrintedTexts(screen)[0].find("no runs"), std::string::npos);
}

}  // namespace
}  // namespace kavrel
