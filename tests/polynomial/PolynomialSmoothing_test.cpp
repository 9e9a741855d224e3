// The polynomial smoothing dialogue on the scripted front end: its questions and the printed
// form factor. Whole dialogues run end to end in tests/app.
#include "polynomial/PolynomialSmoothing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

#include "tests/support/ScriptedToolkit.h"

namespace kavrel {
namespace {

using test::ScriptedToolkit;

TEST(PolynomialSmoothing, AsksItsQuestionsAndPrintsTheFormFactorOfTheSmoothedData) {
  // Three slow runs on the form-factor line Ctm/Cfm = 1.15 + 0.5·Fn^4/(Cfm/1000), fitted with
  // three terms: the fit reproduces them, so (1+k) = 1.15.
  const std::vector<double> Fn{0.12, 0.15, 0.18}, Cfm{3.5, 3.4, 3.3};
  std::vector<double> Ctm;
  Ctm.reserve(Fn.size());
  for (int i = 0; i < 3; ++i) Ctm.push_back(1.15 * Cfm[i] + 500 * std::pow(Fn[i], 4));
  std::vector<double> CtmS = Ctm;
  ScriptedToolkit ui({"", "", "3", "", ""});  // defaults but for the order
  PolynomialSmoothing(ui, Fn, CtmS, Ctm, Cfm);
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
    const Question& q = ui.questions[i];
    EXPECT_EQ(std::tie(q.prompt, q.title, q.defaultText),
              std::tie(expected[i].prompt, expected[i].title, expected[i].defaultText));
    EXPECT_TRUE(q.leftTwips == 9500 && q.topTwips == 8500) << i;
  }
  const auto texts = test::PrintedTexts(ui.Window(WindowId::Kavrel_Form1));
  EXPECT_NE(std::find(texts.begin(), texts.end(), "(1+k)= 1.150"), texts.end());
}

}  // namespace
}  // namespace kavrel
