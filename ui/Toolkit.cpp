// Window state and display lists shared by every front end.
#include "ui/Toolkit.h"

#include <cassert>
#include <utility>

namespace kavrel {

Rgb PaletteColour(int index) {
  static constexpr std::array<Rgb, 16> palette{{{0, 0, 0},
                                                {0, 0, 128},
                                                {0, 128, 0},
                                                {0, 128, 128},
                                                {128, 0, 0},
                                                {128, 0, 128},
                                                {128, 128, 0},
                                                {192, 192, 192},
                                                {128, 128, 128},
                                                {0, 0, 255},
                                                {0, 255, 0},
                                                {0, 255, 255},
                                                {255, 0, 0},
                                                {255, 0, 255},
                                                {255, 255, 0},
                                                {255, 255, 255}}};
  if (index < 0 || index >= static_cast<int>(palette.size())) return palette[0];
  return palette[static_cast<std::size_t>(index)];
}

DisplayWindow::DisplayWindow(WindowId id, std::string caption, Twips placement)
    : id_(id),
      caption_(std::move(caption)),
      placement_(placement),
      // Until a caller sets its own, a window's coordinates are twips from the top-left.
      scale_{0, 0, static_cast<double>(placement.width), static_cast<double>(placement.height)} {}

void DisplayWindow::Changed(const DrawItem* added) {
  ++revision_;
  if (onChange_) onChange_(*this, added);
}

void DisplayWindow::Show() {
  shown_ = true;
  Changed(nullptr);
}

void DisplayWindow::Clear() {
  items_.clear();
  printX_ = scale_.left;
  printY_ = scale_.top;
  Changed(nullptr);
}

void DisplayWindow::SetFontName(std::string_view name) {
  fontName_ = std::string(name);
}
void DisplayWindow::SetFontSize(double points) {
  fontSize_ = points;
}
void DisplayWindow::SetTextColour(int colour) {
  textColour_ = colour;
}
void DisplayWindow::SetPenWidth(int width) {
  penWidth_ = width;
}

void DisplayWindow::SetUserCoordinates(double left, double top, double right, double bottom) {
  scale_ = {left, top, right, bottom};
}

void DisplayWindow::Line(double x1, double y1, double x2, double y2, int colour) {
  items_.emplace_back(LineItem{x1, y1, x2, y2, colour, penWidth_, scale_});
  Changed(&items_.back());
}

void DisplayWindow::Circle(double x, double y, double radius, int colour) {
  items_.emplace_back(CircleItem{x, y, radius, colour, penWidth_, scale_});
  Changed(&items_.back());
}

void DisplayWindow::SetPrintPosition(double x, double y) {
  printX_ = x;
  printY_ = y;
}

void DisplayWindow::Print(std::string_view text) {
  items_.emplace_back(
      TextItem{printX_, printY_, std::string(text), fontName_, fontSize_, textColour_, scale_});
  printX_ = scale_.left;
  printY_ += LineAdvance(placement_, scale_, fontSize_);
  Changed(&items_.back());
}

void DisplayWindow::Add(DrawItem item) {
  items_.push_back(std::move(item));
  Changed(&items_.back());
}

double LineAdvance(const Twips& placement, const UserCoordinates& scale, double fontSize) {
  // A line of text is about 1.15 times the font size high; a point is 20 twips.
  const double lineTwips = fontSize * 1.15 * 20.0;
  if (placement.height <= 0) return 0;
  return (scale.bottom - scale.top) * lineTwips / placement.height;
}

Toolkit::Toolkit()
    : windows_{DisplayWindow{WindowId::Ekran_Form1, "Form1", {285, 4860, 6660, 5835}},
               DisplayWindow{
                   WindowId::Kavrel_Form1, "Graphics for Fn-Ctm, Cvm, Cr", {255, 345, 6735, 4095}},
               DisplayWindow{WindowId::Form_Faktor_Form1,
                             "Form factor calc. for raw data",
                             {7110, 345, 4755, 4095}},
               DisplayWindow{WindowId::Form_Faktor_Form2,
                             "Form factor calc. for smoothed data",
                             {7110, 4890, 4680, 4095}}} {
  for (auto& window : windows_) {
    window.OnChange([this](const DisplayWindow& changed, const DrawItem* added) {
      WindowChanged(changed, added);
    });
  }
}

DisplayWindow& Toolkit::Window(WindowId id) {
  // The power and uncertainty pictures are drawn on windows of their own, never the front end's.
  assert(static_cast<std::size_t>(id) < windows_.size());
  return windows_[static_cast<std::size_t>(id)];
}

const DisplayWindow& Toolkit::Window(WindowId id) const {
  assert(static_cast<std::size_t>(id) < windows_.size());
  return windows_[static_cast<std::size_t>(id)];
}

}  // namespace kavrel
