// The coefficient graph window: frame, axes and measured points, the smoothed Ctm
// curve, and the final Ctm, Cvm and Cr curves with the printed form factor.
#pragma once

#include <optional>
#include <span>
#include <string>

#include "ui/Toolkit.h"

namespace kavrel {

// Shows and clears Kavrel_Form1, fits its coordinates to Fn (abscissa) and Ctm
// (ordinate, times 1000), draws the axes and a target of three circles per run.
// Fn and Ctm have the same size, at least 1.
void DrawCoefficientFrame(Toolkit& ui, std::span<const double> Fn, std::span<const double> Ctm);

// The smoothed Ctm curve and its label, over the frame.
void DrawCtmCurve(Toolkit& ui, std::span<const double> CtmS, std::span<const double> Fn);

// The Ctm, Cr (shifted up) and Cvm curves with their labels and the printed (1+k).
// Without a form factor only the Ctm curve is drawn, and a note on the graph, clear of the axes
// and the labels, says why (1+k) is missing; the same note goes to the user (ui.Note).
void DrawCoefficientCurves(Toolkit& ui, std::span<const double> Cfm, std::span<const double> CtmS,
                           std::span<const double> Fn, std::optional<double> OnePlusK);

// The note on a missing (1+k) as one sentence: "(1+k) not found: at least two runs with ...".
std::string NoFormFactorText();

}  // namespace kavrel
