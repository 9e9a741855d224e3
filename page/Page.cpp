// The report page: sections written in the order a reviewer reads them. Every number is shown
// rounded as the reports print it and carried exactly, in the run tables' shortest round-trip
// form, in the value of a <data> element, so that a script can check it against the CSV files.
#include "page/Page.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

#include "frontends/SvgWriter.h"
#include "graphs/PagePlots.h"
#include "text/Answers.h"
#include "text/NumberText.h"

namespace kavrel {

namespace {

// Form factors of ships lie well inside this range.
constexpr double OnePlusKLow = 1.0, OnePlusKHigh = 1.5;
// The wave-resistance approach needs at least this many runs at different speeds.
constexpr std::size_t MunkLeastSpeeds = 6;

constexpr std::string_view Style = R"(
body{font-family:"Liberation Sans",Arial,Helvetica,sans-serif;margin:1.5em auto;max-width:60em;padding:0 1em;color:#111;line-height:1.35}
h1{font-size:1.5em;margin-bottom:.2em}h2{font-size:1.2em;border-bottom:1px solid #999;margin-top:1.6em}
pre{background:#f4f4f4;padding:.5em;overflow-x:auto}
table{border-collapse:collapse;margin:.5em 0}
th,td{border:1px solid #bbb;padding:.15em .45em}
th{background:#eee;font-weight:600;vertical-align:bottom}
td.n{text-align:right;font-variant-numeric:tabular-nums;white-space:nowrap}
dl{display:grid;grid-template-columns:max-content auto;gap:.1em 1em}dt{font-weight:600}dd{margin:0}
figure{margin:1em 0}figcaption{font-style:italic;font-size:.9em}
svg{max-width:100%;height:auto;display:block}
.note{background:#fff4d6;border-left:4px solid #d9a400;padding:.3em .6em}
code{font-size:.95em;word-break:break-all}
@page{size:A4;margin:15mm}
@media print{body{max-width:none;margin:0;padding:0;font-size:9.5pt}
tr,figure,dl,pre,.note{break-inside:avoid}thead{display:table-header-group}
h2,h3{break-after:avoid}a{color:inherit;text-decoration:none}
svg{max-height:120mm;width:auto}}
)";

std::string Html(std::string_view text) {
  return XmlText(text);
}

std::string Fixed(double x, int decimals) {
  return std::string(TrimBlanks(FormatFixed(x, 8, decimals)));
}

// A number shown with `decimals` after scaling by `scale`, its exact value unscaled.
std::string Data(double exact, double scale, int decimals) {
  return "<data value=\"" + RoundTrip(exact) + "\">" + Fixed(exact * scale, decimals) + "</data>";
}

std::string Cell(const std::string& content) {
  return "<td class=\"n\">" + content + "</td>";
}

// A table head cell; `csv` names the column of a CSV table that holds the same numbers.
std::string Head(const std::string& name, const std::string& unit, const std::string& csv = "") {
  std::string out = "<th scope=\"col\"";
  if (!csv.empty()) out += " data-csv=\"" + csv + "\"";
  out += ">" + name;
  if (!unit.empty()) out += "<br>" + unit;
  return out + "</th>";
}

std::string Item(const std::string& term, const std::string& value) {
  return "<dt>" + term + "</dt><dd>" + value + "</dd>\n";
}

std::string Figure(const DisplayWindow& window, const std::string& caption) {
  std::string svg = SvgPicture(window);
  // Inline SVG in HTML takes no XML declaration, and needs no namespace: the HTML parser
  // gives it its own.
  if (svg.starts_with("<?xml")) svg.erase(0, svg.find('\n') + 1);
  constexpr std::string_view Namespace = " xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\"";
  if (const std::size_t at = svg.find(Namespace); at != std::string::npos) {
    svg.erase(at, Namespace.size());
  }
  return "<figure>\n" + svg + "<figcaption>" + Html(caption) + "</figcaption>\n</figure>\n";
}

// The first heading line that is not blank names the test.
std::string TestName(const TestData& data) {
  for (const std::string& line : data.heading) {
    if (!TrimBlanks(line).empty()) return std::string(TrimBlanks(line));
  }
  return DataFileName;
}

// The (1+k) the viscous part Cvm = (1+k) Cfm is taken with: the prediction's, else the
// smoothed runs' Prohaska line.
std::optional<double> ViscousFormFactor(const PageContent& c, const FormFactors& found) {
  if (c.prediction) return c.prediction->constants.OnePlusK;
  return found.smoothed;
}

std::string FormFactorText(const std::optional<double>& value, const std::optional<Uncertain>& U) {
  if (!value) return "not found (at least two runs with 0.1 &lt; Fn &lt; 0.2 are needed)";
  std::string out = Data(*value, 1, 3);
  if (U) out += " &plusmn; " + Fixed(U->U, 3);
  return out;
}

std::string TestSection(const PageContent& c) {
  const AnalysedTest& a = c.analysed;
  const TestData& d = a.test.data;
  std::string out = "<section id=\"test\">\n<h2>1. The test</h2>\n<pre>";
  std::size_t last = d.heading.size();
  while (last > 0 && TrimBlanks(d.heading[last - 1]).empty()) --last;
  for (std::size_t i = 0; i < last; ++i) out += Html(d.heading[i]) + "\n";
  out += "</pre>\n<dl>\n";
  out += Item("Water-line length Lwl", Data(d.Lwl, 1, 3) + " m");
  out += Item("Wetted surface Sw", Data(d.Sw, 1, 4) + " m&sup2;");
  out += Item("Water temperature of the test", Data(d.T, 1, 2) + " &deg;C");
  if (a.conversion.converted) {
    out += Item("Converted to", Data(a.conversion.Tnew, 1, 2) +
                                    " &deg;C (the resistance scaled to this temperature)");
  }
  out += Item("Density &rho; used", Data(a.test.Rho, 1, 3) + " kg/m&sup3;");
  out += Item("Kinematic viscosity &nu; used",
              Data(a.test.Nue, 1e6, 4) + " &times;10<sup>-6</sup> m&sup2;/s");
  out += Item("Program", "kavrel " + Html(c.version));
  for (const PageInput& input : c.inputs) {
    out += Item(Html(input.name), std::to_string(input.bytes) + " bytes, SHA-256 <code>" +
                                      Html(input.sha256) + "</code>");
  }
  return out + "</dl>\n</section>\n";
}

std::string AnalysisSection(const PageContent& c, const FormFactors& found) {
  const AnalysedTest& a = c.analysed;
  const Smoothing& s = a.smoothing;
  std::string out = "<section id=\"analysis\">\n<h2>2. The analysis</h2>\n<dl>\n";
  out += Item("Friction line", "ITTC-1957, Cfm = 0.075 / (log<sub>10</sub> Rn &minus; 2)&sup2;");
  std::string method;
  if (s.SmoothingType == 1) {
    method = "Regression polynomial (Forsythe orthogonal polynomials)";
    if (s.fits.empty()) method += "; no fit accepted: CtmS is the measured Ctm";
    for (std::size_t i = 0; i < s.fits.size(); ++i) {
      method += i == 0 ? "; accepted: " : ", then ";
      method += "NS = " + std::to_string(s.fits[i].NS) + ", ND = " + std::to_string(s.fits[i].ND) +
                ", order " + std::to_string(s.fits[i].Order);
    }
  } else {
    method = "T. Munk wave-resistance approach, D(1) = " + Fixed(s.D[0], 3) +
             ", D(2) = " + Fixed(s.D[1], 3) + ", D(3) = " + Fixed(s.D[2], 3) +
             ", D(4) = " + Fixed(s.D[3], 3);
  }
  out += Item("Smoothing of Ctm", method);
  const UncertaintyResult* u = c.uncertainty;
  out += Item("(1+k) from the measured runs",
              FormFactorText(found.raw, u ? u->OnePlusKRaw : std::nullopt));
  out += Item(!a.Smoothed() ? "(1+k) from the runs (not smoothed)" : "(1+k) from the smoothed runs",
              FormFactorText(found.smoothed, u ? u->OnePlusKSmoothed : std::nullopt));
  if (c.prediction) {
    const ShipConstants& k = c.prediction->constants;
    out += Item("(1+k) used for the ship",
                Data(k.OnePlusK, 1, 4) + (k.OnePlusKGiven ? " (from the ship file)"
                                          : a.Smoothed()  ? " (from the smoothed runs)"
                                                          : " (from the runs, not smoothed)"));
  }
  out += "</dl>\n";
  for (const auto& value : {found.raw, found.smoothed}) {
    if (value && (*value < OnePlusKLow || *value > OnePlusKHigh)) {
      out += "<p class=\"note\">(1+k) = " + Fixed(*value, 3) +
             " lies outside 1.0 to 1.5, where the form factors of ships lie: a value outside "
             "usually means a wrong run in 0.1 &lt; Fn &lt; 0.2.</p>\n";
      break;
    }
  }
  return out + "</section>\n";
}

std::string RunsSection(const PageContent& c, const std::optional<double>& k) {
  const RunCoefficients& r = c.analysed.test.runs;
  const TestData& d = c.analysed.test.data;
  const UncertaintyResult* u = c.uncertainty;
  const bool crU = u && u->Cr.size() == r.Fn.size();
  std::string out = "<section id=\"runs\">\n<h2>3. The runs</h2>\n";
  out += "<table id=\"run-table\">\n<thead><tr>" + Head("NO", "", "run") + Head("Vm", "m/s", "Vm") +
         Head("Fn", "", "Fn") + Head("Rnm", "&times;10<sup>-7</sup>", "Rnm") +
         Head("Rtm", "kg", "Rtm") + Head("Ctm", "&times;1000", "Ctm");
  if (u) out += Head("U(Ctm)", "&times;1000");
  out += Head("CtmS", "&times;1000", "CtmS");
  if (u) out += Head("U(CtmS)", "&times;1000");
  out += Head("Cfm", "&times;1000", "Cfm");
  if (k) out += Head("Cvm", "&times;1000") + Head("Cr", "&times;1000");
  if (crU) out += Head("U(Cr)", "&times;1000");
  out += "</tr></thead>\n<tbody>\n";
  // The run table holds coefficients as plain numbers; the page shows them times 1000.
  for (std::size_t i = 0; i < r.Fn.size(); ++i) {
    out +=
        "<tr>" +
        Cell("<data value=\"" + std::to_string(i + 1) + "\">" + std::to_string(i + 1) + "</data>") +
        Cell(Data(d.Vm[i], 1, 3)) + Cell(Data(r.Fn[i], 1, 3)) + Cell(Data(r.Rnm[i], 1e-7, 3)) +
        Cell(Data(d.Rtm[i], 1, 3)) + Cell(Data(r.Ctm[i] / 1000, 1000, 3));
    if (u) out += Cell(Fixed(u->Ctm[i].U, 3));
    out += Cell(Data(r.CtmS[i] / 1000, 1000, 3));
    if (u) out += Cell(Fixed(u->CtmS[i].U, 3));
    out += Cell(Data(r.Cfm[i] / 1000, 1000, 3));
    if (k) {
      out += Cell(Fixed(*k * r.Cfm[i], 3)) + Cell(Fixed(r.CtmS[i] - *k * r.Cfm[i], 3));
    }
    if (crU) out += Cell(Fixed(u->Cr[i].U, 3));
    out += "</tr>\n";
  }
  out += "</tbody>\n</table>\n<p>Coefficients are shown times 1000. ";
  if (k) {
    out += "Cvm = (1+k) Cfm with (1+k) = " + Fixed(*k, 4) + "; Cr = CtmS &minus; Cvm. ";
  } else {
    out += "Cvm and Cr are not given: (1+k) was not found. ";
  }
  if (u) {
    out += "U is the expanded uncertainty (k = " + Fixed(u->settings.coverage, 2) + ").";
  }
  return out + "</p>\n</section>\n";
}

std::string PlotsSection(const PageContent& c, const std::optional<double>& k) {
  const RunCoefficients& r = c.analysed.test.runs;
  const std::vector<double> Fn(r.Fn.begin(), r.Fn.end());
  std::vector<PlotSeries> series{
      {"Ctm (measured)", Fn, {r.Ctm.begin(), r.Ctm.end()}, Colour::DarkRed, true, {}},
      {"CtmS", Fn, {r.CtmS.begin(), r.CtmS.end()}, Colour::DarkBlue, false, {}}};
  if (c.uncertainty) {
    series[0].label = "Ctm \u00b1 U";
    for (const Uncertain& q : c.uncertainty->Ctm) series[0].bars.push_back(q.U);
  }
  if (k) {
    PlotSeries Cvm{"Cvm = (1+k) Cfm", Fn, {}, Colour::Green, false, {}};
    PlotSeries Cr{"Cr = CtmS \u2212 Cvm", Fn, {}, Colour::Magenta, false, {}};
    for (std::size_t i = 0; i < Fn.size(); ++i) {
      Cvm.y.push_back(*k * r.Cfm[i]);
      Cr.y.push_back(r.CtmS[i] - *k * r.Cfm[i]);
    }
    series.push_back(std::move(Cvm));
    series.push_back(std::move(Cr));
  }
  std::string out = "<section id=\"plots\">\n<h2>4. Plots</h2>\n";
  out += Figure(PagePlot("Resistance coefficients against Fn", "Fn", "coefficient \u00d71000",
                         series, false, false),
                "The resistance coefficients (times 1000) against the Froude number.");
  out += Figure(FormFactorPlot("Prohaska plot of the measured runs", r.Fn, r.Ctm, r.Cfm, "Ctm"),
                "Form factor from the measured runs (Prohaska plot).");
  out += Figure(FormFactorPlot("Prohaska plot of the smoothed runs", r.Fn, r.CtmS, r.Cfm, "CtmS"),
                "Form factor from the smoothed runs (Prohaska plot).");
  if (c.prediction) {
    PlotSeries Pe{"Pe", {}, {}, Colour::DarkRed, true, {}};
    PlotSeries Rts{"Rts", {}, {}, Colour::DarkBlue, true, {}};
    for (const ShipRun& run : c.prediction->runs) {
      Pe.x.push_back(run.VsKnots);
      Pe.y.push_back(run.PeKW);
      Rts.x.push_back(run.VsKnots);
      Rts.y.push_back(run.RtsKN);
    }
    if (c.uncertainty && c.uncertainty->PeKW.size() == Pe.x.size()) {
      Pe.label = "Pe \u00b1 U";
      for (const Uncertain& q : c.uncertainty->PeKW) Pe.bars.push_back(q.U);
    }
    PlotSeries PeCurve = Pe, RtsCurve = Rts;
    PeCurve.points = RtsCurve.points = false;
    PeCurve.bars.clear();
    PeCurve.label = "through the speeds";
    RtsCurve.label = "through the speeds";
    const std::vector<PlotSeries> pe{Pe, PeCurve}, rts{Rts, RtsCurve};
    out += Figure(
        PagePlot("Effective power against ship speed", "Vs (kn)", "Pe (kW)", pe, false, true),
        "The ship's effective power Pe against its speed.");
    out += Figure(
        PagePlot("Total resistance against ship speed", "Vs (kn)", "Rts (kN)", rts, false, true),
        "The ship's total resistance Rts against its speed.");
  }
  return out + "</section>\n";
}

std::string Method(const ShipConstants& k) {
  std::string text = k.method == ShipMethod::Ittc2011
                         ? "ITTC-1978 with the revised allowances of 2011"
                         : "ITTC-1978 with its original allowances";
  if (k.CA) text += "; CA given as " + RoundTrip(*k.CA);
  return text;
}

std::string ShipSection(const PageContent& c) {
  const ShipPrediction& p = *c.prediction;
  const ShipConstants& k = p.constants;
  const UncertaintyResult* u = c.uncertainty;
  const bool peU = u && u->PeKW.size() == p.runs.size();
  std::string out = "<section id=\"ship\">\n<h2>5. Full-scale prediction</h2>\n<dl>\n";
  out += Item("Method", Html(Method(k)));
  out += Item("Scale ratio &lambda;", Data(k.lambda, 1, 3));
  out += Item("Ship water-line length Ls", Data(k.Ls, 1, 3) + " m");
  out += Item("Ship wetted surface Ss", Data(k.Ss, 1, 3) + " m&sup2;" +
                                            (k.SsGiven ? " (ship file)" : " (&lambda;&sup2; Sw)"));
  out += Item("Bilge keel wetted surface SBK", Data(k.SBK, 1, 3) + " m&sup2;");
  out += Item("Hull roughness kS", Data(k.kS, 1, 3) + " &micro;m");
  out += Item("Transverse area above water AVS", Data(k.AVS, 1, 3) + " m&sup2;");
  out += Item("Air drag coefficient CDA", Data(k.CDA, 1, 3));
  out += Item("Air density &rho;<sub>a</sub>", Data(k.rhoAir, 1, 3) + " kg/m&sup3;");
  out += Item("Ship water",
              std::string(k.water == ShipWater::Sea ? "sea water (salinity 35.16504 g/kg)"
                                                    : "fresh water") +
                  " at " + Data(k.T, 1, 3) + " &deg;C");
  out += Item("Water density &rho;<sub>s</sub>", Data(k.rhoS, 1, 3) + " kg/m&sup3;");
  out += Item("Water viscosity &nu;<sub>s</sub>",
              Data(k.nuS, 1e6, 5) + " &times;10<sup>-6</sup> m&sup2;/s");
  out += Item("Form factor (1+k)", Data(k.OnePlusK, 1, 4));
  out += Item("Acceleration of gravity g", Data(g, 1, 5) + " m/s&sup2;");
  out += "</dl>\n<table id=\"ship-table\">\n<thead><tr>" + Head("NO", "") +
         Head("Vs", "kn", "Vs_kn") + Head("Vs", "m/s", "Vs_m_s") + Head("Fn", "", "Fn") +
         Head("Rns", "&times;10<sup>-9</sup>", "Rns") + Head("Cfs", "&times;1000", "Cfs") +
         Head("dCf", "&times;1000", "dCf") + Head("CA", "&times;1000", "CA") +
         Head("Caas", "&times;1000", "Caas") + Head("Cr", "&times;1000", "Cr") +
         Head("Cts", "&times;1000", "Cts") + Head("Rts", "kN", "Rts_kN") +
         Head("Pe", "kW", "Pe_kW");
  if (peU) out += Head("U(Pe)", "kW");
  out += "</tr></thead>\n<tbody>\n";
  for (std::size_t i = 0; i < p.runs.size(); ++i) {
    const ShipRun& r = p.runs[i];
    out += "<tr>" + Cell(std::to_string(i + 1)) + Cell(Data(r.VsKnots, 1, 3)) +
           Cell(Data(r.Vs, 1, 3)) + Cell(Data(r.Fn, 1, 4)) + Cell(Data(r.Rns, 1e-9, 4)) +
           Cell(Data(r.Cfs, 1000, 4)) + Cell(Data(r.dCf, 1000, 4)) + Cell(Data(r.CA, 1000, 4)) +
           Cell(Data(r.Caas, 1000, 4)) + Cell(Data(r.Cr, 1000, 4)) + Cell(Data(r.Cts, 1000, 4)) +
           Cell(Data(r.RtsKN, 1, 3)) + Cell(Data(r.PeKW, 1, 2));
    if (peU) out += Cell(Fixed(u->PeKW[i].U, 2));
    out += "</tr>\n";
  }
  return out + "</tbody>\n</table>\n</section>\n";
}

std::string UncertaintySection(const UncertaintyResult& u) {
  std::string out =
      "<section id=\"uncertainty\">\n<h2>6. Uncertainty</h2>\n<p>" + Html(UncertaintyMethod) +
      ". U = k u<sub>c</sub> with k = " + Fixed(u.settings.coverage, 2) +
      ".</p>\n<table id=\"sources\">\n<thead><tr>" + Head("Source", "") +
      Head("Standard uncertainty", "") + Head("Unit", "") + "</tr></thead>\n<tbody>\n";
  for (std::size_t i = 0; i < SourceCount; ++i) {
    const bool in = u.settings.Included(static_cast<Source>(i));
    out += "<tr><td>" + Html(Sources[i].name) + "</td>" +
           Cell(in ? Html(ReadableNumber(u.settings.u[i])) : "not included") + "<td>" +
           Html(Sources[i].unit) + "</td></tr>\n";
  }
  std::string random = "not included";
  if (u.random.origin == RandomOrigin::Given) {
    random = Fixed(100 * u.random.s, 4) + " (repeatability given)";
  } else if (u.random.origin == RandomOrigin::Pooled) {
    random = Fixed(100 * u.random.s, 4) + " (pooled scatter of the repeats, " +
             std::to_string(u.random.dof) + " degrees of freedom)";
  }
  out += "<tr><td>random, per run</td>" + Cell(random) + "<td>% of Ctm</td></tr>\n";
  return out + "</tbody>\n</table>\n</section>\n";
}

// What a file of the set is, for the list of files; the pictures said more precisely.
std::string FileText(const PageOutput& file) {
  const std::pair<WindowId, const char*> pictures[] = {
      {WindowId::Kavrel_Form1, "the coefficient graph, as on the screen"},
      {WindowId::Form_Faktor_Form1, "the form-factor diagram of the measured runs"},
      {WindowId::Form_Faktor_Form2, "the form-factor diagram of the smoothed runs"},
      {WindowId::Ship_Power, "the effective power against the ship speed"},
      {WindowId::Uncertainty, "Ctm and CtmS with their expanded uncertainty"}};
  for (const auto& [id, text] : pictures) {
    if (file.name == SvgFileName(id)) return text;
  }
  return file.what;
}

std::vector<std::string> Notes(const PageContent& c, const FormFactors& found) {
  const AnalysedTest& a = c.analysed;
  std::vector<std::string> notes;
  if (a.smoothing.SmoothingType != 1 && !a.Smoothed()) {
    std::vector<double> speeds(a.test.data.Vm.begin(), a.test.data.Vm.end());
    std::sort(speeds.begin(), speeds.end());
    const auto distinct =
        static_cast<std::size_t>(std::unique(speeds.begin(), speeds.end()) - speeds.begin());
    notes.push_back(distinct < MunkLeastSpeeds
                        ? "The wave resistance approach needs at least 6 runs at different "
                          "speeds; this test has " +
                              std::to_string(distinct) + ". The smoothed CtmS is the measured Ctm."
                        : "The wave resistance approach was not fitted: the smoothed CtmS is the "
                          "measured Ctm.");
  }
  if (a.smoothing.SmoothingType == 1 && a.smoothing.fits.empty()) {
    notes.emplace_back("No smoothing was accepted: CtmS is the measured Ctm.");
  }
  if (!found.raw || !found.smoothed) {
    notes.emplace_back("(1+k) not found: at least two runs with 0.1 < Fn < 0.2 are needed.");
  }
  if (a.conversion.converted) {
    notes.push_back("The resistance tests were scaled to " + Fixed(a.conversion.Tnew, 2) +
                    " degrees.");
  }
  return notes;
}

}  // namespace

std::string PageText(const PageContent& c) {
  const AnalysedTest& a = c.analysed;
  const FormFactors found = FormFactorsOf(a);
  const std::optional<double> k = ViscousFormFactor(c, found);
  const std::string name = TestName(a.test.data);
  std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  out += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
  out += "<meta name=\"generator\" content=\"kavrel " + Html(c.version) + "\">\n";
  out += "<title>" + Html(name) + " &ndash; resistance test analysis</title>\n";
  out += "<style>" + std::string(Style) + "</style>\n</head>\n<body>\n";
  out += "<h1>" + Html(name) + "</h1>\n<p>Resistance test analysis by kavrel " + Html(c.version) +
         " of <code>" + DataFileName + "</code>.</p>\n";
  out += TestSection(c);
  out += AnalysisSection(c, found);
  out += RunsSection(c, k);
  out += PlotsSection(c, k);
  if (c.prediction) out += ShipSection(c);
  if (c.uncertainty) out += UncertaintySection(*c.uncertainty);
  out += "<section id=\"notes\">\n<h2>7. Notes</h2>\n";
  const std::vector<std::string> notes = Notes(c, found);
  if (notes.empty()) out += "<p>None.</p>\n";
  for (const std::string& note : notes) out += "<p class=\"note\">" + Html(note) + "</p>\n";
  out += "</section>\n<section id=\"files\">\n<h2>8. Files written</h2>\n<ul>\n";
  for (const PageOutput& file : c.written) {
    out += "<li><a href=\"" + Html(file.name) + "\">" + Html(file.name) +
           "</a>: " + Html(FileText(file)) + "</li>\n";
  }
  out += "<li><a href=\"" + std::string(PageFileName) + "\">" + PageFileName +
         "</a>: this page</li>\n</ul>\n</section>\n</body>\n</html>\n";
  return out;
}

}  // namespace kavrel
