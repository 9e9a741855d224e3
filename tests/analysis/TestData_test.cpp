// Reading the data file and ordering the runs by speed.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "analysis/TestData.h"
#include "text/Faults.h"

namespace kavrel {
namespace {

std::string Heading() {
  return "title\n1 2\n\n4\n5\n6\n7\n8\n9\n";
}

std::string File(const std::string& runs, const std::string& tail = "x\ny\n4.5 6.25\nT\n15\n") {
  return Heading() + runs + tail;
}

TestData Read(const std::string& text) {
  std::istringstream in(text);
  return ReadTestData(in, "KAVREL_BAS.DAT");
}

std::string FaultOf(const std::string& text) {
  try {
    Read(text);
  } catch (const InputFault& fault) {
    return fault.what();
  }
  return "no fault";
}

TEST(ReadTestData, ReadsRunsParticularsAndTemperature) {
  // Separators: blanks, a tab, a comma with blanks; CR LF endings; numbers in the headings.
  const TestData data = Read(
      "h\r\n1 2\r\n\r\n\r\n\r\n\r\n\r\n\r\n9 9\r\n3.5 2\r\n1.25,\t1.5\r\n0.001 0\r\n"
      "0.0005, 0.0009\r\na\r\nb\r\n4.2 , 5\r\nc\r\n 15.5 \r\nrest is not read: x y z\r\n");
  EXPECT_EQ(data.Rtm, (std::vector<double>{3.5, 1.25, 0.001}));
  EXPECT_EQ(data.Vm, (std::vector<double>{2, 1.5, 0}));
  EXPECT_EQ(data.runLines, (std::vector<int>{10, 11, 12}));
  EXPECT_EQ(data.Sw, 4.2);
  EXPECT_EQ(data.Lwl, 5);
  EXPECT_EQ(data.T, 15.5);
  EXPECT_EQ(data.particularsLine, 16);
  EXPECT_EQ(data.temperatureLine, 18);
}

TEST(ReadTestData, HoldsAtMost99Runs) {
  std::string runs;
  for (int i = 1; i <= 99; ++i) runs += std::to_string(i) + " " + std::to_string(i) + "\n";
  EXPECT_EQ(Read(File(runs + "0 0\n")).Vm.size(), 99u);
  EXPECT_EQ(FaultOf(File(runs + "100 100\n0 0\n")),
            "KAVREL_BAS.DAT:109: no terminator line (two numbers below 0.001, such as 0 0) within "
            "the first 100 run lines: a test holds at most 99 runs");
}

TEST(ReadTestData, FaultsNameTheFileAndTheLine) {
  const std::string longLine(1001, '1');
  const struct {
    std::string text;
    std::string fault;
  } cases[] = {
      {File("1 2 3\n0 0\n"), "KAVREL_BAS.DAT:10: expected 2 numbers, found 3"},
      {File("\n0 0\n"), "KAVREL_BAS.DAT:10: expected 2 numbers, found 0"},
      {File("1 2\n1 x2\n0 0\n"), "KAVREL_BAS.DAT:11: \"x2\" is not a number"},
      {File("1,5 2\n0 0\n"), "KAVREL_BAS.DAT:10: expected 2 numbers, found 3"},
      {File("1,,2\n0 0\n"), "KAVREL_BAS.DAT:10: an empty field before a comma"},
      {File("1 2,\n0 0\n"), "KAVREL_BAS.DAT:10: an empty field after the last comma"},
      {File(std::string("1 \x01\xff\n0 0\n")), "KAVREL_BAS.DAT:10: \"??\" is not a number"},
      {File(longLine + " 2\n0 0\n"),
       "KAVREL_BAS.DAT:10: the line is too long for a number line (more than 1000 characters)"},
      {File("0 0\n", "x\ny\n4.5 6\nT\n15 16\n"), "KAVREL_BAS.DAT:15: expected 1 number, found 2"},
      {"", "KAVREL_BAS.DAT:1: the file ends early: one of the 9 heading lines was expected"},
      {File("1 2\n", ""),
       "KAVREL_BAS.DAT:11: the file ends early: a run line (resistance in kg, speed in m/s) or the "
       "terminator line 0 0 was expected"},
      {File("0 0\n", "x\ny\n4.5 6\nT\n"),
       "KAVREL_BAS.DAT:15: the file ends early: the line with the water temperature (degrees "
       "Celsius) was expected"},
  };
  for (const auto& c : cases) EXPECT_EQ(FaultOf(c.text), c.fault);
}

TEST(ReadTestData, TerminatorNeedsBothNumbersStrictlyBelowOneThousandth) {
  EXPECT_EQ(Read(File("0.001 0\n0 -0.0009\n")).Vm.size(), 1u);
  EXPECT_EQ(Read(File("0 0.001\n0.0005 0.0009\n")).Vm.size(), 1u);
  // A first pair that ends the list: no runs; the last line needs no line end.
  const TestData none = Read(Heading() + "0 0\na\nb\n1 2\nc\n20");
  EXPECT_TRUE(none.Vm.empty());
  EXPECT_EQ(none.T, 20);
}

TEST(SortRuns, OrdersBySpeedCarryingTheResistance) {
  struct Case {
    std::vector<double> Vm, Rtm, sortedVm, sortedRtm;
  };
  const Case cases[] = {
      // Speeds 2, 1, 1 with resistances a, b, c give c, b, a.
      {{2, 1, 1}, {1, 2, 3}, {1, 1, 2}, {3, 2, 1}},
      // Already non-decreasing: untouched, equal speeds included.
      {{1, 1, 2}, {5, 6, 7}, {1, 1, 2}, {5, 6, 7}},
      // Worked by hand: equal speeds after a faster one are exchanged among themselves.
      {{2, 1.5, 1.5, 1}, {3, 1.6, 1.7, 0.8}, {1, 1.5, 1.5, 2}, {0.8, 1.7, 1.6, 3}},
  };
  for (Case c : cases) {
    std::vector<int> lines(c.Vm.size());
    for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = static_cast<int>(c.Rtm[i] * 10);
    SortRuns(c.Rtm, c.Vm, lines);
    EXPECT_EQ(c.Vm, c.sortedVm);
    EXPECT_EQ(c.Rtm, c.sortedRtm);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(lines[i], static_cast<int>(c.Rtm[i] * 10));
    }
  }
}

}  // namespace
}  // namespace kavrel
