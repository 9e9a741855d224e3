// The note on a saved picture that holds no drawing of its own.
#include "graphs/PictureNote.h"

#include "graphs/FiniteDrawing.h"

namespace kavrel {

DisplayWindow WithNote(const DisplayWindow& window, std::span<const std::string> lines) {
  DisplayWindow noted = window;
  noted.OnChange({});  // the copy is no window on the screen
  if (!noted.Shown()) {
    noted.Show();
    noted.SetUserCoordinates(0, 0, 1, 1);
  }
  const UserCoordinates& s = noted.Coordinates();
  noted.SetFontName(graphs::GraphFont);
  noted.SetFontSize(8);
  noted.SetTextColour(Colour::DarkRed);
  // Above the diagrams' axes, which start a tenth of the height below the top.
  const double x = s.left + 0.03 * (s.right - s.left);
  noted.SetPrintPosition(x, s.top + 0.01 * (s.bottom - s.top));
  for (const std::string& line : lines) {
    noted.SetPrintPosition(x, noted.PrintY());
    noted.Print(line);
  }
  return noted;
}

}  // namespace kavrel
