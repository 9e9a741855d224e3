// The wave-resistance dialogue on the scripted front end: questions, text window, refusals.
#include "munk/MunkSmoothing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "analysis/Answers.h"
#include "tests/munk/MunkTestData.h"
#include "tests/support/ScriptedToolkit.h"

namespace kavrel {
namespace {

using ::testing::HasSubstr;
using testing::MakeModelTest;
using testing::ModelTest;
using testing::PlausibleD;
using testing::PlausibleX;

// What the user could see, and what the procedure held, when a question came up.
struct Snapshot {
  std::vector<double> CtmS;
  MunkParameters D;
  std::vector<std::string> text;  // printed on the text window
  std::uint64_t graphRevision;    // of the coefficient graph
};

class Recorder : public testing::ScriptedToolkit {
 public:
  Recorder(std::vector<std::string> answers, const std::vector<double>& CtmS,
           const MunkParameters& D)
      : ScriptedToolkit(std::move(answers)), CtmS_(CtmS), D_(D) {}

  std::string Ask(const Question& question) override {
    snapshots.push_back({CtmS_, D_, testing::PrintedTexts(Window(WindowId::Ekran_Form1)),
                         Window(WindowId::Kavrel_Form1).Revision()});
    return ScriptedToolkit::Ask(question);
  }

  std::vector<Snapshot> snapshots;

 private:
  const std::vector<double>& CtmS_;
  const MunkParameters& D_;
};

struct Session {
  ModelTest test;
  std::vector<double> CtmS;
  MunkParameters D{};
  Recorder ui;

  Session(ModelTest data, std::vector<std::string> answers)
      : test(std::move(data)), CtmS(test.Ctm), ui(std::move(answers), CtmS, D) {
    MunkSmoothing(ui, test.Cfm, CtmS, test.Ctm, test.Fn, D);
  }
};

ModelTest PlausibleTest(std::size_t runs = 12) {
  return MakeModelTest(runs, 0.1, 0.4, PlausibleX, PlausibleD, 0.05);
}

const std::vector<std::string> AcceptPlausibleD{"0.1", "",    "0.3", "Y", "0.5",
                                                "y",   "0.8", "yes", ""};

void ExpectModel(const std::vector<double>& CtmS, const ModelTest& test) {
  ASSERT_EQ(CtmS.size(), test.model.size());
  for (std::size_t I = 0; I < CtmS.size(); ++I) EXPECT_NEAR(CtmS[I], test.model[I], 1e-9) << I;
}

TEST(MunkSmoothing, FourAcceptedTries) {
  Session s(PlausibleTest(), AcceptPlausibleD);

  const std::vector<Question> expected{
      {"Enter D(1) value for 1. try and press 'ENTER' key.", "D(1) entry - 0.04 < D < 1.1 ", "0"},
      {"The value D(1)=0.100  you entered is suitable?  Y/N <Y>", "value control for D(1)", "Y"},
      {"Enter D(2) value for 2. try and press 'ENTER' key.", "D(2) entry - D1 < D2 < 1.1 ", "0"},
      {"The value D(2)=0.300  you entered is suitable?  Y/N <Y>", "value control for D(2)", "Y"},
      {"Enter D(3) value for 3. try and press 'ENTER' key.", "D(3) entry - D2 < D3 < 1.1 ", "0"},
      {"The value D(3)=0.500  you entered is suitable?  Y/N <Y>", "value control for D(3)", "Y"},
      {"Enter D(4) value for 4. try and press 'ENTER' key.", "D(4) entry - D3 < D4 < 1.1 ", "0"},
      {"The value D(4)=0.800  you entered is suitable?  Y/N <Y>", "value control for D(4)", "Y"},
      {"Is calculation O.K.? Y/N <Y> ", "calculation ending entry", "Y"}};
  ASSERT_EQ(s.ui.questions.size(), expected.size());
  for (std::size_t q = 0; q < expected.size(); ++q) {
    SCOPED_TRACE(q);
    EXPECT_EQ(s.ui.questions[q].prompt, expected[q].prompt);
    EXPECT_EQ(s.ui.questions[q].title, expected[q].title);
    EXPECT_EQ(s.ui.questions[q].defaultText, expected[q].defaultText);
    EXPECT_EQ(s.ui.questions[q].leftTwips, 9500);
    EXPECT_EQ(s.ui.questions[q].topTwips, 8500);
  }
  EXPECT_TRUE(s.ui.messages.empty());
  EXPECT_EQ(s.D, PlausibleD);
  ExpectModel(s.CtmS, s.test);  // the scatter is removed exactly

  // The history of tries, each line with the current values; D values in 3 + 3 places.
  const std::vector<std::string> lines{
      " Try - 1 -> d(1)=  0.100", " Try - 2 -> d(1)=  0.100 , d(2)=  0.300",
      " Try - 3 -> d(1)=  0.100 , d(2)=  0.300 , d(3)=  0.500",
      " Try - 4 -> d(1)=  0.100 , d(2)=  0.300 , d(3)=  0.500 , d(4)=  0.800"};
  EXPECT_EQ(s.ui.snapshots[1].text, std::vector<std::string>(lines.begin(), lines.begin() + 1));
  EXPECT_EQ(s.ui.snapshots[5].text, std::vector<std::string>(lines.begin(), lines.begin() + 3));
  const DisplayWindow& window = s.ui.Window(WindowId::Ekran_Form1);
  EXPECT_EQ(testing::PrintedTexts(window), lines);
  EXPECT_TRUE(window.Shown());
  double y = 10;
  for (const DrawItem& item : window.Items()) {
    const auto& text = std::get<TextItem>(item);
    EXPECT_EQ(text.x, 10);
    EXPECT_EQ(text.y, y);
    EXPECT_EQ(text.fontName, "Times New Roman");
    EXPECT_EQ(text.fontSize, 10);
    EXPECT_EQ(text.colour, Colour::DarkBlue);
    y += 5;
  }
  EXPECT_TRUE(s.ui.Window(WindowId::Form_Faktor_Form1).Shown());
  EXPECT_TRUE(s.ui.Window(WindowId::Form_Faktor_Form2).Shown());
}

TEST(MunkSmoothing, RefusedTryIsRepeatedKeepingEarlierValues) {
  Session s(PlausibleTest(),
            {"0.1", "", "0.3", "n", "0.35", "", "0.5", "", "0.7", "N", "0.8", "", ""});
  ASSERT_EQ(s.ui.questions.size(), 13u);
  EXPECT_EQ(s.ui.questions[4].prompt, "Enter D(2) value for 2. try and press 'ENTER' key.");
  EXPECT_EQ(s.ui.snapshots[5].D, (MunkParameters{0.1, 0.35, 0, 0}));
  EXPECT_EQ(s.ui.snapshots[5].text.back(), " Try - 2 -> d(1)=  0.100 , d(2)=  0.350");
  EXPECT_EQ(s.ui.questions[10].prompt, "Enter D(4) value for 4. try and press 'ENTER' key.");
  EXPECT_EQ(s.D, (MunkParameters{0.1, 0.35, 0.5, 0.8}));
}

TEST(MunkSmoothing, RefusedCalculationStartsAgainFromTheMeasuredData) {
  std::vector<std::string> answers{"0.2", "", "0.4", "", "0.6", "", "0.9", "", "n"};
  answers.insert(answers.end(), AcceptPlausibleD.begin(), AcceptPlausibleD.end());
  Session s(PlausibleTest(), answers);
  ASSERT_EQ(s.ui.questions.size(), 18u);
  EXPECT_EQ(s.ui.questions[9].prompt, "Enter D(1) value for 1. try and press 'ENTER' key.");
  EXPECT_NE(s.ui.snapshots[8].CtmS, s.test.Ctm);
  EXPECT_EQ(s.ui.snapshots[9].CtmS, s.test.Ctm);
  // The new first try clears the later values of the refused pass.
  EXPECT_EQ(s.ui.snapshots[10].D, (MunkParameters{0.1, 0, 0, 0}));
  EXPECT_EQ(s.ui.snapshots[10].text, std::vector<std::string>{" Try - 1 -> d(1)=  0.100"});
  EXPECT_EQ(s.D, PlausibleD);
  ExpectModel(s.CtmS, s.test);
}

TEST(MunkSmoothing, UnusableAnswersAndSingularFitsAreAskedAgain) {
  Session s(PlausibleTest(),
            {"abc", "0,1", "", " 0.1 ", "", "0.1", "0.3", "", "0.5", "", "0.8", "", ""});
  ASSERT_EQ(s.ui.messages.size(), 4u);
  EXPECT_EQ(s.ui.messages[0], NotANumberMessage("abc"));
  EXPECT_EQ(s.ui.messages[1], NotANumberMessage("0,1"));
  EXPECT_THAT(s.ui.messages[2], HasSubstr("D(1)=0.000"));
  EXPECT_THAT(s.ui.messages[2], HasSubstr("singular"));
  EXPECT_THAT(s.ui.messages[2], HasSubstr("a D value of 0"));
  EXPECT_THAT(s.ui.messages[3], HasSubstr("D(2)=0.100"));
  EXPECT_THAT(s.ui.messages[3], HasSubstr("the same cosine term as D(1)"));
  // The singular fit of D(1) = 0 changed nothing: D(1) is asked again over the measured data.
  EXPECT_EQ(s.ui.questions[3].title, "D(1) entry - 0.04 < D < 1.1 ");
  EXPECT_EQ(s.ui.snapshots[3].CtmS, s.test.Ctm);
  EXPECT_TRUE(s.ui.snapshots[3].text.empty());
  // The singular D(2) leaves CtmS, the text window and the graph as the first try left them.
  EXPECT_EQ(s.ui.questions[6].title, "D(2) entry - D1 < D2 < 1.1 ");
  EXPECT_EQ(s.ui.snapshots[6].CtmS, s.ui.snapshots[4].CtmS);
  EXPECT_EQ(s.ui.snapshots[6].text, s.ui.snapshots[4].text);
  EXPECT_EQ(s.ui.snapshots[6].graphRevision, s.ui.snapshots[5].graphRevision);
  EXPECT_EQ(s.D, PlausibleD);
  ExpectModel(s.CtmS, s.test);
}

TEST(MunkSmoothing, ManyRunsAndNoFormFactorLine) {
  // 60 runs; then none with 0.1 < Fn < 0.2, so (1+k) is undefined and no NaN may show.
  for (const double FnLow : {0.1, 0.2}) {
    Session s(MakeModelTest(FnLow == 0.1 ? 60 : 12, FnLow, 0.45, PlausibleX, PlausibleD, 0.05),
              AcceptPlausibleD);
    EXPECT_EQ(s.ui.questions.size(), 9u);
    ExpectModel(s.CtmS, s.test);
    for (WindowId id : AllWindows) {
      for (const std::string& text : testing::PrintedTexts(s.ui.Window(id))) {
        EXPECT_EQ(text.find("NaN"), std::string::npos) << text;
        EXPECT_EQ(text.find("Inf"), std::string::npos) << text;
      }
    }
  }
}

TEST(MunkSmoothing, TooFewRunsAtDifferentSpeeds) {
  struct Case {
    std::vector<double> Fn;
    std::string count;
  };
  const std::vector<Case> cases{
      {{}, " at different speeds; this test has 0 runs."},
      {{0.15}, " at different speeds; this test has 1 run."},
      {{0.1, 0.15, 0.2, 0.25, 0.3}, " at different speeds; this test has 5 runs."},
      {{0.1, 0.15, 0.15, 0.2, 0.25, 0.3, 0.3},
       " at different speeds; this test has 7 runs at 5 speeds."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    const std::vector<double> Cfm(c.Fn.size(), 3.5), Ctm(c.Fn.size(), 4.5);
    std::vector<double> CtmS(c.Fn.size(), 0.0);
    MunkParameters D{0.1, 0.2, 0.3, 0.4};
    testing::ScriptedToolkit ui;
    MunkSmoothing(ui, Cfm, CtmS, Ctm, c.Fn, D);
    EXPECT_TRUE(ui.questions.empty());
    EXPECT_EQ(CtmS, Ctm);
    EXPECT_EQ(D, (MunkParameters{0, 0, 0, 0}));
    EXPECT_EQ(testing::PrintedTexts(ui.Window(WindowId::Ekran_Form1)),
              (std::vector<std::string>{" The wave resistance approach needs at least 6 runs",
                                        c.count, " The smoothed CtmS is the measured Ctm."}));
  }
}

}  // namespace
}  // namespace kavrel
