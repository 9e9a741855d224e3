// The uncertainty analysis as a fixed-column report, a CSV table and a summary.
#include "uncertainty/UncertaintyReport.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "text/Answers.h"
#include "text/NumberText.h"

namespace kavrel {

namespace {

// The report's column heads of the systematic sources, in the order of Source.
constexpr std::array<const char*, SourceCount> Heads{
    "resist", "resist%", "speed", "speed%", "wetted%", "length", "temp", "density", "(1+k)"};
constexpr int Width = 10;

std::string Cell(const std::string& text, int width = Width) {
  return std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(text.size()))),
                     ' ') +
         text;
}

std::string SourceValue(const UncertaintySettings& s, std::size_t i) {
  if (!s.Included(static_cast<Source>(i))) return "not included";
  return ReadableNumber(s.u[i]) + " " + Sources[i].unit;
}

std::string DegreesOfFreedom(int dof) {
  return std::to_string(dof) + (dof == 1 ? " degree" : " degrees") + " of freedom";
}

std::string RandomText(const UncertaintyResult& r) {
  const RandomPart& p = r.random;
  const std::string s = FormatFixed(100 * p.s, 1, 4) + " % of Ctm per run";
  switch (p.origin) {
    case RandomOrigin::Given:
      return s + " (repeatability given)";
    case RandomOrigin::Pooled:
      return s + " (the pooled scatter of the repeats, " + DegreesOfFreedom(p.dof) + ")";
    case RandomOrigin::NotIncluded:
      break;
  }
  return r.settings.repeatability ? "not included (repeatability 0)"
                                  : "not included (no repeats with 2 degrees of freedom or more)";
}

// One table: a row per entry with its label, abscissa, value, contributions, u_c, U (and U %).
struct Table {
  std::string title, abscissa, unit, value;
  int decimals = 5;
  bool percent = true;
  int places = 3;  // of the value's integer part
};

void AppendTable(std::string& out, const UncertaintyResult& r, const Table& t,
                 std::span<const std::string> labels, std::span<const std::string> abscissae,
                 std::span<const Uncertain> rows) {
  const auto line = [&out](const std::string& text) { out += text + "\r\n"; };
  line("");
  line(" " + t.title);
  std::string head = "  NO" + Cell(t.abscissa) + Cell(t.value);
  std::string units = "    " + Cell(t.unit) + Cell("");
  for (const char* name : Heads) head += Cell(name);
  head += Cell("random") + Cell("u_c") + Cell("U");
  if (t.percent) head += Cell("U %", 8);
  line(head);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const Uncertain& q = rows[i];
    std::string row =
        Cell(labels[i], 4) + Cell(abscissae[i]) + Cell(FormatFixed(q.value, t.places, t.decimals));
    for (std::size_t s = 0; s < SourceCount; ++s) {
      row += Cell(r.settings.Included(static_cast<Source>(s))
                      ? FormatFixed(q.c[s], t.places, t.decimals)
                      : "-");
    }
    row += Cell(r.random.origin != RandomOrigin::NotIncluded
                    ? FormatFixed(q.random, t.places, t.decimals)
                    : "-");
    row += Cell(FormatFixed(q.uc, t.places, t.decimals)) +
           Cell(FormatFixed(q.U, t.places, t.decimals));
    if (t.percent) row += Cell(FormatFixed(100 * q.U / std::fabs(q.value), 3, 3), 8);
    line(row);
  }
}

std::vector<std::string> RunNumbers(std::size_t n) {
  std::vector<std::string> numbers;
  for (std::size_t i = 0; i < n; ++i) numbers.push_back(std::to_string(i + 1));
  return numbers;
}

std::vector<std::string> Fixed(std::span<const double> x, int decimals) {
  std::vector<std::string> texts;
  for (const double v : x) texts.push_back(FormatFixed(v, 3, decimals));
  return texts;
}

// The (1+k) that were found, with their names.
std::vector<std::pair<const char*, Uncertain>> FormFactorRows(const UncertaintyResult& r) {
  std::vector<std::pair<const char*, Uncertain>> rows;
  if (r.OnePlusKRaw) rows.emplace_back("raw", *r.OnePlusKRaw);
  if (r.OnePlusKSmoothed) rows.emplace_back("smoothed", *r.OnePlusKSmoothed);
  if (r.OnePlusKGiven) rows.emplace_back("given", *r.OnePlusKGiven);
  return rows;
}

std::string Trimmed(double x, int decimals) {
  return std::string(TrimBlanks(FormatFixed(x, 1, decimals)));
}

}  // namespace

std::string UncertaintyReportText(const UncertaintyResult& r) {
  const UncertaintySettings& s = r.settings;
  std::string out;
  const auto line = [&out](const std::string& text) { out += text + "\r\n"; };
  line(" UNCERTAINTY OF THE RESULTS");
  line(" METHOD: " + std::string(UncertaintyMethod) + ".");
  line(" COVERAGE FACTOR ----------------------- k = " + FormatFixed(s.coverage, 1, 3) +
       " (U = k u_c)");
  line(" SOURCES (standard uncertainties; systematic: the same error in every run)");
  for (std::size_t i = 0; i < SourceCount; ++i) {
    std::string name = " " + std::string(Sources[i].name) + " (" + Heads[i] + ") ";
    name.resize(30, '-');
    line(" " + name + " " + SourceValue(s, i));
  }
  std::string random = " repeatability (random) ";
  random.resize(30, '-');
  line(" " + random + " " + RandomText(r));
  if (!r.random.groups.empty()) {
    line(" REPEATS (runs within " + ReadableNumber(s.repeatTolerance) +
         " % of the speed of their group's slowest run):");
    for (const RepeatGroup& group : r.random.groups) {
      line("   runs " + std::to_string(group.first) + " to " + std::to_string(group.last));
    }
    line("   pooled scatter of one run's Ctm " + FormatFixed(100 * r.random.pooled, 1, 4) + " %, " +
         DegreesOfFreedom(r.random.dof));
  }
  const std::vector<std::string> runs = RunNumbers(r.Fn.size());
  const std::vector<std::string> Fn = Fixed(r.Fn, 4);
  AppendTable(out, r, {"TOTAL RESISTANCE COEFFICIENT Ctm *1000", "Fn", "", "Ctm"}, runs, Fn, r.Ctm);
  AppendTable(out, r, {"SMOOTHED COEFFICIENT CtmS *1000", "Fn", "", "CtmS"}, runs, Fn, r.CtmS);
  if (r.Cr.empty()) {
    line("");
    line(" RESIDUARY COEFFICIENT Cr: not found, as (1+k) is not found");
  } else {
    AppendTable(out, r,
                {"RESIDUARY COEFFICIENT Cr = CtmS - (1+k) Cfm *1000", "Fn", "", "Cr", 5, false},
                runs, Fn, r.Cr);
  }
  std::vector<std::string> names, blanks;
  std::vector<Uncertain> values;
  for (const auto& [name, q] : FormFactorRows(r)) {
    names.emplace_back(name);
    blanks.emplace_back("");
    values.push_back(q);
  }
  if (!r.OnePlusKRaw) line(" FORM FACTOR (1+k), raw data: not found");
  if (!r.OnePlusKSmoothed) line(" FORM FACTOR (1+k), smoothed data: not found");
  if (!values.empty()) {
    AppendTable(out, r, {"FORM FACTOR (1+k)", "", "", "(1+k)"}, blanks, names, values);
  }
  if (!r.PeKW.empty()) {
    const std::vector<std::string> Vs = Fixed(r.VsKnots, 3);
    AppendTable(out, r, {"SHIP'S TOTAL RESISTANCE COEFFICIENT Cts *1000", "Vs", "kn", "Cts"}, runs,
                Vs, r.Cts);
    AppendTable(out, r, {"SHIP'S EFFECTIVE POWER Pe, kW", "Vs", "kn", "Pe", 2, true, 6}, runs, Vs,
                r.PeKW);
  }
  return out;
}

std::string UncertaintyCsvText(const UncertaintyResult& r) {
  std::string out = "quantity,run,value,u_c,U";
  for (const SourceText& source : Sources) out += std::string(",") + source.name;
  out += ",random\n";
  const auto row = [&](const std::string& quantity, const std::string& run, const Uncertain& q,
                       double scale) {
    out += quantity + "," + run;
    AppendCsvNumbers(out, {q.value / scale, q.uc / scale, q.U / scale});
    for (std::size_t s = 0; s < SourceCount; ++s) {
      out += ",";
      if (r.settings.Included(static_cast<Source>(s))) out += RoundTrip(q.c[s] / scale);
    }
    out += ",";
    if (r.random.origin != RandomOrigin::NotIncluded) out += RoundTrip(q.random / scale);
    out += "\n";
  };
  for (const auto& [quantity, rows, scale] : {std::tuple{"Ctm", &r.Ctm, 1000.0},
                                              {"CtmS", &r.CtmS, 1000.0},
                                              {"Cr", &r.Cr, 1000.0},
                                              {"Cts", &r.Cts, 1000.0},
                                              {"Pe_kW", &r.PeKW, 1.0}}) {
    for (std::size_t i = 0; i < rows->size(); ++i) {
      row(quantity, std::to_string(i + 1), (*rows)[i], scale);
    }
  }
  for (const auto& [name, q] : FormFactorRows(r)) {
    row(std::string("OnePlusK_") + name, "", q, 1.0);
  }
  return out;
}

std::string UncertaintySummaryText(const UncertaintyResult& r) {
  const std::string k = " (k = " + ReadableNumber(r.settings.coverage) + ")";
  std::string out;
  for (const auto& [name, q] : FormFactorRows(r)) {
    out += std::string("Form factor (1+k), ") + name + (name[0] == 'g' ? "" : " data") + ": " +
           Trimmed(q.value, 3) + " +- " + Trimmed(q.U, 3) + k + "\n";
  }
  const auto range = [&](const char* what, const std::vector<Uncertain>& rows) {
    if (rows.empty()) return;
    double low = INFINITY, high = 0;
    for (const Uncertain& q : rows) {
      const double percent = 100 * q.U / std::fabs(q.value);
      low = std::min(low, percent);
      high = std::max(high, percent);
    }
    out += std::string("Expanded uncertainty U of ") + what + ": " + Trimmed(low, 2) + " % to " +
           Trimmed(high, 2) + " %" + k + "\n";
  };
  range("Ctm", r.Ctm);
  range("Pe", r.PeKW);
  return out;
}

}  // namespace kavrel
