// The uncertainty analysis against a worked example (Example A: five repeats at one speed,
// figures by hand from the ITTC-1957 line and the water table's 15-degree row) and against
// relations a correct analysis keeps whatever the data: a relative error of Sw scales every
// coefficient, k scales U, a flat stretch of the density table gives no temperature term.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <utility>

#include "files/Folder.h"
#include "ship/ShipStage.h"
#include "tests/support/ScriptedToolkit.h"
#include "tests/support/TempFolder.h"
#include "text/Faults.h"
#include "uncertainty/UncertaintyReport.h"

namespace kavrel {
namespace {

// A test file with Sw 4 m2 and Lwl 5 m at temperature T; runs as "Rtm Vm" lines.
std::string Data(const std::string& T, const std::string& runs) {
  return "test\n\n\n\n\n\n\n\nRtm Vm\n" + runs + "0 0\n\n\n 4.0 5.0\nT\n" + T + "\n";
}
// Eight speeds, Fn 0.114 to 0.314: four runs in the Prohaska window.
const std::string Speeds =
    Data("15", "0.52 0.8\n0.81 1.0\n1.17 1.2\n1.61 1.4\n2.14 1.6\n2.8 1.8\n3.62 2.0\n4.7 2.2\n");
const std::string Polynomial = "N 1 1 0 3 Y Y", Munk = "N 2 0.1 Y 0.3 Y 0.5 Y 0.8 Y Y";

UncertaintyResult Evaluate(const std::string& data, const std::string& answers,
                           const std::string& unc, const std::string& shipFile = "") {
  test::TempFolder dir;
  dir.Write("KAVREL_BAS.DAT", data);
  const Folder folder(dir.Path());
  CheckedTest test = ReadAndCheckTest(folder);
  std::istringstream uncIn(unc), shipIn(shipFile), words(answers);
  const UncertaintySettings settings = ReadUncertaintyFile(uncIn, "KAVREL_UNC.DAT");
  std::optional<ShipParticulars> ship;
  if (!shipFile.empty()) ship = ReadShipFile(shipIn, "KAVREL_SHIP.DAT");
  CheckUncertaintySettings(settings, test.data.T, ship && ship->formFactor, "KAVREL_UNC.DAT");
  const CheckedTest measured = test;
  std::vector<std::string> list;
  for (std::string word; words >> word;) list.push_back(word);
  test::ScriptedToolkit ui(list);
  const AnalysedTest analysed = AnalyseTest(ui, std::move(test));
  std::optional<ShipPrediction> prediction;
  const RunCoefficients& r = analysed.test.runs;
  const TestData& d = analysed.test.data;
  if (ship) prediction = PredictShipStage(*ship, {r.Fn, d.Vm, r.CtmS, r.Cfm, d.Lwl, d.Sw});
  return EvaluateUncertainty(settings, measured, analysed, ship, prediction);
}

double Relative(const Uncertain& q) {
  return q.U / std::fabs(q.value);
}

TEST(Uncertainty, ExampleA) {
  const UncertaintyResult r = Evaluate(
      Data("15", "3.000 2.0\n3.010 2.0\n2.990 2.0\n3.005 2.0\n2.995 2.0\n"), "N 1 1 0 1 Y Y",
      "resistance = 0.005\nspeed = 0.002\nwetted_surface = 0.2\nlength = 0.002\n"
      "temperature = 0.1\ncoverage = 2\n");
  const double Ctm[] = {3.68117, 3.69345, 3.66890, 3.68731, 3.67504};
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(r.Ctm[i].value, Ctm[i], 5e-6);
  EXPECT_NEAR(r.random.s, 0.002635, 5e-7);
  EXPECT_EQ(r.random.dof, 4);
  const Uncertain& first = r.Ctm[0];
  const std::pair<double, double> figures[] = {{first.c[Resistance], 0.00614},
                                               {first.c[Speed], -0.00736},
                                               {first.c[WettedSurface], -0.00736},
                                               {first.c[Temperature], 0.00003},
                                               {first.c[Length], 0},
                                               {first.random, 0.00970},
                                               {first.uc, 0.01550},
                                               {first.U, 0.0310},
                                               {100 * Relative(first), 0.842}};
  for (const auto& [got, want] : figures) EXPECT_NEAR(got, want, 5e-6 + 5e-4 * std::fabs(want));
  for (const Uncertain& q : r.CtmS) {
    EXPECT_NEAR(q.value, 3.68194, 5e-6);
    EXPECT_NEAR(q.random, 0.00454, 5e-6);
    EXPECT_NEAR(q.U, 0.0258, 5e-5);
    EXPECT_NEAR(100 * Relative(q), 0.701, 5e-4);
  }
  EXPECT_FALSE(r.OnePlusKRaw || r.OnePlusKSmoothed);
  EXPECT_TRUE(r.Cr.empty());
}

// A relative error e of Sw scales every Ctm, and so every CtmS, the Prohaska intercept and Cr:
// the central difference of 1 / (1 +- e) is e / (1 - e^2).
TEST(Uncertainty, WettedSurfaceScalesEveryCoefficient) {
  const double twice = 2 * 0.005 / (1 - 0.005 * 0.005);
  for (const std::string& answers : {Polynomial, Munk}) {
    const UncertaintyResult r = Evaluate(Speeds, answers, "wetted_surface = 0.5");
    for (const auto* block : {&r.Ctm, &r.CtmS, &r.Cr}) {
      for (const Uncertain& q : *block) EXPECT_NEAR(Relative(q), twice, 1e-9) << answers;
    }
    EXPECT_NEAR(Relative(*r.OnePlusKRaw), twice, 1e-9);
    EXPECT_NEAR(Relative(*r.OnePlusKSmoothed), twice, 1e-9);
  }
  // Pe nearly keeps its value when the ship's surface follows Sw, not when it is given.
  const double followed =
      Relative(Evaluate(Speeds, Polynomial, "wetted_surface = 0.5", "scale = 25").PeKW[7]);
  const double given = Relative(
      Evaluate(Speeds, Polynomial, "wetted_surface = 0.5", "scale = 25\nwetted_surface = 2500")
          .PeKW[7]);
  EXPECT_LT(followed, 0.2 * given);
  EXPECT_GT(given, 0.005);
}

TEST(Uncertainty, SpeedGivesFourTimesItsRelativeSizeOnCtm) {
  const UncertaintyResult r = Evaluate(Speeds, Polynomial, "speed = 0.002");
  const double Vm[] = {0.8, 1.0, 1.2, 1.4, 1.6, 1.8, 2.0, 2.2};
  for (int i = 0; i < 8; ++i) {
    EXPECT_NEAR(Relative(r.Ctm[i]), 4 * 0.002 / Vm[i], 2 * std::pow(0.002 / Vm[i], 2));
  }
}

TEST(Uncertainty, NothingIncludedGivesNoUncertaintyAndSaysSo) {
  const std::string none =
      "resistance = 0\nresistance_rel = 0\nspeed = 0\nspeed_rel = 0\nwetted_surface = 0\n"
      "length = 0\ntemperature = 0\ndensity = 0\n";
  const UncertaintyResult r = Evaluate(Speeds, Polynomial, none);
  for (const auto* block : {&r.Ctm, &r.CtmS, &r.Cr}) {
    for (const Uncertain& q : *block) EXPECT_EQ(q.U, 0);
  }
  EXPECT_EQ(r.OnePlusKSmoothed->U, 0);
  const std::string report = UncertaintyReportText(r);
  std::size_t count = 0;
  for (auto at = report.find("- not included"); at != std::string::npos;
       at = report.find("- not included", at + 1)) {
    ++count;
  }
  EXPECT_EQ(count, SourceCount + 1);  // every source and the random part
}

TEST(Uncertainty, CoverageScalesEveryU) {
  const std::string sources = "resistance = 0.01\nspeed_rel = 0.1\nrepeatability = 0.5\n";
  const UncertaintyResult two = Evaluate(Speeds, Polynomial, sources);
  const UncertaintyResult three = Evaluate(Speeds, Polynomial, sources + "coverage = 3\n");
  for (int i = 0; i < 8; ++i) EXPECT_NEAR(three.CtmS[i].U, 1.5 * two.CtmS[i].U, 1e-12);
  EXPECT_NEAR(three.OnePlusKSmoothed->U, 1.5 * two.OnePlusKSmoothed->U, 1e-12);
}

// Converted to another temperature, Ctm moves by the frictional difference only: the error of
// Sw moves it by as much as before.
TEST(Uncertainty, ConversionKeepsTheAbsoluteContribution) {
  const UncertaintyResult plain = Evaluate(Speeds, Polynomial, "wetted_surface = 0.5");
  const UncertaintyResult warm = Evaluate(Speeds, "Y 25 1 1 0 3 Y Y", "wetted_surface = 0.5");
  for (int i = 0; i < 8; ++i) {
    EXPECT_NE(warm.Ctm[i].value, plain.Ctm[i].value);
    EXPECT_NEAR(warm.Ctm[i].c[WettedSurface], plain.Ctm[i].c[WettedSurface], 1e-12);
  }
}

// A fit refused at the fit check keeps its values in CtmS: runs 1 to 4 get the random part
// of their fit, not their own.
TEST(Uncertainty, EveryFitThatMadeCtmSIsReSolved) {
  const UncertaintyResult r = Evaluate(Speeds, "N 1 1 4 2 N 5 8 2 Y Y", "repeatability = 1\n");
  const double slope = (r.CtmS[3].value - r.CtmS[0].value) / (r.Fn[3] - r.Fn[0]);
  EXPECT_NEAR(r.CtmS[1].value, r.CtmS[0].value + slope * (r.Fn[1] - r.Fn[0]), 1e-9);
  for (int i = 0; i < 8; ++i) EXPECT_LT(r.CtmS[i].random, 0.9 * r.Ctm[i].random) << i;
}

// A run at Fn 0.1001 stays in the Prohaska plot however far the speed moves it; a test in a
// flat stretch of the density table has no temperature term on Ctm, but one on (1+k).
TEST(Uncertainty, FrozenProhaskaRunsAndFlatDensity) {
  const std::string edge = "0.45 0.70099\n0.81 1.0\n1.17 1.2\n1.61 1.4\n2.14 1.6\n";
  const UncertaintyResult r = Evaluate(Data("15", edge), "N 1 1 0 2 Y Y", "speed = 0.01");
  EXPECT_TRUE(std::isfinite(r.OnePlusKSmoothed->U));
  EXPECT_LT(r.OnePlusKSmoothed->U, 0.1);
  for (const char* T : {"0.5", "4", "7.5"}) {
    const UncertaintyResult flat = Evaluate(Data(T, edge), "N 1 1 0 2 Y Y", "temperature = 0.2");
    for (int i = 0; i < 5; ++i)
      EXPECT_EQ(flat.Ctm[i].c[Temperature] + flat.CtmS[i].c[Temperature], 0);
    EXPECT_NE(flat.OnePlusKSmoothed->c[Temperature], 0) << T;
  }
}

TEST(UncertaintyFile, RefusesEveryFaultNamingTheLine) {
  const std::pair<const char*, const char*> cases[] = {
      {"speed = 0.1\nsped = 1", "KAVREL_UNC.DAT:2: unknown name \"sped\""},
      {"speed = 0.1\nspeed = 0.2", "KAVREL_UNC.DAT:2: speed is given twice (first on line 1)"},
      {"speed = inf", "KAVREL_UNC.DAT:1: the value \"inf\" of speed is not a finite number"},
      {"length = -0.1", "KAVREL_UNC.DAT:1: the value \"-0.1\" of length must not be negative"},
      {"speed = 1\ncoverage = 0", "KAVREL_UNC.DAT:2: the value \"0\" of coverage must be greater"},
      {"coverage = 2\n# none", "KAVREL_UNC.DAT: the file names no source"},
      {"speed = 1\nform_factor = 0.01", "KAVREL_UNC.DAT:2: form_factor is the uncertainty"},
      {"temperature = 0.6", "KAVREL_UNC.DAT:1: the test temperature 0.5 degrees lies closer"},
  };
  for (const auto& [unc, message] : cases) {
    try {
      Evaluate(Data("0.5", "0.81 1.0\n"), "", unc);
      ADD_FAILURE() << unc;
    } catch (const InputFault& fault) {
      EXPECT_EQ(std::string(fault.what()).find(message), 0u) << fault.what();
    }
  }
}

}  // namespace
}  // namespace kavrel
