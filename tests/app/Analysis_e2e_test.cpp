// The kavrel executable from the data file to the report, and its fatal faults.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/TempFolder.h"

namespace kavrel {
namespace {

using test::RunKavrel;
using test::TempFolder;
using test::TestData;

const std::string Earlier = "an earlier report\r\n";

TEST(Executable, WritesTheReportsWorkedOutByHand) {
  // Smoothing 1, NS 1, ND 0, Order 0: the measured coefficients. Empty lines take the
  // defaults, CR LF answers lose their CR.
  const struct {
    const char* input;
    const char* expected;
  } cases[] = {{"N\n1\n1\n0\n0\n", "small_expected.OUT"},
               {"\r\n\n\n\n\n", "small_expected.OUT"},
               {"y\r\n20\r\n1\r\n1\r\n0\r\n0\r\n", "small_expected_20C.OUT"}};
  for (const auto& c : cases) {
    TempFolder folder;
    folder.Write("KAVREL_BAS.DAT", TestData("small_KAVREL_BAS.DAT"));
    folder.Write("KAVREL.OUT", Earlier);
    const auto run = RunKavrel(folder.Path(), c.input);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(folder.Read("KAVREL.OUT"), TestData(c.expected)) << c.input;
    EXPECT_NE(run.out.find(" <2> TORBEN MUNK WAVE RESISTANCE APROACH\n"), std::string::npos);
    for (const char* picture : {"KAVREL_COEFFICIENTS.svg", "KAVREL_FORM_FACTOR_RAW.svg",
                                "KAVREL_FORM_FACTOR_SMOOTHED.svg"}) {
      EXPECT_TRUE(folder.Exists(picture)) << picture;
    }
  }
}

std::string SmallWith(const std::string& runs, const std::string& particulars,
                      const std::string& temperature) {
  return "t\n\n\n\n\n\n\n\nh\n" + runs + "0 0\n\n\n" + particulars + "\nT\n" + temperature + "\n";
}

TEST(Executable, FatalFaultsLeaveNoReportAndKeepTheEarlierOne) {
  const struct {
    const char* name;
    std::string data;  // empty: no data file at all
    std::string input;
    std::string message;
  } cases[] = {
      {"missing file", "", "N\n",
       "kavrel: KAVREL_BAS.DAT: cannot open the data file (no such file in this folder)\n"},
      {"three numbers", SmallWith("1 2 3\n", "4 5", "15"), "N\n",
       "kavrel: KAVREL_BAS.DAT:10: expected 2 numbers, found 3\n"},
      {"zero speed", SmallWith("1 2\n0.5 0\n", "4 5", "15"), "N\n",
       "kavrel: KAVREL_BAS.DAT:11: run 2: the speed must be positive, found 0 m/s\n"},
      {"negative surface", SmallWith("1 2\n", "-4 5", "15"), "N\n",
       "kavrel: KAVREL_BAS.DAT:14: the wetted surface Sw must be positive, found -4\n"},
      {"zero length", SmallWith("1 2\n", "4 0", "15"), "N\n",
       "kavrel: KAVREL_BAS.DAT:14: the water-line length Lwl must be positive, found 0\n"},
      {"warm water", SmallWith("1 2\n", "4 5", "35"), "N\n",
       "kavrel: KAVREL_BAS.DAT:16: the water temperature 35 degrees lies outside the water "
       "tables (0 to 30 degrees)\n"},
      {"tiny Reynolds number", SmallWith("1 2\n0.01 0.01\n", "4 0.01", "15"), "N\n",
       "kavrel: KAVREL_BAS.DAT:11: run 2: the Reynolds number"},
      {"end of input", SmallWith("1 2\n", "4 5", "15"), "N\n",
       "kavrel: end of input while waiting for an answer to \"smoothing type entry\"\n"},
  };
  for (const auto& c : cases) {
    TempFolder folder;
    if (!c.data.empty()) folder.Write("KAVREL_BAS.DAT", c.data);
    folder.Write("KAVREL.OUT", Earlier);
    const auto run = RunKavrel(folder.Path(), c.input);
    EXPECT_EQ(run.status, 1) << c.name;
    EXPECT_EQ(run.err.substr(0, c.message.size()), c.message) << c.name;
    EXPECT_EQ(folder.Read("KAVREL.OUT"), Earlier) << c.name;
  }
}

TEST(Executable, CommandLine) {
  TempFolder folder;
  const auto help = RunKavrel(folder.Path(), "", "--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--terminal"), std::string::npos);
  const auto version = RunKavrel(folder.Path(), "", "--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.substr(0, 7), "kavrel ");
  const auto wrong = RunKavrel(folder.Path(), "", "--colour");
  EXPECT_EQ(wrong.status, 2);
  EXPECT_NE(wrong.err.find("'--colour'"), std::string::npos);
  EXPECT_EQ(RunKavrel(folder.Path(), "", "--terminal --desktop").status, 2);
}

}  // namespace
}  // namespace kavrel
