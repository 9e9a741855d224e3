// The analysis driver on the scripted front end: screens, questions and the report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/InputFault.h"
#include "tests/support/ScriptedToolkit.h"
#include "tests/support/TempFolder.h"

namespace kavrel {
namespace {

using testing::PrintedTexts;
using testing::ScriptedToolkit;
using testing::TempFolder;
using testing::TestData;

const char* const TemperaturePrompt =
    "Do you want to interpret the resistance tests to another degrees of temperature ? Y/N <N> ";

// Answers after the temperature question: smoothing 1, NS 1, ND 0, Order 0 (no smoothing).
const std::vector<std::string> KeepMeasured{"1", "1", "0", "0"};

std::vector<std::string> With(std::vector<std::string> first, const std::vector<std::string>& rest) {
  first.insert(first.end(), rest.begin(), rest.end());
  return first;
}

TEST(Driver, ScreensAndQuestionsInTheirOrder) {
  TempFolder folder;
  folder.Write("KAVREL_BAS.DAT", TestData("small_KAVREL_BAS.DAT"));
  ScriptedToolkit ui(With({"N"}, KeepMeasured));
  RunAnalysis(ui, folder.Path());

  ASSERT_GE(ui.questions.size(), 2u);
  const Question& temperature = ui.questions[0];
  EXPECT_EQ(temperature.prompt, TemperaturePrompt);
  EXPECT_EQ(temperature.title, "resistance temperature scaling");
  EXPECT_EQ(temperature.defaultText, "N");
  EXPECT_EQ(temperature.leftTwips, 9500);
  EXPECT_EQ(temperature.topTwips, 8500);
  const Question& smoothing = ui.questions[1];
  EXPECT_EQ(smoothing.prompt, "Enter the values 1 or 2");
  EXPECT_EQ(smoothing.title, "smoothing type entry");
  EXPECT_EQ(smoothing.defaultText, "1");

  const DisplayWindow& screen = ui.Window(WindowId::Ekran_Form1);
  EXPECT_TRUE(screen.Shown());
  EXPECT_EQ(screen.Caption(), "Form1");
  EXPECT_EQ(folder.Read("KAVREL.OUT"), TestData("small_expected.OUT"));
}

TEST(Driver, FirstAndSecondScreenTexts) {
  TempFolder folder;
  folder.Write("KAVREL_BAS.DAT", TestData("small_KAVREL_BAS.DAT"));
  // Stop at the smoothing question to look at the second screen.
  ScriptedToolkit first(std::vector<std::string>{});
  EXPECT_THROW(RunAnalysis(first, folder.Path()), InputFault);
  const std::vector<std::string> firstScreen{
      " The water temperature during the resistance tests is 15.00 degrees",
      " ******* IMPORTANT NOTE **********",
      " In order to run the program properly the decimal separator",
      " at the 'REGIONAL SETTINGS on WinXP' should be set as point '.'"};
  EXPECT_EQ(PrintedTexts(first.Window(WindowId::Ekran_Form1)), firstScreen);
  const auto& items = first.Window(WindowId::Ekran_Form1).Items();
  const auto& note = std::get<TextItem>(items[1]);
  EXPECT_EQ(note.x, 10);
  EXPECT_EQ(note.y, 70);
  EXPECT_EQ(note.fontSize, 10);
  EXPECT_EQ(note.fontName, "Times New Roman");
  EXPECT_EQ(note.colour, Colour::DarkBlue);
  EXPECT_EQ(std::get<TextItem>(items[2]).fontSize, 8);

  ScriptedToolkit second({"N"});
  EXPECT_THROW(RunAnalysis(second, folder.Path()), InputFault);
  const std::vector<std::string> secondScreen{" ENTER THE SMOOTHING CHOISE 1/2  <1>",
                                              " <1> REGRESSION POLYNOMIAL SMOOTHING",
                                              " <2> TORBEN MUNK WAVE RESISTANCE APROACH"};
  EXPECT_EQ(PrintedTexts(second.Window(WindowId::Ekran_Form1)), secondScreen);
  const auto& menu = std::get<TextItem>(second.Window(WindowId::Ekran_Form1).Items()[2]);
  EXPECT_EQ(menu.y, 20);
  EXPECT_EQ(menu.fontSize, 10);
  EXPECT_FALSE(folder.Exists("KAVREL.OUT"));
}

TEST(Driver, OnlyExactlyYOrSmallYConverts) {
  for (const char* answer : {"", "n", "yes", " Y", "Y ", "N"}) {
    TempFolder folder;
    folder.Write("KAVREL_BAS.DAT", TestData("small_KAVREL_BAS.DAT"));
    ScriptedToolkit ui(With({answer}, KeepMeasured));
    RunAnalysis(ui, folder.Path());
    EXPECT_EQ(folder.Read("KAVREL.OUT"), TestData("small_expected.OUT")) << '"' << answer << '"';
  }
}

TEST(Driver, ConversionAsksTheNewTemperatureUntilItLiesInTheTables) {
  for (const char* yes : {"Y", "y"}) {
    TempFolder folder;
    folder.Write("KAVREL_BAS.DAT", TestData("small_KAVREL_BAS.DAT"));
    ScriptedToolkit ui(With({yes, "31", "abc", "-0.5", " 20 "}, KeepMeasured));
    RunAnalysis(ui, folder.Path());
    const Question& entry = ui.questions[1];
    EXPECT_EQ(entry.prompt, "Enter the new temperature at which the resistance tests to be scaled.");
    EXPECT_EQ(entry.title, "resistance temperature entry");
    EXPECT_EQ(entry.defaultText, "15");
    EXPECT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(folder.Read("KAVREL.OUT"), TestData("small_expected_20C.OUT"));
  }
}

TEST(Driver, SmoothingChoiceIsRefusedUntilItIsAWholeNumber) {
  TempFolder folder;
  folder.Write("KAVREL_BAS.DAT", TestData("small_KAVREL_BAS.DAT"));
  ScriptedToolkit ui({"N", "one", "40000", " 1.4 ", "1", "0", "0"});
  RunAnalysis(ui, folder.Path());
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_NE(ui.messages[0].find("\"one\""), std::string::npos);
  EXPECT_NE(ui.messages[1].find("\"40000\""), std::string::npos);
  EXPECT_EQ(folder.Read("KAVREL.OUT"), TestData("small_expected.OUT"));
}

}  // namespace
}  // namespace kavrel
