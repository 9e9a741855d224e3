// The analysis driver on the scripted front end: screens, questions and the report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "tests/support/ScriptedToolkit.h"
#include "tests/support/TempFolder.h"
#include "text/Faults.h"

namespace kavrel {
namespace {

using test::PrintedTexts;
using test::ScriptedToolkit;
using test::TempFolder;
using test::TestData;

// Runs the small test with `answers`; the analysis may end for want of answers.
struct Analysed {
  explicit Analysed(const std::vector<std::string>& answers) : ui(answers) {
    folder.Write("KAVREL_BAS.DAT", TestData("small_KAVREL_BAS.DAT"));
    try {
      RunAnalysis(ui, folder.Path());
    } catch (const InputFault&) {
    }
  }
  TempFolder folder;
  ScriptedToolkit ui;
};

TEST(Driver, ScreensAndQuestionsInTheirOrder) {
  const Analysed first(std::vector<std::string>{});
  EXPECT_EQ(PrintedTexts(first.ui.Window(WindowId::Ekran_Form1)),
            (std::vector<std::string>{
                " The water temperature during the resistance tests is 15.00 degrees",
                " ******* IMPORTANT NOTE **********",
                " In order to run the program properly the decimal separator",
                " at the 'REGIONAL SETTINGS on WinXP' should be set as point '.'"}));
  const auto& items = first.ui.Window(WindowId::Ekran_Form1).Items();
  const auto& note = std::get<TextItem>(items[1]);
  EXPECT_EQ(std::make_pair(note.x, note.y), std::make_pair(10.0, 70.0));
  EXPECT_EQ(note.fontSize, 10);
  EXPECT_EQ(note.fontName, "Times New Roman");
  EXPECT_EQ(note.colour, Colour::DarkBlue);
  EXPECT_EQ(std::get<TextItem>(items[2]).fontSize, 8);
  const Question& temperature = first.ui.questions.at(0);
  EXPECT_EQ(temperature.prompt,
            "Do you want to interpret the resistance tests to another degrees of temperature ? "
            "Y/N <N> ");
  EXPECT_EQ(temperature.title, "resistance temperature scaling");
  EXPECT_EQ(temperature.defaultText, "N");
  EXPECT_EQ(std::make_pair(temperature.leftTwips, temperature.topTwips),
            std::make_pair(9500, 8500));

  const Analysed second({"N"});
  EXPECT_EQ(PrintedTexts(second.ui.Window(WindowId::Ekran_Form1)),
            (std::vector<std::string>{" ENTER THE SMOOTHING CHOISE 1/2  <1>",
                                      " <1> REGRESSION POLYNOMIAL SMOOTHING",
                                      " <2> TORBEN MUNK WAVE RESISTANCE APROACH"}));
  EXPECT_EQ(std::get<TextItem>(second.ui.Window(WindowId::Ekran_Form1).Items()[2]).y, 20);
  const Question& smoothing = second.ui.questions.at(1);
  EXPECT_EQ(smoothing.prompt, "Enter the values 1 or 2");
  EXPECT_EQ(smoothing.title, "smoothing type entry");
  EXPECT_EQ(smoothing.defaultText, "1");
  EXPECT_FALSE(second.folder.Exists("KAVREL.OUT"));
}

TEST(Driver, OnlyExactlyYOrSmallYConvertsAndTheNewTemperatureMustLieInTheTables) {
  // Smoothing 1, NS 1, ND 0, Order 0: the measured coefficients are reported.
  const std::vector<std::string> keep{"1", "1", "0", "0"};
  for (const char* answer : {"", "n", "yes", " Y", "Y ", "N"}) {
    std::vector<std::string> answers{answer};
    answers.insert(answers.end(), keep.begin(), keep.end());
    const Analysed run(answers);
    EXPECT_EQ(run.folder.Read("KAVREL.OUT"), TestData("small_expected.OUT")) << answer;
  }
  for (const char* yes : {"Y", "y"}) {
    std::vector<std::string> answers{yes, "31", "abc", "-0.5", " 20 "};
    answers.insert(answers.end(), keep.begin(), keep.end());
    const Analysed run(answers);
    const Question& entry = run.ui.questions.at(1);
    EXPECT_EQ(entry.prompt,
              "Enter the new temperature at which the resistance tests to be scaled.");
    EXPECT_EQ(entry.title, "resistance temperature entry");
    EXPECT_EQ(entry.defaultText, "15");
    EXPECT_EQ(run.ui.messages.size(), 3u);
    EXPECT_EQ(run.folder.Read("KAVREL.OUT"), TestData("small_expected_20C.OUT"));
  }
}

}  // namespace
}  // namespace kavrel
